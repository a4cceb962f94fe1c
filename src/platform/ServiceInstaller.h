#pragma once

#include <string>
#include <vector>

namespace quorvane {

// What the service manager keeps of an installed service.
struct ServiceDefinition {
    std::string name;
    std::string display_name;
    std::string executable_path;  // full path, no arguments
    bool interactive = false;
    bool auto_start = true;
    std::vector<std::string> dependencies;  // services started before this one
    std::string data_dir;  // the directory the service writes into, absolute; may be empty
};

// The registering side of the system's service manager. Every failure throws SystemError
// with the system's code and text.
class ServiceInstaller {
public:
    virtual ~ServiceInstaller() = default;
    // Fails when the manager cannot be reached at all.
    virtual void open_manager() = 0;
    // Fails when the service exists already or cannot be written.
    virtual void create_service(const ServiceDefinition& service) = 0;
    // Fails when no service of that name is installed or it cannot be removed.
    virtual void delete_service(const std::string& name) = 0;
    virtual void close_manager() = 0;
    // After a successful install: where the service now is and how it is started, for the
    // terminal ("Unit file: ...", "Start it with: ..."); empty when there is nothing to say.
    virtual std::string installed_note(const std::string& /*name*/) const { return {}; }
};

}  // namespace quorvane
