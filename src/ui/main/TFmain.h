#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <QMainWindow>

#include "logdb/LogFilter.h"
#include "traffic/SamplingObserver.h"
#include "ui/main/MainWindowContext.h"
#include "ui/main/OnlineGridTexts.h"
#include "usage/Tlog_summary.h"

class QAction;
class QTimer;

namespace quorvane {

class BudgetMonitor;
class DisplayModeBar;
class HelpMenu;
class LogDatabase;
class LogFilterBox;
class LogGrid;
class LogGridModel;
class LogStatusLine;
class MainToolbar;
class SummaryPanel;
class TariffBookCache;
class TrafficEngine;
class TrayIcon;
struct Forms;

// The main window: the owner of the log database connection and the sampling engine, of
// the start-up timer Timer2 and the sampling tick Timer3, of the tray icon, and of the
// switch between service mode and application mode. Its face is made of pieces of their
// own: the toolbar, the grid with its two views, the display mode, the summary and the log
// filter. The views and the commands live in TFmainViews.cpp and TFmainCommands.cpp.
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
    // Opens an address in the desktop's browser; nothing happens when none is registered.
    void OpenURL(const QString& address);

    // The views of the grid.
    void Grid_now_online();
    void Grid_from_Database(Tlog_summary& summary);
    void create_log_filter();
    // The database view filled anew from the filter boxes; what goes wrong is shown, then
    // thrown on to end the command.
    void refresh_database_view();

    // The commands.
    void SpeedButton4Click();   // Configure
    void SpeedButton7Click();   // Meter
    void SpeedButton8Click();   // Statistic
    void SpeedButton9Click();   // Help: the help menu at the mouse
    void SpeedButton2Click();   // Home
    void SpeedButton3Click();   // Exit
    void SpeedButton6Click();   // Tune up (never visible): the usage chart
    void SpeedButton5Click();   // show the log
    void SpeedButton1Click();   // erase what the grid shows
    void SpeedButton10Click();  // export what the grid shows as a usage report
    void StringGrid1DblClick();
    void RadionowonlineClick();
    void RadiofrimdatabaseClick();
    void ComboBoxEx1Enter();
    void ComboBoxEx1DropDown() { ComboBoxEx1Enter(); }
    void Help1Click();

    // Also hands the meter and the statistics window the device table and the regional
    // settings (TFmainLive.cpp).
    void set_forms(const Forms* forms);

    TrafficEngine& engine() { return *m_engine; }
    LogDatabase& log_database() { return *m_log; }
    const std::string& data_dir() const { return m_context.data_dir; }
    const std::string& help_file() const { return m_help_file; }
    QTimer* Timer2() const { return m_timer2; }
    QTimer* Timer3() const { return m_timer3; }
    QAction* exit2() const;
    int tray_index() const { return m_tray_index; }
    const LogFilter& grid_filter() const { return m_grid_filter; }
    const Tlog_summary& log_summary() const { return m_log_summary; }

    MainToolbar* toolbar() const { return m_toolbar; }
    LogGrid* StringGrid1() const { return m_grid; }
    LogGridModel* grid_model() const { return m_grid_model; }
    DisplayModeBar* display_mode() const { return m_display_mode; }
    SummaryPanel* summary() const { return m_summary; }
    LogStatusLine* log_status() const { return m_log_status; }
    // Where each tick reads what keeps the central log from being written (empty text: it
    // works, or there is none), for the error line; the tick reads it, so it costs no
    // wake-up of its own.
    void set_central_problem_source(std::function<std::string()> source) {
        m_central_problem = std::move(source);
    }
    LogFilterBox* filter_box() const { return m_filter; }
    TrayIcon* tray() const { return m_tray; }
    HelpMenu* PopupMenu2() const { return m_help_menu; }
    BudgetMonitor* budgets() const { return m_budgets; }

    void set_tray_icon(int index) override;
    // The meter and the statistics window are fed while their Tag is 1 (TFmainLive.cpp).
    bool wants_meter() const override;
    void update_meter(const Tmibarray& devices) override;
    bool wants_stat() const override;
    void update_stat(const Tmibarray& devices) override;

signals:
    // The window was closed: the application is to end.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    // Hands the configuration dialog and the tip window what they work on (TFmainConfig.cpp).
    void attach_config_windows();
    void build_face();
    void connect_commands();
    // The usage chart (TFmainChart.cpp): its button and tray item, and its refresh.
    void connect_chart();
    void follow_chart();
    void update_chart();
    void write_tick_error(const std::string& message);
    // Runs a user command; an error ends it and goes to the event log, nothing is shown.
    void command(const std::function<void()>& body);
    // Shows a window without blocking in front of this one, or brings it up again when it
    // is open (TFmainCommands.cpp).
    void show_window(QWidget* window);

    MainWindowContext m_context;
    std::unique_ptr<LogDatabase> m_log;
    std::unique_ptr<TrafficEngine> m_engine;
    std::string m_help_file;
    std::atomic<bool> m_is_service{false};
    bool m_close_confirmed = false;
    bool m_shown_once = false;  // centred on the screen when first shown
    int m_tray_index = 0;
    std::string m_last_tick_error;
    LogFilter m_grid_filter;
    Tlog_summary m_log_summary;
    const Forms* m_forms = nullptr;
    QTimer* m_timer2 = nullptr;
    QTimer* m_timer3 = nullptr;

    MainToolbar* m_toolbar = nullptr;
    LogGridModel* m_grid_model = nullptr;
    LogGrid* m_grid = nullptr;
    DisplayModeBar* m_display_mode = nullptr;
    SummaryPanel* m_summary = nullptr;
    LogStatusLine* m_log_status = nullptr;
    std::function<std::string()> m_central_problem;
    LogFilterBox* m_filter = nullptr;
    TrayIcon* m_tray = nullptr;
    HelpMenu* m_help_menu = nullptr;
    BudgetMonitor* m_budgets = nullptr;
    // The now-online view's tariffs, kept while the device options file stays the same.
    std::unique_ptr<TariffBookCache> m_online_tariffs;
    // The now-online rows of the last tick, made again where their figures changed.
    OnlineGridTexts m_online_texts;
};

}  // namespace quorvane
