#pragma once

#include <stdexcept>
#include <string>

#include "platform/ServiceInstaller.h"

namespace quorvane {

// A path that no unit file can name (it holds a control character), or an executable's path
// that systemd does not run (it holds a quote or a backslash).
class UnitPathError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// How the service runs: as the system user "quorvane" that the package makes (in group adm,
// so that administrators read its log), or, where there is none, as a user systemd makes
// for each run.
enum class ServiceAccount { SystemUser, DynamicUser };

// The systemd unit of a service: the built-in template with its description, its command,
// its account and its ordering after the Linux counterparts of the service's dependencies,
// substituted in one pass (a value is never searched for placeholders). The service's data
// directory is its state directory /var/lib/quorvane; a data directory the stores name
// (service.data_dir) is opened for writing besides. Throws UnitPathError for a path with a
// control character and for an executable's path with a quote or a backslash.
std::string unit_file_text(const ServiceDefinition& service,
                           ServiceAccount account = ServiceAccount::DynamicUser);
// The systemd unit a dependency of the service stands for ("Netman" is
// NetworkManager.service, "RASMan" ModemManager.service, any other name NAME.service).
std::string dependency_unit(const std::string& dependency);
// The executable's path as the first word of ExecStart=: quoted where needed, with C
// escapes for '"', '\' and bytes that are not UTF-8, and '%' doubled; '$' stays as it is
// (systemd expands no variables in the command's path).
std::string exec_word(const std::string& path);
// A path of a path-list setting (ReadWritePaths=) with a prefix such as "-" (ignore when
// missing): quoted and escaped as in exec_word; no "$" expansion happens there.
std::string path_word(const std::string& prefix, const std::string& path);

}  // namespace quorvane
