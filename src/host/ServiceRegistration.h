#pragma once

#include <memory>
#include <vector>

#include "host/TService.h"
#include "platform/ServiceInstaller.h"

namespace quorvane {

// The data directory the machine store names for the service, absolute, as seen now; empty
// when it names none (the service then uses its state directory).
std::string service_data_dir();

// What the service manager is to keep of a service, run from this executable, writing into
// service_data_dir().
ServiceDefinition service_definition(const TService& service, const std::string& executable);

// Registers (install) or removes the services, in order. A service that fails gets the
// error box, SILENT or not; the success box comes only when none failed and SILENT is not
// given. Returns false when a service failed. A manager that cannot be reached at all
// throws SystemError, and nothing is registered.
bool register_services(const std::vector<std::unique_ptr<TService>>& services,
                       ServiceInstaller& installer, bool install, bool silent);

}  // namespace quorvane
