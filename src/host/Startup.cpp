#include "host/Startup.h"

#include <QGuiApplication>

#include <filesystem>
#include <iostream>

#include "host/CentralWorker.h"
#include "host/CommandLine.h"
#include "host/DesktopStopWatcher.h"
#include "host/ENotService.h"
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
// start-up goes on without that window.
template <class Form, class... Args>
void create_form(std::unique_ptr<Form>& slot, Args&&... args) {
    try {
        slot = std::make_unique<Form>(std::forward<Args>(args)...);
    } catch (const std::exception& error) {
        MessageBox::error(nullptr, "Quorvane", QString::fromStdString(error.what()));
    }
}

std::unique_ptr<Forms> create_forms(MainWindowContext context) {
    auto forms = std::make_unique<Forms>();
    create_form(forms->Fmain, std::move(context));
    create_form(forms->Fabout);
    create_form(forms->Ftip);
    create_form(forms->Fconfig);
    create_form(forms->Fmeter);
    create_form(forms->Fstat);
    create_form(forms->Ftuneup);
    if (forms->Fmain) forms->Fmain->set_forms(forms.get());
    return forms;
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

void desktop_mode(TUniApplication& application, TFmain& main_window, StartupPorts& ports) {
    try {
        main_window.SetServiceMode(false);
        auto stop_requests = ports.stop_signals();
        DesktopStopWatcher watcher(*stop_requests,
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
        if (!ports.lock.acquire(kInstanceLockName)) return 0;
        data_dir = settle_data_dir(ports.data_dir_sources, std::cerr);
    }
    application.Initialize();
    auto& service = application.CreateService<TROrdService>(application);
    if (install) return install_route(application);

    report_missing_log(application, data_dir);
    if (QGuiApplication::platformName() == "offscreen") {
        std::cerr << "quorvane: no display, running on the offscreen platform (the windows "
                     "exist but are not shown); data directory: "
                  << data_dir << std::endl;
    }
    application.set_forms(create_forms(
        MainWindowContext{data_dir, ports.traffic, ports.regional, application.event_log(),
                          application.event_logger().source(), service.Name()}));
    TFmain* main_window = application.forms()->Fmain.get();
    if (main_window == nullptr) return 1;
    service.set_main_window(main_window);
    QObject::connect(main_window, &TFmain::closed, &application,
                     [&application] { application.terminate(); });

    // The central log's worker pushes on a thread of its own; at the end it gets the rows the
    // main window's last figures wrote, within a second.
    auto central = start_central_worker(data_dir, application.event_log(),
                                        application.event_logger().source());
    try {
        application.Run();
    } catch (const ENotService&) {
        desktop_mode(application, *main_window, ports);
    }
    application.exit_procedure();
    central->stop();
    return 0;
}

}  // namespace quorvane
