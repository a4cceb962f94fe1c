#include "ui/chart/TFtuneup.h"

#include <algorithm>

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStackedBarSeries>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "ui/chart/ChartScale.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/pictures/Pictures.h"
#include "usage/UsageBarTexts.h"

namespace quorvane {

namespace {

// The meter's colours: download red, upload green.
const QColor kDownload(255, 0, 0);
const QColor kUpload(0, 255, 0);
const QColor kCost(0, 0, 160);
const QColor kBackground(216, 228, 248);
const char* const kHoverPrompt = "Point at a bar for its figures.";
// At most about this many bars get a label along the bottom (every second, third, ... bar):
// short labels ("13:00", "12/31"), and longer ones ("Dec 2026").
constexpr int kMostShortLabels = 14;
constexpr int kMostLongLabels = 8;
constexpr int kShortLabel = 5;

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

// A value axis whose labels are the ticks' own texts.
QCategoryAxis* tick_axis(const AxisTicks& ticks, const QString& title) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (size_t i = 0; i < ticks.values.size(); ++i) {
        axis->append(text_of(ticks.labels[i]), ticks.values[i]);
    }
    axis->setRange(0, ticks.top);
    axis->setTitleText(title);
    axis->setGridLineVisible(true);
    return axis;
}

}  // namespace

// A dialog to the window system, so that the main window it is opened from owns it and it
// stays in front of it; it keeps a normal window's buttons, as a chart is worth enlarging.
constexpr Qt::WindowFlags kFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                                   Qt::WindowCloseButtonHint;

TFtuneup::TFtuneup(QWidget* parent) : QWidget(parent, kFlags) {
    setObjectName("Ftuneup");
    setWindowTitle("Usage chart");
    setWindowIcon(application_icon());
    resize(860, 540);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    m_chart = new QChart;
    m_chart->setObjectName("Chart1");
    m_chart->legend()->setVisible(true);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName("ChartView1");
    m_view->setRenderHint(QPainter::Antialiasing);

    m_empty = new QLabel("No connections in this period", m_view);
    m_empty->setObjectName("EmptyLabel");
    QFont large = m_empty->font();
    large.setPointSize(large.pointSize() + 3);
    m_empty->setFont(large);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->hide();

    m_hover = new QLabel(kHoverPrompt, this);
    m_hover->setObjectName("HoverLabel");
    m_hover->setTextFormat(Qt::PlainText);
    m_save = new QToolButton(this);
    m_save->setObjectName("SaveAs");
    m_save->setText("Save as...");
    m_save->setToolTip("Save the chart as a PNG or SVG picture");
    m_save->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_save->setMinimumSize(90, 26);
    connect(m_save, &QToolButton::clicked, this, &TFtuneup::SaveAsClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_hover, 1);
    bottom->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
}

void TFtuneup::clear_chart() {
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    m_bars = nullptr;
    m_download = nullptr;
    m_upload = nullptr;
    m_cost = nullptr;
    m_texts.clear();
    m_hover->setText(kHoverPrompt);
}

