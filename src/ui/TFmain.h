#pragma once

#include <atomic>
#include <memory>
#include <string>

#include <QMainWindow>

#include "traffic/SamplingObserver.h"
#include "ui/MainWindowContext.h"

class QAction;
class QTimer;

namespace quorvane {

class LogDatabase;
class TrafficEngine;
struct Forms;

// The main window: the owner of the log database connection and the sampling engine, of
// the start-up timer Timer2 and the sampling tick Timer3, and of the switch between
// service mode and application mode. Its visible face is built by the window's own parts.
class TFmain : public QMainWindow, public SamplingObserver {
    Q_OBJECT

public:
    explicit TFmain(MainWindowContext context, QWidget* parent = nullptr);
    ~TFmain() override;

    bool IsService() const { return m_is_service; }
    // Written by the service's start handler, on its thread, before it asks for the switch.
    void set_is_service(bool value) { m_is_service = value; }

    virtual void SetServiceMode(bool value);
    // Message 1025: switches to service mode when the parameter is not 0.
    void UIInitialize(int mode);

    void Timer2Timer();
    void Timer3Timer();
    void FormClose(bool& can_close);
    // Ends the window as if the close confirmation had been answered Yes (the system's stop
    // request in desktop mode).
    void close_confirmed();
    // The tray's restore: visible, normal size, in front; centred the first time.
    void restore();

    void set_forms(const Forms* forms) { m_forms = forms; }

    TrafficEngine& engine() { return *m_engine; }
    LogDatabase& log_database() { return *m_log; }
    const std::string& data_dir() const { return m_context.data_dir; }
    const std::string& help_file() const { return m_help_file; }
    QTimer* Timer2() const { return m_timer2; }
    QTimer* Timer3() const { return m_timer3; }
    QAction* exit2() const { return m_exit2; }
    int tray_index() const { return m_tray_index; }

    void set_tray_icon(int index) override { m_tray_index = index; }

signals:
    // The window was closed: the application is to end.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void write_tick_error(const std::string& message);

    MainWindowContext m_context;
    std::unique_ptr<LogDatabase> m_log;
    std::unique_ptr<TrafficEngine> m_engine;
    std::string m_help_file;
    std::atomic<bool> m_is_service{false};
    bool m_close_confirmed = false;
    bool m_shown_once = false;  // centred on the screen when first shown
    int m_tray_index = 0;
    std::string m_last_tick_error;
    const Forms* m_forms = nullptr;
    QTimer* m_timer2 = nullptr;
    QTimer* m_timer3 = nullptr;
    QAction* m_exit2 = nullptr;
};

}  // namespace quorvane
