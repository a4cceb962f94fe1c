#include "host/Startup.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#include "config/DataDirProvision.h"
#include "host/CentralWorker.h"
#include "host/CommandLine.h"
#include "host/DataDirProvisioning.h"
#include "host/DesktopStopWatcher.h"
#include "host/ENotService.h"
#include "host/InstanceLockName.h"
#include "host/ShowErrorBox.h"
#include "host/TROrdService.h"
#include "host/TUniApplication.h"
#include "logdb/CentralReplica.h"
#include "platform/SystemError.h"
#include "ui/common/MessageBox.h"
#include "ui/main/Forms.h"

namespace quorvane {

namespace {

// Errors while the windows are made are shown the way the toolkit shows an error, and
// start-up goes on without that window; once a stop was asked for, nothing more is shown.
template <class Form, class... Args>
void create_form(const bool& stopping, std::unique_ptr<Form>& slot, Args&&... args) {
    try {
        slot = std::make_unique<Form>(std::forward<Args>(args)...);
    } catch (const std::exception& error) {
        if (stopping) return;
        MessageBox::error(nullptr, "Quorvane", QString::fromStdString(error.what()));
    }
}

std::unique_ptr<Forms> create_forms(MainWindowContext context, const bool& stopping) {
    auto forms = std::make_unique<Forms>();
    create_form(stopping, forms->Fmain, std::move(context));
    create_form(stopping, forms->Fabout);
    create_form(stopping, forms->Ftip);
    create_form(stopping, forms->Fconfig);
    create_form(stopping, forms->Fmeter);
    create_form(stopping, forms->Fstat);
    create_form(stopping, forms->Ftuneup);
    if (forms->Fmain) forms->Fmain->set_forms(forms.get());
    return forms;
}

// The data directory, given what it lacks when it is the default one (the one no store
// named): a new user's first start makes it. A directory a store names is the
// administrator's and is used as it is. Failures are said on the terminal and in the
// system log; the main window shows what they mean for the log.
std::string settle_and_provision(TUniApplication& application, const DataDirSources& sources) {
    std::string data_dir = settle_data_dir(sources, std::cerr);
    if (data_dir != sources.default_dir) return data_dir;
    const auto installed = find_installed_data(installed_data_candidates());
    for (const auto& failure : provision_data_dir(data_dir, installed)) {
        const std::string text = "cannot make the data directory " + data_dir + ": " + failure;
        std::cerr << "quorvane: " << text << std::endl;
        application.event_log().write_error(application.event_logger().source(), text);
    }
    return data_dir;
}

// The toolkit ends the process with exit() when the connection to the display breaks, as
// at the end of the desktop session: the open connections' last figures are written then
// too. Set while the main window runs; exit() comes on the main thread, between events.
TFmain* g_main_window_at_exit = nullptr;

void write_final_figures_at_exit() {
    TFmain* main_window = std::exchange(g_main_window_at_exit, nullptr);
    if (main_window == nullptr) return;
    try {
        main_window->engine().write_final_figures();
    } catch (...) {
        // Nothing is left to report to at this point.
    }
}

void write_final_figures_if_exit_comes(TFmain* main_window) {
    static const bool registered = std::atexit(write_final_figures_at_exit) == 0;
    if (registered) g_main_window_at_exit = main_window;
}

// A second start on the same data directory asks this one to show its window.
void answer_show_requests(InstanceLock& lock, TFmain& main_window) {
    const int fd = lock.request_descriptor();
    if (fd < 0) return;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &main_window);
    QObject::connect(notifier, &QSocketNotifier::activated, &main_window, [&lock, &main_window] {
        bool asked = false;
        while (lock.take_request()) asked = true;
        if (asked && !main_window.IsService()) main_window.restore();
    });
}

int install_route(TUniApplication& application) {
    try {
        application.Run();
    } catch (const SystemError& error) {
        ShowErrorBox(error.what());
        return error.code() > 0 && error.code() < 256 ? static_cast<int>(error.code()) : 1;
    }
    return application.exit_code();
}

void desktop_mode(TUniApplication& application, TFmain& main_window, StopSignals& stop_requests) {
    try {
        main_window.SetServiceMode(false);
        DesktopStopWatcher watcher(stop_requests,
                                   [&main_window] { main_window.close_confirmed(); });
        application.RunAsApplication();
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
}

// The log database is provisioned, never created: without it nothing is recorded. Said
// once at start, on the terminal and in the system log; every tick still tries to open
// it, so a file provisioned later is used from then on.
void report_missing_log(TUniApplication& application, const std::string& data_dir) {
    const std::string path = data_dir + "/config/log.db";
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return;
    const std::string text = "no log database in the data directory " + data_dir + " (" + path +
                             " is missing): nothing is recorded until it is there";
    std::cerr << "quorvane: " << text << std::endl;
    application.event_log().write_error(application.event_logger().source(), text);
}

}  // namespace

int program_body(TUniApplication& application, StartupPorts& ports) {
    const bool install = InstallRequested(application.arguments_list());
    std::string data_dir;
    if (!install) {
        data_dir = settle_and_provision(application, ports.data_dir_sources);
        const auto lock_name = instance_lock_name(data_dir);
        if (!ports.lock.acquire(lock_name)) {
            ports.lock.ask_holder_to_show(lock_name);
            return 0;
        }
    }
    application.Initialize();
    auto& service = application.CreateService<TROrdService>(application);
    if (install) return install_route(application);
    // From here on a stop request is obeyed whatever is on screen: while the windows are
    // made it dismisses any box start-up shows and ends the program before the host runs.
    auto stop_requests = ports.stop_signals();

    report_missing_log(application, data_dir);
    if (QGuiApplication::platformName() == "offscreen") {
        std::cerr << "quorvane: no display, running on the offscreen platform (the windows "
                     "exist but are not shown); data directory: "
                  << data_dir << std::endl;
    }
    bool stopping = false;
    {
        DesktopStopWatcher early_stop(*stop_requests, [&application, &stopping] {
            stopping = true;
            application.terminate();
        });
        application.set_forms(create_forms(
            MainWindowContext{data_dir, ports.traffic, ports.regional, application.event_log(),
                              application.event_logger().source(), service.Name()},
            stopping));
    }
    TFmain* main_window = application.forms()->Fmain.get();
    if (main_window == nullptr) return 1;
    if (stopping) {
        application.exit_procedure();
        return 0;
    }
    answer_show_requests(ports.lock, *main_window);
    write_final_figures_if_exit_comes(main_window);
    service.set_main_window(main_window);
    QObject::connect(main_window, &TFmain::closed, &application,
                     [&application] { application.terminate(); });

    // The central log's worker pushes on a thread of its own; at the end it gets the rows the
    // main window's last figures wrote, within a second.
    CentralWorker central(data_dir, application.event_log(), application.event_logger().source());
    // What keeps the central log from being written shows in the main window's error line;
    // the window's tick reads it.
    main_window->set_central_problem_source([&central] { return central.replica().problem(); });
    try {
        application.Run();
    } catch (const ENotService&) {
        desktop_mode(application, *main_window, *stop_requests);
    }
    // The main window writes the last figures itself when it goes.
    write_final_figures_if_exit_comes(nullptr);
    application.exit_procedure();
    central.stop();
    return 0;
}

}  // namespace quorvane
