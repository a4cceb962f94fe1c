#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "format/RegionalSettings.h"
#include "usage/UsageBars.h"

class QBarSet;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QStackedBarSeries;
class QToolButton;

namespace quorvane {

// The usage chart: the connections of the log filter as bars of hours, days or months,
// each stacking download and upload in the meter's colours, with each bar's cost as a line
// on a second axis, a legend and a title naming the device and the period. Pointing at a
// bar shows its date, download, upload, total, time online and cost. "Save as" writes the
// chart as PNG, or as SVG for a name ending in ".svg". Created hidden at start-up; the main
// window hands it the bars of its database view.
class TFtuneup : public QWidget {
    Q_OBJECT

public:
    explicit TFtuneup(QWidget* parent = nullptr);

    // Draws the bars; `device` is the device box's text, `period` the period caption.
    void show_usage(const UsageBars& bars, const std::string& device, const std::string& period,
                    const RegionalSettings& regional);

    // "Save as": asks for a file and writes the chart to it.
    void SaveAsClick();
    // Writes the chart as SVG when the name ends in ".svg" (any letter case), else as PNG.
    // False when the file could not be written.
    bool save_picture(const QString& path);

    QChart* chart() const { return m_chart; }
    QChartView* chart_view() const { return m_view; }
    // Empty while no connections are shown.
    QStackedBarSeries* bar_series() const { return m_bars; }
    QBarSet* download_set() const { return m_download; }
    QBarSet* upload_set() const { return m_upload; }
    QLineSeries* cost_series() const { return m_cost; }
    QLabel* empty_label() const { return m_empty; }
    QLabel* hover_label() const { return m_hover; }
    QToolButton* save_button() const { return m_save; }
    // The hover text of a bar (empty past the bars).
    QString bar_text(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void clear_chart();
    void hover(bool status, int index);
    void place_empty_label();

    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QStackedBarSeries* m_bars = nullptr;
    QBarSet* m_download = nullptr;
    QBarSet* m_upload = nullptr;
    QLineSeries* m_cost = nullptr;
    QLabel* m_empty = nullptr;
    QLabel* m_hover = nullptr;
    QToolButton* m_save = nullptr;
    std::vector<QString> m_texts;
    bool m_shown_once = false;
};

}  // namespace quorvane
