#include "ui/chart/TFtuneup.h"

#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QToolButton>

#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "ui/common/FileDialog.h"

namespace quorvane::test {
namespace {

UsageBar bar(int day, int64_t down, int64_t up, int64_t seconds, int64_t cost) {
    UsageBar b;
    b.start = LocalTime{2026, 12, day, 0, 0, 0};
    b.count = down + up > 0 ? 1 : 0;
    b.download = down;
    b.upload = up;
    b.seconds = seconds;
    b.time_cost = cost;
    return b;
}

// Three days of December: 3 MB down and 1 MB up on the 1st for 12.50, nothing on the 2nd,
// 1.5 MB down on the 3rd for 2.25.
UsageBars three_days() {
    UsageBars bars;
    bars.span = BarSpan::Day;
    bars.bars = {bar(1, 3 << 20, 1 << 20, 3600, 125000), bar(2, 0, 0, 0, 0),
                 bar(3, 3 << 19, 0, 90, 22500)};
    bars.summary.conn_count = 2;
    return bars;
}

QStringList labels_of(QAbstractAxis* axis) {
    if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) return categories->categories();
    return qobject_cast<QCategoryAxis*>(axis)->categoriesLabels();
}

class TFtuneupTest : public testing::Test {
protected:
    void TearDown() override { FileDialog::reset(); }
    TFtuneup window;
};

TEST_F(TFtuneupTest, BarsStackDownloadAndUploadWithTheCostOnASecondAxis) {
    window.show_usage(three_days(), "LAN", "12/1/2026 to 12/3/2026", point_decimal());
    EXPECT_EQ(window.chart()->title(), "Usage of LAN, 12/1/2026 to 12/3/2026");
    EXPECT_FALSE(window.empty_label()->isVisibleTo(&window));
    ASSERT_NE(window.bar_series(), nullptr);
    ASSERT_EQ(window.bar_series()->barSets().size(), 2);
    QBarSet* down = window.download_set();
    QBarSet* up = window.upload_set();
    EXPECT_EQ(down->label(), "Download");
    EXPECT_EQ(up->label(), "Upload");
    EXPECT_EQ(down->color(), QColor(255, 0, 0));
    EXPECT_EQ(up->color(), QColor(0, 255, 0));
    EXPECT_EQ((std::vector<qreal>{down->at(0), down->at(1), down->at(2)}),
              (std::vector<qreal>{3 << 20, 0, 3 << 19}));
    EXPECT_EQ((std::vector<qreal>{up->at(0), up->at(1), up->at(2)}),
              (std::vector<qreal>{1 << 20, 0, 0}));
    const QList<QPointF> costs = window.cost_series()->points();
    EXPECT_EQ(costs, (QList<QPointF>{{0, 12.5}, {1, 0}, {2, 2.25}}));
    EXPECT_EQ(window.cost_series()->name(), "Cost");

    // The days along the bottom, bytes on the left, amounts on the right.
    const auto x = window.chart()->axes(Qt::Horizontal, window.bar_series());
    ASSERT_EQ(x.size(), 1);
    EXPECT_EQ(labels_of(x[0]), (QStringList{"12/1", "12/2", "12/3"}));
    const auto left = window.chart()->axes(Qt::Vertical, window.bar_series());
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(labels_of(left[0]),
              (QStringList{"0.00 B", "1.00 MB", "2.00 MB", "3.00 MB", "4.00 MB"}));
    const auto right = window.chart()->axes(Qt::Vertical, window.cost_series());
    ASSERT_EQ(right.size(), 1);
    EXPECT_EQ(right[0]->alignment(), Qt::AlignRight);
    EXPECT_EQ(labels_of(right[0]), (QStringList{"0.00", "2.50", "5.00", "7.50", "10.00", "12.50"}));
    EXPECT_TRUE(window.chart()->legend()->isVisible());
}

// Connections without a tariff: the cost axis still reads in whole units.
TEST_F(TFtuneupTest, NoCostsGiveAWholeUnitCostAxis) {
    UsageBars bars = three_days();
    for (auto& b : bars.bars) b.time_cost = 0;
    window.show_usage(bars, "WAN", "12/1/2026 to 12/3/2026", point_decimal());
    const auto right = window.chart()->axes(Qt::Vertical, window.cost_series());
    EXPECT_EQ(labels_of(right[0]), (QStringList{"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"}));
}

TEST_F(TFtuneupTest, RegionalSeparatorsOnTheAxes) {
    UsageBars bars = three_days();
    bars.bars[0].time_cost = 12345678;  // 1,234.5678
    window.show_usage(bars, "All", "All record", comma_decimal());
    EXPECT_EQ(window.chart()->title(), "Usage of all devices, All record");
    const auto right = window.chart()->axes(Qt::Vertical, window.cost_series());
    EXPECT_EQ(labels_of(right[0]).last(), "1.250,00");
    EXPECT_EQ(labels_of(window.chart()->axes(Qt::Horizontal, window.bar_series())[0]).first(),
              "01.12");
}

// A month of days: a label every third bar keeps them level and legible.
TEST_F(TFtuneupTest, ManyBarsGetEveryFewALabel) {
    UsageBars bars;
    for (int day = 1; day <= 31; ++day) bars.bars.push_back(bar(day, day, 0, 1, 0));
    bars.summary.conn_count = 31;
    window.show_usage(bars, "LAN", "12/01/2026 to 12/31/2026", point_decimal());
    EXPECT_EQ(window.download_set()->count(), 31);
    EXPECT_EQ(labels_of(window.chart()->axes(Qt::Horizontal, window.bar_series())[0]),
              (QStringList{"12/1", "12/4", "12/7", "12/10", "12/13", "12/16", "12/19", "12/22",
                           "12/25", "12/28", "12/31"}));
    // Two years of months, with longer labels: every third.
    bars.span = BarSpan::Month;
    bars.bars.clear();
    for (int month = 0; month < 24; ++month) {
        UsageBar b = bar(1, 1, 0, 1, 0);
        b.start = LocalTime{2025 + month / 12, 1 + month % 12, 1, 0, 0, 0};
        bars.bars.push_back(b);
    }
    window.show_usage(bars, "LAN", "All record", point_decimal());
    EXPECT_EQ(labels_of(window.chart()->axes(Qt::Horizontal, window.bar_series())[0]),
              (QStringList{"Jan 2025", "Apr 2025", "Jul 2025", "Oct 2025", "Jan 2026", "Apr 2026",
                           "Jul 2026", "Oct 2026"}));
}

TEST_F(TFtuneupTest, PointingAtABarShowsItsFigures) {
    window.show_usage(three_days(), "LAN", "12/1/2026 to 12/3/2026", point_decimal());
    const QString prompt = window.hover_label()->text();
    emit window.bar_series()->hovered(true, 2, window.download_set());
    EXPECT_EQ(window.hover_label()->text().toStdString(),
              "12/3/2026   Download: 1.50 MB   Upload: 0.00 B   Total: 1.50 MB   Time online: "
              "00:01:30   Cost: 2.25");
    EXPECT_EQ(window.bar_text(0).split('\n').first(), "12/1/2026");
    emit window.bar_series()->hovered(false, 2, window.download_set());
    EXPECT_EQ(window.hover_label()->text(), prompt);
    emit window.cost_series()->hovered(QPointF(0.1, 12.5), true);
    EXPECT_TRUE(window.hover_label()->text().endsWith("Cost: 12.50"));
}

TEST_F(TFtuneupTest, APeriodWithoutConnections) {
    window.show_usage(three_days(), "LAN", "12/1/2026 to 12/3/2026", point_decimal());
    UsageBars none;
    none.bars = three_days().bars;
    for (auto& b : none.bars) b = bar(b.start.day, 0, 0, 0, 0);
    window.show_usage(none, "LAN", "12/4/2026 to 12/4/2026", point_decimal());
    EXPECT_TRUE(window.empty_label()->isVisibleTo(&window));
    EXPECT_EQ(window.empty_label()->text(), "No connections in this period");
    EXPECT_EQ(window.chart()->title(), "Usage of LAN, 12/4/2026 to 12/4/2026");
    EXPECT_TRUE(window.chart()->series().isEmpty());
    EXPECT_TRUE(window.chart()->axes().isEmpty());
    EXPECT_EQ(window.bar_series(), nullptr);
}

TEST_F(TFtuneupTest, SaveAsWritesPngOrSvgByTheName) {
    TempDir dir;
    window.resize(700, 420);
    window.show_usage(three_days(), "LAN", "12/1/2026 to 12/3/2026", point_decimal());
    const QString png = QString::fromStdString(dir.str() + "/chart");
    const QString svg = QString::fromStdString(dir.str() + "/chart.SVG");
    FileDialog::set_next_file_name(png);
    window.save_button()->click();
    EXPECT_EQ(FileDialog::last_default_suffix(), "png");
    QImage image(png + ".png");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window.chart_view()->size() * window.devicePixelRatio());

    FileDialog::set_next_file_name(svg);
    window.save_button()->click();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("<svg"));
    EXPECT_TRUE(content.contains("Usage of LAN"));
    EXPECT_FALSE(window.save_picture("/proc/no/such/chart.png"));
}

}  // namespace
}  // namespace quorvane::test
