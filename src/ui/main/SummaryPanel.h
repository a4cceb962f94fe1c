#pragma once

#include <QWidget>

#include "usage/SummaryTexts.h"

class QLabel;

namespace quorvane {

// The summary below the grid: report period, device, connection count, total time and its
// cost, total charged traffic and its cost, total cost; each a label beside its caption.
class SummaryPanel : public QWidget {
    Q_OBJECT

public:
    explicit SummaryPanel(QWidget* parent = nullptr);

    void set_period(const QString& text);  // Label7
    void set_device(const QString& text);  // Label23
    // Label28, Label32, Label19 and Label33.
    void show_summary(const SummaryTexts& texts);

    QLabel* Label7() const { return m_period; }
    QLabel* Label23() const { return m_device; }
    QLabel* Label28() const { return m_count; }
    QLabel* Label32() const { return m_time; }
    QLabel* Label19() const { return m_traffic; }
    QLabel* Label33() const { return m_total; }

private:
    QLabel* add_line(int row, const char* caption, const char* name, const char* text);

    QLabel* m_period;
    QLabel* m_device;
    QLabel* m_count;
    QLabel* m_time;
    QLabel* m_traffic;
    QLabel* m_total;
};

}  // namespace quorvane
