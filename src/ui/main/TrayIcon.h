#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QTimer;

namespace quorvane {

// The notification-area icon: tool-tip "Quorvane", one of four pictures (no traffic,
// download, upload, both), the menu Restore, Meter, Statistic, Go to homepage, Exit on the
// right button (with Usage chart after Statistic), restore on a double click. The tool-tip
// lists, below the name, the month to date of each budget. Where no tray host runs, the program
// goes on without the icon; it is put in as soon as a tray host appears, and again whenever a new
// one takes over.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // 0 no traffic, 1 download, 2 upload, 3 both. Only a change reaches the tray.
    void set_picture(int index);
    int picture() const { return m_picture; }
    // The tool-tip; only a change reaches the tray.
    void set_tool_tip(const QString& text);
    // How often the picture or the tool-tip was handed to the tray since the start: each
    // hand-over redraws the icon in the tray host.
    int tray_updates() const { return m_tray_updates; }
    // A line under "Quorvane" in the tool-tip that says what keeps the log from recording;
    // empty text removes it.
    void set_problem(const QString& problem);
    // True while a tray host shows the icon.
    bool in_tray() const;

    QMenu* PopupMenu1() const { return m_menu; }
    QAction* restore1() const { return m_restore; }
    QAction* Meter2() const { return m_meter; }
    QAction* Statistic1() const { return m_statistic; }
    QAction* UsageChart1() const { return m_chart; }
    QAction* gotohomepage2() const { return m_homepage; }
    QAction* exit2() const { return m_exit; }
    QSystemTrayIcon* icon() const { return m_icon; }

    // The budget lines of the tool-tip, below "Quorvane"; none leaves the name alone.
    void set_budget_lines(const QStringList& lines);
    QString tool_tip() const;

signals:
    void restore_requested();

private:
    // Puts the icon in when a tray host has appeared since the last look.
    void watch_tray_host();

    QSystemTrayIcon* m_icon;
    QMenu* m_menu;
    QAction* m_restore;
    QAction* m_meter;
    QAction* m_statistic;
    QAction* m_chart;
    QAction* m_homepage;
    QAction* m_exit;
    QTimer* m_watch;
    bool m_host_seen = false;
    int m_picture = 0;
    QStringList m_budget_lines;
    QString m_problem;
    int m_tray_updates = 0;
};

}  // namespace quorvane
