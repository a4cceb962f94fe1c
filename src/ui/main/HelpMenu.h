#pragma once

#include <QMenu>

class QAction;

namespace quorvane {

// The Help button's menu: About us, Help, Home page, Tips of the day.
class HelpMenu : public QMenu {
    Q_OBJECT

public:
    explicit HelpMenu(QWidget* parent = nullptr);

    QAction* Aboutus1() const { return m_about; }
    QAction* Help1() const { return m_help; }
    QAction* Homepage1() const { return m_homepage; }
    QAction* ipsoftheday1() const { return m_tips; }

private:
    QAction* m_about;
    QAction* m_help;
    QAction* m_homepage;
    QAction* m_tips;
};

}  // namespace quorvane
