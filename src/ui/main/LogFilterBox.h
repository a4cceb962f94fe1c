#pragma once

#include <QDate>
#include <QGroupBox>

#include "usage/LogFilterRules.h"

class QComboBox;
class QToolButton;

namespace quorvane {

class DeviceComboBox;

// The group "  Log filter  ": the device box, the "from" and "to" dates as day, month and
// year boxes (each also takes typed text), and the erase, export, chart and show buttons.
class LogFilterBox : public QGroupBox {
    Q_OBJECT

public:
    explicit LogFilterBox(QWidget* parent = nullptr);

    // The texts of the seven boxes as they are shown.
    FilterBoxes boxes() const;
    // Shows the day texts of the boxes (the filter corrects a day past its month's end).
    void show_days(const FilterBoxes& boxes);
    // The device box at "All" and both dates at the given day. A year the lists do not hold
    // leaves the year boxes empty, which counts as "All".
    void set_dates_to(const QDate& day);
    // Marks the box a filter failed on: red, with the message as its tool-tip. Every other
    // box loses its mark; FilterBox::none clears them all.
    void mark_bad_box(FilterBox box, const QString& message = {});
    // The date box of a filter box; nullptr for FilterBox::none.
    QComboBox* date_box_of(FilterBox box) const;
    // True while a box carries the mark.
    static bool is_marked(const QComboBox* box);

    DeviceComboBox* ComboBoxEx1() const { return m_device; }
    QComboBox* ComboBox4() const { return m_from_day; }
    QComboBox* ComboBox2() const { return m_from_month; }
    QComboBox* ComboBox3() const { return m_from_year; }
    QComboBox* ComboBox7() const { return m_to_day; }
    QComboBox* ComboBox5() const { return m_to_month; }
    QComboBox* ComboBox6() const { return m_to_year; }
    QToolButton* SpeedButton1() const { return m_erase; }
    QToolButton* SpeedButton10() const { return m_export; }
    QToolButton* SpeedButton5() const { return m_show; }
    QToolButton* chart_button() const { return m_chart; }

private:
    QComboBox* date_box(const char* name, const QStringList& items, int width);

    DeviceComboBox* m_device;
    QComboBox* m_from_day;
    QComboBox* m_from_month;
    QComboBox* m_from_year;
    QComboBox* m_to_day;
    QComboBox* m_to_month;
    QComboBox* m_to_year;
    QToolButton* m_erase;
    QToolButton* m_export;
    QToolButton* m_show;
    QToolButton* m_chart;
};

// The year boxes' items: "All", then 2001 up to the year after this one, so that a year's
// index is its last two digits.
QStringList year_items(int this_year);

}  // namespace quorvane
