#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>

#include "ui/MainFaceFixture.h"
#include "ui/common/DropDownComboBox.h"
#include "ui/common/LiveDevices.h"
#include "ui/main/LogGrid.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/TrayIcon.h"
#include "widgets/TrendGraph.h"

namespace quorvane::test {
namespace {

// The main window feeds the meter and the statistics window from its own ticks.
class LiveWiring : public MainFaceFixture {
protected:
    void SetUp() override {
        MainFaceFixture::SetUp();
        meter_device.clear();
        stat_device.clear();
        net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
        net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
        window->restore();
        ticks(1);
    }
    TFmeter& meter() { return *forms.Fmeter; }
    TFstat& stat() { return *forms.Fstat; }
    int32_t newest_download() {
        return meter().downloadtrend()->buffers().value(TrendBuffers::Main, 89);
    }
};

TEST_F(LiveWiring, TheMeterButtonShowsTheGridsDeviceAndTheTicksFeedIt) {
    window->StringGrid1()->select_row(1);
    window->toolbar()->SpeedButton7()->click();
    EXPECT_TRUE(meter().isVisible());
    EXPECT_EQ(meter().Label5()->text(), "WAN");
    EXPECT_TRUE(window->wants_meter());
    traffic(3, 2048, 512);
    ticks(1);
    EXPECT_EQ(newest_download(), 2048);
    EXPECT_EQ(meter().Label1()->text(), "D: 2.00 KB/s");

    meter().Hide1Click();
    traffic(3, 4096, 0);
    ticks(1);
    EXPECT_EQ(newest_download(), 4096) << "fed while hidden";

    meter().Exit1Click();
    EXPECT_FALSE(window->wants_meter());
    traffic(3, 100, 0);
    ticks(1);
    EXPECT_EQ(newest_download(), 0) << "not fed after Exit";
}

TEST_F(LiveWiring, TheMetersDeviceMenuListsTheMainWindowsDevices) {
    meter().PopupMenu1()->popup(QPoint(0, 0));
    meter().PopupMenu1()->hide();
    ASSERT_EQ(meter().device_items().size(), 2u);
    EXPECT_EQ(meter().device_items()[0]->text(), "LAN");
    EXPECT_EQ(meter().device_items()[1]->text(), "WAN");
}

TEST_F(LiveWiring, TheTrayItemShowsTheMeter) {
    window->tray()->Meter2()->trigger();
    EXPECT_TRUE(meter().isVisible());
    EXPECT_EQ(meter().Tag(), 1);
}

TEST_F(LiveWiring, TheDoubleClickPutsTheDeviceIntoTheBoxAndTheTicksFillTheTable) {
    window->StringGrid1()->select_row(0);
    window->StringGrid1DblClick();
    EXPECT_TRUE(stat().isVisible());
    EXPECT_EQ(stat().ComboBox1()->currentText(), "LAN");
    EXPECT_TRUE(window->wants_stat());
    traffic(2, 1024, 0);
    ticks(1);
    EXPECT_EQ(stat().cell(1, 1), "LAN");
    EXPECT_EQ(stat().cell(5, 1), "1.00 KB");

    stat().close();
    EXPECT_FALSE(window->wants_stat());
    traffic(2, 4096, 0);
    ticks(1);
    EXPECT_EQ(stat().cell(5, 1), "1.00 KB") << "not fed while closed";
}

TEST_F(LiveWiring, TheStatisticButtonShowsTheWindowOnTheGridsDevice) {
    window->StringGrid1()->select_row(1);
    window->toolbar()->SpeedButton8()->click();
    traffic(3, 2048, 0);
    ticks(1);
    EXPECT_EQ(stat().cell(1, 1), "WAN");
    stat().ComboBox1()->showPopup();
    stat().ComboBox1()->hidePopup();
    EXPECT_EQ(stat().ComboBox1()->count(), 2) << "the box lists the main window's devices";
}

}  // namespace
}  // namespace quorvane::test
