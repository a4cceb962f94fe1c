#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

enum class TServiceType { stWin32, stDevice, stFileSystem };
enum class TStartType { stBoot, stSystem, stAuto, stManual, stDisabled };
enum class TErrorSeverity { esIgnore, esNormal, esSevere, esCritical };

// A service started before this one; a group carries the flag.
struct TDependency {
    std::string Name;
    bool IsGroup = false;
};

// What a service is at the service manager, with the framework's defaults.
struct TServiceSettings {
    std::string Name;
    std::string DisplayName;
    TServiceType ServiceType = TServiceType::stWin32;
    bool Interactive = false;
    TStartType StartType = TStartType::stAuto;
    TErrorSeverity ErrorSeverity = TErrorSeverity::esNormal;
    std::vector<TDependency> Dependencies;
    bool AllowStop = true;
    bool AllowPause = true;
    uint32_t WaitHint = 5000;  // milliseconds
    std::string LoadGroup;
    uint32_t TagID = 0;
};

}  // namespace quorvane
