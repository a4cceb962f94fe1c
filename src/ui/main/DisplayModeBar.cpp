#include "ui/main/DisplayModeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace quorvane {

DisplayModeBar::DisplayModeBar(QWidget* parent) : QWidget(parent) {
    setObjectName("displaymode");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    auto* caption = new QLabel("Display mode :", this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    m_now_online = new QRadioButton("Currently online device", this);
    m_now_online->setObjectName("Radionowonline");
    m_now_online->setChecked(true);
    m_from_database = new QRadioButton("From database", this);
    m_from_database->setObjectName("Radiofrimdatabase");
    layout->addWidget(caption);
    layout->addWidget(m_now_online);
    layout->addWidget(m_from_database);
    layout->addStretch();
}

bool DisplayModeBar::now_online() const {
    return m_now_online->isChecked();
}

}  // namespace quorvane
