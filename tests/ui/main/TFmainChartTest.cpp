#include <gtest/gtest.h>

#include <QAction>
#include <QBarSet>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QRadioButton>
#include <QStackedBarSeries>
#include <QToolButton>

#include "ui/MainFaceFixture.h"
#include "ui/chart/TFtuneup.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/TrayIcon.h"

namespace quorvane::test {
namespace {

// The chart button, the tray's "Usage chart" and the chart following the database view, in
// the real main window over a real log.
class TFmainChart : public MainFaceFixture {
protected:
    void SetUp() override {
        MainFaceFixture::SetUp();
        auto add = [this](const char* id, const char* date, const char* time, const char* device,
                          int32_t seconds, int64_t down, int64_t up) {
            window->log_database().insert_connection(
                LogRow{id, date, time, "local", device, seconds, 0, down, up});
        };
        // 1.5 per minute on LAN.
        dir.write("config/dev.ini", "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\n");
        add("a", "2026-12-09", "23:59", "LAN", 60, 1000, 10);
        add("b", "2026-12-10", "09:00", "LAN", 90, 2000, 20);
        add("c", "2026-12-10", "09:40", "WAN", 3600, 4000, 40);
        add("d", "2026-11-02", "12:00", "LAN", 600, 8000, 80);
    }
    void filter(const char* day, const char* month, const char* year) {
        LogFilterBox* box = window->filter_box();
        box->ComboBoxEx1()->setEditText("All");
        for (auto* combo : {box->ComboBox4(), box->ComboBox7()}) combo->setEditText(day);
        for (auto* combo : {box->ComboBox2(), box->ComboBox5()}) combo->setEditText(month);
        for (auto* combo : {box->ComboBox3(), box->ComboBox6()}) combo->setEditText(year);
    }
    TFtuneup* chart() { return forms.Ftuneup.get(); }
    QToolButton* chart_button() { return window->filter_box()->chart_button(); }
    qreal downloads() {
        qreal sum = 0;
        for (int i = 0; i < chart()->download_set()->count(); ++i)
            sum += chart()->download_set()->at(i);
        return sum;
    }
};

TEST_F(TFmainChart, TheButtonWorksInTheDatabaseViewOnly) {
    EXPECT_FALSE(chart_button()->isEnabled());
    window->display_mode()->Radiofrimdatabase()->click();
    EXPECT_TRUE(chart_button()->isEnabled());
    window->display_mode()->Radionowonline()->click();
    EXPECT_FALSE(chart_button()->isEnabled());
}

// One day in hours: the bars are those of the grid's rows, their cost is the summary's.
TEST_F(TFmainChart, TheButtonShowsTheGridsConnectionsAsBars) {
    filter("10", "December", "2026");
    window->display_mode()->Radiofrimdatabase()->click();
    chart_button()->click();
    EXPECT_TRUE(events.entries().empty()) << events.entries().front().second;
    ASSERT_TRUE(chart()->isVisible());
    EXPECT_EQ(chart()->chart()->title().toStdString(),
              "Usage of all devices, 10/12/2026 to 10/12/2026");
    ASSERT_NE(chart()->bar_series(), nullptr);
    EXPECT_EQ(chart()->download_set()->count(), 24);
    EXPECT_EQ(chart()->download_set()->at(9), 6000);
    EXPECT_EQ(chart()->upload_set()->at(9), 60);
    // 90 s of LAN at 1.5 per minute; WAN has no tariff.
    EXPECT_EQ(chart()->cost_series()->at(9).y(), 2.25);
    EXPECT_EQ(window->summary()->Label33()->text(), "2.25");
}

// Show with the chart open redraws it: a month in days, then "All record" in months.
TEST_F(TFmainChart, TheOpenChartFollowsShow) {
    window->SpeedButton6Click();
    ASSERT_TRUE(chart()->isVisible());
    EXPECT_TRUE(window->display_mode()->Radiofrimdatabase()->isChecked());
    filter("All", "December", "2026");
    window->filter_box()->SpeedButton5()->click();
    EXPECT_EQ(chart()->chart()->title().toStdString(),
              "Usage of all devices, 01/12/2026 to 31/12/2026");
    EXPECT_EQ(chart()->download_set()->count(), 31);
    EXPECT_EQ(downloads(), 7000);
    filter("All", "All", "All");
    window->filter_box()->SpeedButton5()->click();
    EXPECT_EQ(chart()->chart()->title().toStdString(), "Usage of all devices, All record");
    EXPECT_EQ(chart()->download_set()->count(), 2);  // November and December
    EXPECT_EQ(chart()->download_set()->at(0), 8000);
    // A closed chart is left alone.
    chart()->close();
    filter("1", "January", "2026");
    window->filter_box()->SpeedButton5()->click();
    EXPECT_EQ(chart()->chart()->title().toStdString(), "Usage of all devices, All record");
}

TEST_F(TFmainChart, TheTrayOpensItOnAPeriodWithoutConnections) {
    filter("1", "January", "2026");
    window->tray()->UsageChart1()->trigger();
    ASSERT_TRUE(chart()->isVisible());
    EXPECT_TRUE(chart()->empty_label()->isVisible());
    EXPECT_EQ(chart()->empty_label()->text(), "No connections in this period");
    EXPECT_EQ(window->tray()->UsageChart1()->text(), "Usage chart");
}

}  // namespace
}  // namespace quorvane::test
