// quorvane: the network-usage meter. One executable for three uses:
//   quorvane [-install | -uninstall] [-silent]   register or remove the systemd service
//   quorvane --help | -h | --version              print the usage or the version
//   quorvane                                      run: as the service when systemd started
//                                                 it (NOTIFY_SOCKET), else on the desktop
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/LocaleSettings.h"
#include "host/ProgramUsage.h"
#include "host/Startup.h"
#include "host/TUniApplication.h"
#include "platform/linux/LinkConnectionNames.h"
#include "platform/linux/LinuxLinks.h"
#include "platform/linux/NetlinkNetworkTables.h"
#include "platform/linux/PppDialupDirectory.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/SystemRandom.h"
#include "platform/linux/service/AbstractSocketLock.h"
#include "platform/linux/service/ProcessSignals.h"
#include "platform/linux/service/SignalFdStopSignals.h"
#include "platform/linux/service/SyslogEventLog.h"
#include "platform/linux/service/SystemdServiceManager.h"
#include "platform/linux/service/SystemdUnitInstaller.h"

namespace {

bool is_set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quorvane;
    // Before any thread exists, so that every thread inherits the mask.
    block_stop_signals();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // Before anything of the program starts: no meter, no lock, no window.
    if (auto text = usage_or_version_request(arguments)) {
        std::fputs(text->c_str(), stdout);
        return 0;
    }
    // Without a display the windows live on Qt's offscreen platform.
    if (!is_set("DISPLAY") && !is_set("WAYLAND_DISPLAY") && !is_set("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    SyslogEventLog event_log;
    SystemdServiceManager service_manager;
    SystemdUnitInstaller installer;
    TUniApplication application(argc, argv, arguments, service_manager, installer, event_log);
    application.setApplicationName("quorvane");

    AbstractSocketLock lock;
    LinuxLinks links;
    NetlinkNetworkTables tables(links);
    LinkConnectionNames names(links);
    PppDialupDirectory dialup(links);
    SystemClock clock;
    SystemRandom random;
    StartupPorts ports{lock, [] { return std::make_unique<SignalFdStopSignals>(); },
                       default_data_dir_sources(),
                       TrafficPorts{tables, names, dialup, clock, random},
                       regional_settings_of(QLocale::system())};
    try {
        return program_body(application, ports);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvane: %s\n", error.what());
        return 1;
    }
}
