#include "ui/SummaryPanel.h"

#include <QGridLayout>
#include <QLabel>

namespace quorvane {

SummaryPanel::SummaryPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("summary");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 10, 4, 4);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(9);
    layout->setColumnStretch(1, 1);
    m_period = add_line(0, "Report period        :", "Label7", "--");
    m_device = add_line(1, "Netwok device     :", "Label23", "--");
    m_count = add_line(2, "Connection count  :", "Label28", "0");
    m_time = add_line(3, "Total time / cost   :", "Label32", "0");
    m_traffic = add_line(4, "Total traffic / cost  :", "Label19", "0");
    m_total = add_line(5, "Total cost             :", "Label33", "0");
    layout->setRowStretch(6, 1);
}

QLabel* SummaryPanel::add_line(int row, const char* caption, const char* name, const char* text) {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    auto* caption_label = new QLabel(caption, this);
    auto* value = new QLabel(text, this);
    value->setObjectName(name);
    // Device names are whatever the user typed: never read as rich text.
    value->setTextFormat(Qt::PlainText);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    value->setStyleSheet("color: rgb(29, 63, 138);");
    layout->addWidget(caption_label, row, 0);
    layout->addWidget(value, row, 1);
    return value;
}

void SummaryPanel::set_period(const QString& text) {
    m_period->setText(text);
}

void SummaryPanel::set_device(const QString& text) {
    m_device->setText(text);
}

void SummaryPanel::show_summary(const SummaryTexts& texts) {
    m_count->setText(QString::fromStdString(texts.count));
    m_time->setText(QString::fromStdString(texts.time));
    m_traffic->setText(QString::fromStdString(texts.traffic));
    m_total->setText(QString::fromStdString(texts.total));
}

}  // namespace quorvane
