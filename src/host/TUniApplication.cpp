#include "host/TUniApplication.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QWidget>

#include "host/CommandLine.h"
#include "host/ENotService.h"
#include "host/ServiceRegistration.h"
#include "host/TServiceStartThread.h"
#include "ui/common/ModalWindows.h"
#include "ui/main/Forms.h"

namespace quorvane {

namespace {

std::string executable_file_name() {
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
}

bool is_not_service(uint32_t result) {
    return result == kErrorFailedServiceControllerConnect || result == kErrorCallNotImplemented;
}

}  // namespace

TUniApplication::TUniApplication(int& argc, char** argv, std::vector<std::string> arguments,
                                 ServiceManager& manager, ServiceInstaller& installer,
                                 EventLog& log)
    : QApplication(argc, argv),
      m_arguments(std::move(arguments)),
      m_manager(manager),
      m_installer(installer),
      m_event_log(log),
      m_event_logger(log, executable_file_name()) {}

TUniApplication::~TUniApplication() {
    exit_procedure();
}

void TUniApplication::Initialize() {
    setQuitOnLastWindowClosed(false);
}

void TUniApplication::set_forms(std::unique_ptr<Forms> forms) {
    m_forms = std::move(forms);
}

void TUniApplication::Run() {
    const bool silent = find_cmd_line_switch(m_arguments, "SILENT");
    if (find_cmd_line_switch(m_arguments, "INSTALL")) {
        m_exit_code = register_services(m_services, m_installer, true, silent) ? 0 : 1;
        return;
    }
    if (find_cmd_line_switch(m_arguments, "UNINSTALL")) {
        m_exit_code = register_services(m_services, m_installer, false, silent) ? 0 : 1;
        return;
    }
    install_unhandled_error_handler();
    TServiceStartThread dispatcher(m_manager, start_table(), *this);
    dispatcher.start();
    run_loop(true);
    // Freeing the thread waits for the dispatcher call to return.
    dispatcher.wait();
    const uint32_t result = dispatcher.result();
    if (is_not_service(result) && !m_terminated) throw ENotService();
    if (result != 0) m_event_logger.LogMessage(m_manager.error_text(result));
}

void TUniApplication::RunAsApplication() {
    run_loop(false);
}

std::vector<ServiceManager::TableEntry> TUniApplication::start_table() {
    std::vector<ServiceManager::TableEntry> table;
    for (auto& service : m_services) {
        service->set_shared_process(m_services.size() > 1);
        table.push_back({service->Name(), [this](const std::vector<std::string>& arguments) {
                             service_main(arguments);
                         }});
    }
    return table;
}

// The service entry: the service whose name is the first argument, letter case ignored.
void TUniApplication::service_main(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return;
    auto wanted = QString::fromStdString(arguments.front());
    for (auto& service : m_services) {
        if (QString::fromStdString(service->Name()).compare(wanted, Qt::CaseInsensitive) == 0) {
            service->Main(arguments);
            return;
        }
    }
}

void TUniApplication::run_loop(bool end_with_dispatcher) {
    if (m_terminated || (end_with_dispatcher && !m_dispatcher_active)) return;
    QEventLoop loop;
    m_loop = &loop;
    m_loop_ends_with_dispatcher = end_with_dispatcher;
    loop.exec();
    m_loop = nullptr;
}

void TUniApplication::terminate() {
    m_terminated = true;
    dismiss_modal_windows();
    if (m_loop != nullptr) m_loop->quit();
}

void TUniApplication::post_quit() {
    QMetaObject::invokeMethod(
        this, [this] { terminate(); }, Qt::QueuedConnection);
}

void TUniApplication::post_wake_up() {
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kWakeUpEvent)));
}

bool TUniApplication::event(QEvent* event) {
    if (event->type() == static_cast<QEvent::Type>(kWakeUpEvent)) {
        if (m_loop != nullptr && m_loop_ends_with_dispatcher && !m_dispatcher_active) {
            m_loop->quit();
        }
        return true;
    }
    return QApplication::event(event);
}

bool TUniApplication::notify(QObject* receiver, QEvent* event) {
    if (!m_error_handler) return QApplication::notify(receiver, event);
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        m_event_logger.LogMessage(error.what());
    } catch (...) {
        m_event_logger.LogMessage("Unknown error");
    }
    return false;
}

void TUniApplication::exit_procedure() {
    if (m_exited) return;
    m_exited = true;
    for (auto* widget : QApplication::topLevelWidgets()) widget->hide();
    m_forms.reset();
    while (!m_services.empty()) m_services.pop_back();
}

}  // namespace quorvane
