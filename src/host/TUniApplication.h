#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "host/TEventLogger.h"
#include "host/TService.h"
#include "platform/ServiceInstaller.h"
#include "platform/ServiceManager.h"

class QEventLoop;

namespace quorvane {

struct Forms;

// The application object: runs the process as a service when the service manager started
// it, registers or removes the services on request, and otherwise hands over to desktop
// mode (ENotService). It owns the windows and the services and destroys them in that order
// at the end. Once Run has begun, every error that escapes an event handler goes to the
// event log under the executable's file name and nothing is shown.
class TUniApplication : public QApplication {
    Q_OBJECT

public:
    // The wake-up message the dispatcher thread posts when the process is no service.
    static constexpr int kWakeUpEvent = 1029;

    TUniApplication(int& argc, char** argv, std::vector<std::string> arguments,
                    ServiceManager& manager, ServiceInstaller& installer, EventLog& log);
    ~TUniApplication() override;

    // The main window is never shown by the loop itself; windows show themselves.
    void Initialize();
    // Creates a service owned by the application, after those made before.
    template <class Service, class... Args>
    Service& CreateService(Args&&... args) {
        auto service = std::make_unique<Service>(std::forward<Args>(args)...);
        auto& result = *service;
        m_services.push_back(std::move(service));
        return result;
    }
    // The windows, owned from here on.
    void set_forms(std::unique_ptr<Forms> forms);
    Forms* forms() const { return m_forms.get(); }

    // INSTALL / UNINSTALL: registers or removes the services and returns. Otherwise runs the
    // dispatcher and the loop until the service has stopped; throws ENotService when the
    // process was not started by the service manager. A manager that cannot be reached for
    // the registration throws SystemError.
    void Run();
    // The desktop loop, until the application is told to terminate.
    void RunAsApplication();
    // Destroys the windows, then the services. Runs once.
    void exit_procedure();

    // Main thread: ends the loop that runs; a modal window open inside it is dismissed.
    void terminate();
    bool Terminated() const { return m_terminated; }
    // Any thread: the posted order to terminate (WM_QUIT).
    void post_quit();
    void post_wake_up();
    bool DispatcherActive() const { return m_dispatcher_active; }
    void clear_dispatcher_active() { m_dispatcher_active = false; }

    void install_unhandled_error_handler() { m_error_handler = true; }
    bool notify(QObject* receiver, QEvent* event) override;

    TEventLogger& event_logger() { return m_event_logger; }
    ServiceManager& service_manager() { return m_manager; }
    EventLog& event_log() { return m_event_log; }
    const std::vector<std::string>& arguments_list() const { return m_arguments; }
    // 0, or 1 when a service failed to install or uninstall.
    int exit_code() const { return m_exit_code; }

protected:
    bool event(QEvent* event) override;

private:
    void run_loop(bool end_with_dispatcher);
    std::vector<ServiceManager::TableEntry> start_table();
    void service_main(const std::vector<std::string>& arguments);

    std::vector<std::string> m_arguments;
    ServiceManager& m_manager;
    ServiceInstaller& m_installer;
    EventLog& m_event_log;
    TEventLogger m_event_logger;
    std::vector<std::unique_ptr<TService>> m_services;
    std::unique_ptr<Forms> m_forms;
    std::atomic<bool> m_dispatcher_active{true};
    bool m_terminated = false;
    bool m_error_handler = false;
    bool m_loop_ends_with_dispatcher = false;
    bool m_exited = false;
    int m_exit_code = 0;
    QEventLoop* m_loop = nullptr;
};

}  // namespace quorvane
