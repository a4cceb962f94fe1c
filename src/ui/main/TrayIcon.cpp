#include "ui/main/TrayIcon.h"

#include <QMenu>
#include <QTimer>

#include "ui/pictures/Pictures.h"

namespace quorvane {

namespace {

// How often the tray host is looked for: a new tray (a panel restarted, a desktop session
// started after the service) gets the icon within this time.
constexpr int kTrayWatchMs = 2000;

}  // namespace

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
    setObjectName("tray");
    m_menu = new QMenu;
    m_menu->setObjectName("PopupMenu1");
    m_restore = m_menu->addAction("Restore");
    m_restore->setObjectName("restore1");
    m_meter = m_menu->addAction("Meter");
    m_meter->setObjectName("Meter2");
    m_statistic = m_menu->addAction("Statistic");
    m_statistic->setObjectName("Statistic1");
    m_chart = m_menu->addAction("Usage chart");
    m_chart->setObjectName("UsageChart1");
    m_homepage = m_menu->addAction("Go to homepage");
    m_homepage->setObjectName("gotohomepage2");
    m_menu->addSeparator();
    m_exit = m_menu->addAction("Exit");
    m_exit->setObjectName("exit2");

    m_icon = new QSystemTrayIcon(tray_picture(0), this);
    m_icon->setToolTip("Quorvane");
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](auto reason) {
        if (reason == QSystemTrayIcon::DoubleClick) emit restore_requested();
    });
    connect(m_restore, &QAction::triggered, this, &TrayIcon::restore_requested);

    m_watch = new QTimer(this);
    m_watch->setInterval(kTrayWatchMs);
    connect(m_watch, &QTimer::timeout, this, &TrayIcon::watch_tray_host);
    m_watch->start();
    watch_tray_host();
}

TrayIcon::~TrayIcon() {
    m_icon->hide();
    delete m_menu;
}

void TrayIcon::set_picture(int index) {
    if (index < 0 || index > 3) index = 0;
    if (index == m_picture) return;
    m_picture = index;
    m_icon->setIcon(tray_picture(index));
    ++m_tray_updates;
}

void TrayIcon::set_tool_tip(const QString& text) {
    if (text == m_icon->toolTip()) return;
    m_icon->setToolTip(text);
    ++m_tray_updates;
}

void TrayIcon::set_budget_lines(const QStringList& lines) {
    if (lines == m_budget_lines) return;
    m_budget_lines = lines;
    set_tool_tip(tool_tip());
}

QString TrayIcon::tool_tip() const {
    QStringList lines{"Quorvane"};
    if (!m_problem.isEmpty()) lines << m_problem;
    return (lines + m_budget_lines).join('\n');
}

void TrayIcon::set_problem(const QString& problem) {
    m_problem = problem;
    set_tool_tip(tool_tip());
}

bool TrayIcon::in_tray() const {
    return m_host_seen && m_icon->isVisible();
}

void TrayIcon::watch_tray_host() {
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available && !m_host_seen) {
        // Shown afresh, so that a tray host that has just appeared docks the icon.
        m_icon->hide();
        m_icon->show();
    }
    m_host_seen = available;
}

}  // namespace quorvane
