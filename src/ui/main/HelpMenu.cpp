#include "ui/main/HelpMenu.h"

namespace quorvane {

HelpMenu::HelpMenu(QWidget* parent) : QMenu(parent) {
    setObjectName("PopupMenu2");
    m_about = addAction("About us");
    m_about->setObjectName("Aboutus1");
    m_help = addAction("Help");
    m_help->setObjectName("Help1");
    m_homepage = addAction("Home page");
    m_homepage->setObjectName("Homepage1");
    m_tips = addAction("Tips of the day");
    m_tips->setObjectName("ipsoftheday1");
}

}  // namespace quorvane
