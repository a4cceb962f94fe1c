#include "ui/main/LogFilterBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "ui/main/DeviceComboBox.h"
#include "ui/pictures/Pictures.h"

namespace quorvane {

namespace {

QStringList day_items() {
    QStringList items{"All"};
    for (int day = 1; day <= 31; ++day) items << QString::number(day);
    return items;
}

QStringList month_items() {
    return {"All",  "January", "February",  "March",   "April",    "May",     "June",
            "July", "August",  "September", "October", "November", "December"};
}

QLabel* small_label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

QToolButton* picture_button(const char* name, const QString& tip, FilterPicture picture,
                            QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setIcon(filter_picture(picture));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(34, 34);
    button->setAutoRaise(true);
    return button;
}

void select_index(QComboBox* box, int index) {
    if (index >= 0 && index < box->count()) {
        box->setCurrentIndex(index);
    } else {
        box->setCurrentIndex(-1);
        box->setEditText("");
    }
}

}  // namespace

QStringList year_items(int this_year) {
    QStringList items{"All"};
    for (int year = 2001; year <= this_year + 1; ++year) items << QString::number(year);
    return items;
}

LogFilterBox::LogFilterBox(QWidget* parent) : QGroupBox("  Log filter  ", parent) {
    setObjectName("GroupBox1");
    auto* layout = new QGridLayout(this);
    // Set below to what the boxes need at the font, so the summary beside gets the rest.
    layout->setContentsMargins(10, 12, 10, 10);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);

    m_device = new DeviceComboBox(this);
    const QStringList years = year_items(QDate::currentDate().year());
    m_from_day = date_box("ComboBox4", day_items(), 44);
    m_from_month = date_box("ComboBox2", month_items(), 92);
    m_from_year = date_box("ComboBox3", years, 58);
    m_to_day = date_box("ComboBox7", day_items(), 44);
    m_to_month = date_box("ComboBox5", month_items(), 92);
    m_to_year = date_box("ComboBox6", years, 58);

    m_erase = picture_button("SpeedButton1", "Erase the connections the grid shows",
                             FilterPicture::Erase, this);
    m_export =
        picture_button("SpeedButton10", "Export a usage report", FilterPicture::Export, this);
    m_show = picture_button("SpeedButton5", "Show the connections", FilterPicture::Show, this);
    m_chart = picture_button("ChartButton", "Show the usage chart", FilterPicture::Chart, this);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addStretch();
    buttons->addWidget(m_erase);
    buttons->addWidget(m_export);
    buttons->addWidget(m_chart);
    buttons->addWidget(m_show);

    layout->addWidget(small_label("Network Device", this), 0, 0, 1, 4);
    layout->addWidget(m_device, 1, 0, 1, 4);
    layout->addLayout(buttons, 0, 4, 2, 3);
    layout->addWidget(small_label("day", this), 2, 0);
    layout->addWidget(small_label("month", this), 2, 1);
    layout->addWidget(small_label("year", this), 2, 2);
    layout->addWidget(small_label("day", this), 2, 4);
    layout->addWidget(small_label("month", this), 2, 5);
    layout->addWidget(small_label("year", this), 2, 6);
    layout->addWidget(m_from_day, 3, 0);
    layout->addWidget(m_from_month, 3, 1);
    layout->addWidget(m_from_year, 3, 2);
    auto* to = new QLabel("to", this);
    to->setAlignment(Qt::AlignCenter);
    layout->addWidget(to, 3, 3);
    layout->addWidget(m_to_day, 3, 4);
    layout->addWidget(m_to_month, 3, 5);
    layout->addWidget(m_to_year, 3, 6);
    layout->setRowMinimumHeight(4, 10);
    layout->addWidget(new QLabel("Show lists the connections of the period; erase deletes\n"
                                 "them, sparing the connections still in progress.",
                                 this),
                      5, 0, 1, 7);
    layout->setRowStretch(6, 1);
    setFixedWidth(sizeHint().width());
}

QComboBox* LogFilterBox::date_box(const char* name, const QStringList& items, int width) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setFixedWidth(width);
    box->setMaxVisibleItems(12);
    return box;
}

FilterBoxes LogFilterBox::boxes() const {
    auto text = [](const QComboBox* box) { return box->currentText().toStdString(); };
    return FilterBoxes{text(m_device), text(m_from_day), text(m_from_month), text(m_from_year),
                       text(m_to_day), text(m_to_month), text(m_to_year)};
}

void LogFilterBox::show_days(const FilterBoxes& boxes) {
    auto show = [](QComboBox* box, const std::string& text) {
        const QString day = QString::fromStdString(text);
        if (box->currentText() != day) box->setEditText(day);
    };
    show(m_from_day, boxes.from_day);
    show(m_to_day, boxes.to_day);
}

void LogFilterBox::set_dates_to(const QDate& day) {
    m_device->setCurrentIndex(0);
    for (QComboBox* box : {m_from_day, m_to_day}) select_index(box, day.day());
    for (QComboBox* box : {m_from_month, m_to_month}) select_index(box, day.month());
    for (QComboBox* box : {m_from_year, m_to_year}) select_index(box, day.year() - 2000);
}

QComboBox* LogFilterBox::date_box_of(FilterBox box) const {
    switch (box) {
        case FilterBox::from_day:
            return m_from_day;
        case FilterBox::from_month:
            return m_from_month;
        case FilterBox::from_year:
            return m_from_year;
        case FilterBox::to_day:
            return m_to_day;
        case FilterBox::to_month:
            return m_to_month;
        case FilterBox::to_year:
            return m_to_year;
        case FilterBox::none:
            break;
    }
    return nullptr;
}

namespace {

const QColor kBadBox(255, 204, 204);

}  // namespace

void LogFilterBox::mark_bad_box(FilterBox bad, const QString& message) {
    for (QComboBox* box :
         {m_from_day, m_from_month, m_from_year, m_to_day, m_to_month, m_to_year}) {
        const bool marked = box == date_box_of(bad);
        QPalette colours = box->lineEdit()->palette();
        colours.setColor(QPalette::Base, marked ? kBadBox : palette().color(QPalette::Base));
        box->lineEdit()->setPalette(colours);
        box->setToolTip(marked ? message : QString());
    }
}

bool LogFilterBox::is_marked(const QComboBox* box) {
    return box->lineEdit()->palette().color(QPalette::Base) == kBadBox;
}

}  // namespace quorvane
