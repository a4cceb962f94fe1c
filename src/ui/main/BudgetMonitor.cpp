#include "ui/main/BudgetMonitor.h"

#include <QStringList>

#include "platform/EventLog.h"
#include "ui/main/TrayIcon.h"
#include "usage/BudgetTexts.h"

namespace quorvane {

BudgetMonitor::BudgetMonitor(std::string data_dir, RegionalSettings regional, TrayIcon& tray,
                             EventLog& event_log, std::string source, QObject* parent)
    : QObject(parent),
      m_watch(std::move(data_dir), regional),
      m_regional(std::move(regional)),
      m_tray(tray),
      m_event_log(event_log),
      m_source(std::move(source)),
      m_notices(std::make_unique<TrayBudgetNotices>(tray, event_log, m_source)) {
    setObjectName("budgets");
}

void BudgetMonitor::tick(LogDatabase& log, const Tmibarray& devices, const LocalTime& now) {
    try {
        const std::vector<BudgetNotice> notices = m_watch.update(log, devices, now);
        show_tool_tip();
        for (const BudgetNotice& notice : notices) {
            m_notices->notify(QString::fromStdString(notice.title),
                              QString::fromStdString(notice.text));
        }
        m_last_error.clear();
    } catch (const std::exception& error) {
        const std::string message = std::string("Monthly budgets: ") + error.what();
        if (message == m_last_error) return;
        m_last_error = message;
        try {
            m_event_log.write_error(m_source, message);
        } catch (...) {
            // The tick goes on also when the event log fails.
        }
    }
}

void BudgetMonitor::show_tool_tip() {
    QStringList lines;
    for (const BudgetStatus& status : m_watch.statuses()) {
        for (BudgetKind kind : {BudgetKind::Cost, BudgetKind::Traffic}) {
            const bool has =
                kind == BudgetKind::Cost ? status.budget.has_cost() : status.budget.has_traffic();
            if (!has) continue;
            lines << QString::fromStdString(budget_tool_tip_line(status.device, status.budget, kind,
                                                                 status.month_to_date, m_regional));
        }
    }
    m_tray.set_budget_lines(lines);
}

}  // namespace quorvane
