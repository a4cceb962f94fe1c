#include "ui/main/SummaryPanel.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/main/WrappedLabelBox.h"

namespace quorvane {

SummaryPanel::SummaryPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("summary");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 10, 0, 4);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(9);
    layout->setColumnStretch(1, 1);
    m_period = add_line(0, "Report period:", "Label7", "--");
    m_device = add_line(1, "Network device:", "Label23", "--");
    m_count = add_line(2, "Connection count:", "Label28", "0");
    m_time = add_line(3, "Total time / cost:", "Label32", "0");
    m_traffic = add_line(4, "Total traffic / cost:", "Label19", "0");
    m_total = add_line(5, "Total cost:", "Label33", "0");
    layout->setRowStretch(6, 1);
}

QLabel* SummaryPanel::add_line(int row, const char* caption, const char* name, const char* text) {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    auto* caption_label = new QLabel(caption, this);
    // A text that changes each second lays out the window only when its line count changes.
    auto* box = new WrappedLabelBox(this);
    QLabel* value = box->label();
    value->setText(text);
    value->setObjectName(name);
    // Device names are whatever the user typed: never read as rich text.
    value->setTextFormat(Qt::PlainText);
    box->set_selectable_by_mouse();
    // A long figure or name wraps within the panel's width, never widening the panel: the
    // log filter beside it keeps its place inside the window. The tool-tip holds the whole
    // text where a single word is still too wide.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    value->setWordWrap(true);
    box->set_size_policy(policy);
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    value->setStyleSheet("color: rgb(29, 63, 138);");
    layout->addWidget(caption_label, row, 0);
    layout->addWidget(box, row, 1);
    return value;
}

namespace {

// A label whose text stays the same is left alone: it is neither laid out nor painted again.
void show_text(QLabel* label, const QString& text) {
    static_cast<WrappedLabelBox*>(label->parentWidget())->set_text(text);
}

}  // namespace

void SummaryPanel::set_period(const QString& text) {
    show_text(m_period, text);
}

void SummaryPanel::set_device(const QString& text) {
    show_text(m_device, text);
}

void SummaryPanel::show_summary(const SummaryTexts& texts) {
    show_text(m_count, QString::fromStdString(texts.count));
    show_text(m_time, QString::fromStdString(texts.time));
    show_text(m_traffic, QString::fromStdString(texts.traffic));
    show_text(m_total, QString::fromStdString(texts.total));
}

}  // namespace quorvane
