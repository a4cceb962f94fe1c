#include "ui/main/BudgetNotices.h"

#include <QSystemTrayIcon>

#include "platform/EventLog.h"
#include "ui/common/MessageBox.h"
#include "ui/main/TrayIcon.h"

namespace quorvane {

namespace {

// How long a notification stays, where the desktop leaves that to the program.
constexpr int kNoticeMs = 20000;

}  // namespace

TrayBudgetNotices::TrayBudgetNotices(TrayIcon& tray, EventLog& event_log, std::string source)
    : m_tray(tray), m_event_log(event_log), m_source(std::move(source)) {}

void TrayBudgetNotices::notify(const QString& title, const QString& text) {
    if (MessageBox::has_display() && m_tray.in_tray() && QSystemTrayIcon::supportsMessages()) {
        m_tray.icon()->showMessage(title, text, QSystemTrayIcon::Warning, kNoticeMs);
        return;
    }
    m_event_log.write_error(m_source, (title + ": " + text).toStdString());
}

}  // namespace quorvane