void TFtuneup::show_usage(const UsageBars& bars, const std::string& device,
                          const std::string& period, const RegionalSettings& regional) {
    clear_chart();
    m_chart->setTitle(text_of(chart_title(device, period)));
    const bool empty = bars.summary.conn_count == 0;
    m_empty->setVisible(empty);
    m_chart->legend()->setVisible(!empty);
    if (empty) {
        place_empty_label();
        return;
    }

    m_download = new QBarSet("Download");
    m_download->setColor(kDownload);
    m_download->setBorderColor(kDownload.darker(140));
    m_upload = new QBarSet("Upload");
    m_upload->setColor(kUpload);
    m_upload->setBorderColor(kUpload.darker(160));
    m_cost = new QLineSeries;
    m_cost->setName("Cost");
    QPen line(kCost);
    line.setWidth(2);
    m_cost->setPen(line);
    m_cost->setPointsVisible(true);

    QStringList labels;
    double most_bytes = 0, most_cost = 0;
    for (size_t i = 0; i < bars.bars.size(); ++i) {
        const UsageBar& bar = bars.bars[i];
        m_download->append(static_cast<qreal>(bar.download));
        m_upload->append(static_cast<qreal>(bar.upload));
        const double cost = static_cast<double>(bar.cost()) / 10000;
        m_cost->append(static_cast<qreal>(i), cost);
        labels << text_of(bar_label(bar, bars.span, regional));
        m_texts.push_back(text_of(bar_hover_text(bar, bars.span, regional)));
        most_bytes = std::max(most_bytes, static_cast<double>(bar.total()));
        most_cost = std::max(most_cost, cost);
    }
    m_bars = new QStackedBarSeries;
    m_bars->setBarWidth(0.7);
    m_bars->append(m_download);
    m_bars->append(m_upload);
    m_chart->addSeries(m_bars);
    m_chart->addSeries(m_cost);

    // Bar i stands at i; every few bars a label, so that they stay level and legible.
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    qsizetype longest = 0;
    for (const QString& label : labels) longest = std::max(longest, label.size());
    const qsizetype most = longest <= kShortLabel ? kMostShortLabels : kMostLongLabels;
    const int every = static_cast<int>(std::max<qsizetype>(1, (labels.size() + most - 1) / most));
    for (int i = 0; i < labels.size(); i += every) x->append(labels[i], i);
    x->setRange(-0.5, labels.size() - 0.5);
    x->setGridLineVisible(false);
    m_chart->addAxis(x, Qt::AlignBottom);
    QCategoryAxis* traffic = tick_axis(byte_ticks(most_bytes, regional), "Traffic");
    m_chart->addAxis(traffic, Qt::AlignLeft);
    QCategoryAxis* money = tick_axis(amount_ticks(most_cost, regional), "Cost");
    money->setGridLineVisible(false);
    money->setLabelsColor(kCost);
    money->setTitleBrush(kCost);
    m_chart->addAxis(money, Qt::AlignRight);
    m_bars->attachAxis(x);
    m_bars->attachAxis(traffic);
    m_cost->attachAxis(x);
    m_cost->attachAxis(money);

    connect(m_bars, &QStackedBarSeries::hovered, this,
            [this](bool status, int index, QBarSet*) { hover(status, index); });
    connect(m_cost, &QLineSeries::hovered, this, [this](const QPointF& point, bool status) {
        hover(status, static_cast<int>(std::lround(point.x())));
    });
}

QString TFtuneup::bar_text(int index) const {
    if (index < 0 || index >= static_cast<int>(m_texts.size())) return QString();
    return m_texts[static_cast<size_t>(index)];
}

void TFtuneup::hover(bool status, int index) {
    const QString text = bar_text(index);
    if (!status || text.isEmpty()) {
        m_hover->setText(kHoverPrompt);
        QToolTip::hideText();
        return;
    }
    m_hover->setText(QString(text).replace('\n', "   "));
    QToolTip::showText(QCursor::pos(), text, m_view);
}

void TFtuneup::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Centred on its screen the first time.
    if (m_shown_once || event->spontaneous()) return;
    m_shown_once = true;
    if (QScreen* where = screen()) move(where->availableGeometry().center() - rect().center());
}

void TFtuneup::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place_empty_label();
}

void TFtuneup::place_empty_label() {
    m_empty->setGeometry(m_view->rect());
}

void TFtuneup::SaveAsClick() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString name = "usage-" + QDate::currentDate().toString("yyyyMMdd") + ".png";
    const QString path =
        FileDialog::save_file_name(this, "Save the chart as PNG or SVG", folder, name, "png");
    if (path.isEmpty()) return;
    if (!save_picture(path)) {
        MessageBox::error(this, "Save as", "The chart could not be saved to " + path);
    }
}

bool TFtuneup::save_picture(const QString& path) {
    if (QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(m_view->size());
        svg.setViewBox(m_view->rect());
        svg.setTitle(m_chart->title());
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        m_view->render(&painter);
        return painter.end() && QFileInfo(path).size() > 0;
    }
    return m_view->grab().save(path, "PNG");
}

}  // namespace quorvane
