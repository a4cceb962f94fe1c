#pragma once

#include <memory>
#include <string>

#include <QObject>

#include "format/LocalTime.h"
#include "format/RegionalSettings.h"
#include "traffic/Tmibdata.h"
#include "ui/main/BudgetNotices.h"
#include "usage/BudgetWatch.h"

namespace quorvane {

class EventLog;
class LogDatabase;
class TrayIcon;

// The main window's part in the monthly budgets: once a tick after the logging pass it
// updates the month to date of each device with a budget, tells each threshold passed
// through the notices, and lists month to date against budget in the tray's tool-tip. An
// error (a budget or tariff that does not convert, a failing read) goes to the event log
// once, and the sampling goes on.
class BudgetMonitor : public QObject {
    Q_OBJECT

public:
    BudgetMonitor(std::string data_dir, RegionalSettings regional, TrayIcon& tray,
                  EventLog& event_log, std::string source, QObject* parent = nullptr);

    void tick(LogDatabase& log, const Tmibarray& devices, const LocalTime& now);
    // The budgets or tariffs may have changed (the configuration dialog saved a device).
    void settings_changed() { m_watch.settings_changed(); }

    // Replaces where notices go (a test's recorder).
    void set_notices(std::unique_ptr<BudgetNotices> notices) { m_notices = std::move(notices); }
    const BudgetWatch& watch() const { return m_watch; }

private:
    void show_tool_tip();

    BudgetWatch m_watch;
    RegionalSettings m_regional;
    TrayIcon& m_tray;
    EventLog& m_event_log;
    std::string m_source;
    std::unique_ptr<BudgetNotices> m_notices;
    std::string m_last_error;
};

}  // namespace quorvane
