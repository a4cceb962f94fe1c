#pragma once

#include <string>

#include <QString>

namespace quorvane {

class EventLog;
class TrayIcon;

// Where the notices of budgets go. Tests put a recorder in its place.
class BudgetNotices {
public:
    virtual ~BudgetNotices() = default;
    virtual void notify(const QString& title, const QString& text) = 0;
};

// A desktop notification through the tray icon (the desktop's notification service) while
// the icon is in a tray; without one (no display, as for the service) the same words go to
// the event log.
class TrayBudgetNotices : public BudgetNotices {
public:
    TrayBudgetNotices(TrayIcon& tray, EventLog& event_log, std::string source);
    void notify(const QString& title, const QString& text) override;

private:
    TrayIcon& m_tray;
    EventLog& m_event_log;
    std::string m_source;
};

}  // namespace quorvane
