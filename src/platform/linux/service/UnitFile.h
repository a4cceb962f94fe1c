#pragma once

#include <string>

#include "platform/ServiceInstaller.h"

namespace quorvane {

// The systemd unit of a service: the built-in template with its description, its command
// and its ordering after the Linux counterparts of the service's dependencies.
std::string unit_file_text(const ServiceDefinition& service);
// The systemd unit a dependency of the service stands for ("Netman" is
// NetworkManager.service, "RASMan" ModemManager.service, any other name NAME.service).
std::string dependency_unit(const std::string& dependency);
// A path as one word of ExecStart= (quoted where needed, specifiers escaped).
std::string exec_word(const std::string& path);
// A path of a path-list setting (ReadWritePaths=) with a prefix such as "-" (ignore when
// missing): quoted where needed, specifiers escaped; no "$" expansion happens there.
// (WorkingDirectory= takes its whole value as one path, unquoted.)
std::string path_word(const std::string& prefix, const std::string& path);

}  // namespace quorvane
