#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include "ui/LiveViewFixture.h"
#include "widgets/TrendGraph.h"

namespace quorvane::test {
namespace {

constexpr int64_t k4G = int64_t{1} << 32;

class Meter : public LiveViewFixture {
protected:
    TrendGraph& graph() { return *meter.downloadtrend(); }
    int32_t newest(TrendBuffers::Series series) { return graph().buffers().value(series, 89); }
    bool graph_empty() {
        for (auto series : {TrendBuffers::Main, TrendBuffers::Twin})
            for (int32_t v : graph().buffers().values(series))
                if (v != 0) return false;
        return true;
    }
    std::vector<std::string> labels() {
        return {meter.Label5()->text().toStdString(), meter.Label1()->text().toStdString(),
                meter.Label4()->text().toStdString(), meter.Label6()->text().toStdString()};
    }
    // Opens the right-click menu as the user does, and closes it again.
    void open_menu() {
        meter.PopupMenu1()->popup(meter.mapToGlobal(QPoint(10, 10)));
        meter.PopupMenu1()->hide();
    }
    std::vector<std::string> device_captions() {
        std::vector<std::string> captions;
        for (QAction* item : meter.Networkdevice1()->actions())
            captions.push_back(item->text().toStdString());
        return captions;
    }
    void show_on(const std::string& device) {
        meter_device = device;
        meter.show();
    }
};

TEST_F(Meter, IsASmallWindowWithoutTitleThatStaysOnTopNearTheTopRightCorner) {
    EXPECT_EQ(meter.objectName(), "Fmeter");
    EXPECT_EQ(meter.Tag(), 0);
    EXPECT_FALSE(meter.isVisible());
    const Qt::WindowFlags flags = meter.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool) << "no task-bar entry";
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(meter.height(), 120);
    EXPECT_EQ(meter.width(), 253 + 2 * TFmeter::kBorder);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(meter.x(), screen.right() + 1 - 270);
    EXPECT_EQ(meter.y(), screen.top() + 50);
    // The labels over the graph, as they start.
    EXPECT_EQ(labels(), (std::vector<std::string>{"--", "D:", "U:", "--"}));
    EXPECT_EQ(meter.Label1()->parentWidget(), &graph());
    EXPECT_EQ(meter.Label4()->pos(), QPoint(1, -1));
    EXPECT_EQ(meter.Label1()->pos(), QPoint(81, -1));
    EXPECT_EQ(meter.Label6()->pos(), QPoint(2, 85));
    EXPECT_EQ(graph().geometry(), QRect(-1, 16, 254, 100));
}

TEST_F(Meter, TheGraphIsALineOfDownloadsOverAnAreaOfUploadsScaledByItself) {
    EXPECT_EQ(graph().Divisions(), 90);
    EXPECT_EQ(graph().Options(), TTrendOptions{toTwin});
    EXPECT_EQ(graph().Style(), tsLine);
    EXPECT_EQ(graph().Color(), QColor(255, 0, 0));
    EXPECT_EQ(graph().ColorBase(), QColor(0, 255, 0));
    EXPECT_EQ(graph().ColorStaticLine(), QColor(0, 255, 0));
    EXPECT_EQ(graph().BackGroundColor(), QColor(233, 233, 254));
    EXPECT_EQ(graph().GridStyle(), gsNone);
    EXPECT_TRUE(graph().AutoScale());
    EXPECT_EQ(graph().MinVal(), 0);
    EXPECT_EQ(graph().MaxVal(), 100);
}

TEST_F(Meter, EachTickEntersTheRatesOfItsDeviceAndWritesThemOverTheGraph) {
    show_on("LAN");
    EXPECT_EQ(meter.Tag(), 1);
    EXPECT_EQ(meter.Label5()->text(), "LAN");
    tick_with(2, 2048, 512);
    traffic(3, 999999, 999999);  // another device's traffic does not count
    EXPECT_EQ(newest(TrendBuffers::Main), 2048);
    EXPECT_EQ(newest(TrendBuffers::Twin), 512);
    EXPECT_EQ(labels(), (std::vector<std::string>{"LAN", "D: 2.00 KB/s", "U: 512.00 B/s",
                                                  "Max scale: 2.00 KB/s"}));
    // The scale follows the larger of the two rates.
    tick_with(2, 100, 6144);
    EXPECT_EQ(graph().MaxVal(), 6144);
    EXPECT_EQ(meter.Label6()->text(), "Max scale: 6.00 KB/s");
    EXPECT_EQ(graph().buffers().value(TrendBuffers::Main, 88), 2048) << "the graph scrolls";
}

TEST_F(Meter, TheFiguresFollowTheRegionalSettings) {
    meter.set_regional(RegionalSettings{",", ".", "dd.MM.yyyy", "HH:mm"});
    show_on("LAN");
    tick_with(2, 1536, 0);
    EXPECT_EQ(meter.Label1()->text(), "D: 1,50 KB/s");
}

struct BigRate {
    int64_t rate;
    int32_t entered;
    const char* label;
};

class MeterBigRates : public Meter, public ::testing::WithParamInterface<BigRate> {};

TEST_P(MeterBigRates, EnterTheGraphAsTheirLow32BitsAndTheLabelsInFull) {
    show_on("LAN");
    MIB_IFROW& row = net.row(2);
    row.has_octets64 = true;
    tick();  // the 64-bit counters start
    row.in_octets64 += uint64_t(GetParam().rate);
    row.dwInOctets = uint32_t(row.in_octets64);
    tick();
    EXPECT_EQ(device(2).dload_rate, GetParam().rate);
    EXPECT_EQ(newest(TrendBuffers::Main), GetParam().entered);
    EXPECT_EQ(meter.Label1()->text().toStdString(), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MeterBigRates,
    ::testing::Values(BigRate{k4G + 700, 700, "D: 4.00 GB/s"},
                      BigRate{int64_t{2147483647}, 2147483647, "D: 2.00 GB/s"},
                      // The low 32 bits read as a negative value, raised to MinVal.
                      BigRate{int64_t{3000000000}, 0, "D: 2.79 GB/s"}));

TEST_F(Meter, NothingEntersBeforeTheWindowIsShown) {
    meter_device = "LAN";
    tick_with(2, 2048, 512);
    EXPECT_TRUE(graph_empty());
    EXPECT_EQ(labels(), (std::vector<std::string>{"--", "D:", "U:", "--"}));
}

TEST_F(Meter, ShownWithoutADeviceTheLabelsKeepTheirTextUntilARecordMatches) {
    meter.show();
    tick_with(2, 2048, 512);
    EXPECT_EQ(labels(), (std::vector<std::string>{"", "D:", "U:", "--"}));
    EXPECT_TRUE(graph_empty());
}

TEST_F(Meter, HideKeepsTheFeedSoTheGraphIsUpToDateWhenShownAgain) {
    show_on("LAN");
    tick_with(2, 100, 10);
    meter.Hide1Click();
    EXPECT_FALSE(meter.isVisible());
    EXPECT_EQ(meter.Tag(), 1);
    tick_with(2, 300, 30);
    tick_with(2, 500, 50);
    meter.show();
    EXPECT_EQ(graph().buffers().value(TrendBuffers::Main, 87), 100);
    EXPECT_EQ(graph().buffers().value(TrendBuffers::Main, 88), 300);
    EXPECT_EQ(newest(TrendBuffers::Main), 500);
    EXPECT_EQ(meter.Label1()->text(), "D: 500.00 B/s");
}

TEST_F(Meter, ClosingTheWindowIsHiding) {
    show_on("LAN");
    meter.close();
    EXPECT_EQ(meter.Tag(), 1);
    tick_with(2, 300, 30);
    EXPECT_EQ(newest(TrendBuffers::Main), 300);
}

TEST_F(Meter, ExitClearsTheGraphAndStopsTheFeedUntilShownAgain) {
    show_on("LAN");
    tick_with(2, 700, 70);
    meter.Exit1Click();
    EXPECT_FALSE(meter.isVisible());
    EXPECT_EQ(meter.Tag(), 0);
    EXPECT_TRUE(graph_empty());
    EXPECT_EQ(graph().MaxVal(), 700) << "the scale stays";
    tick_with(2, 900, 90);
    EXPECT_TRUE(graph_empty()) << "not fed after Exit";
    meter.show();
    EXPECT_EQ(meter.Tag(), 1);
    EXPECT_TRUE(graph_empty()) << "an empty history";
    tick_with(2, 40, 4);
    EXPECT_EQ(newest(TrendBuffers::Main), 40);
    EXPECT_EQ(graph().MaxVal(), 40);
}

TEST_F(Meter, AVanishedDeviceLeavesTheLastFigures) {
    show_on("LAN");
    tick_with(2, 2048, 512);
    const auto before = labels();
    net.remove_interface(2);
    tick(3);
    EXPECT_EQ(labels(), before);
    EXPECT_EQ(newest(TrendBuffers::Main), 2048) << "nothing entered";
}

TEST_F(Meter, TwoRecordsOfOneNameAdvanceTheGraphTwice) {
    show_on("LAN");
    Tmibarray devices(2);
    devices[0].deventry = devices[1].deventry = "LAN";
    devices[0].dload_rate = 10;
    devices[1].dload_rate = 20;
    meter.update_meter(devices);
    EXPECT_EQ(graph().buffers().value(TrendBuffers::Main, 88), 10);
    EXPECT_EQ(newest(TrendBuffers::Main), 20);
    Tmibarray other(1);
    other[0].deventry = "lan";  // letter case counts
    other[0].dload_rate = 99;
    meter.update_meter(other);
    EXPECT_EQ(newest(TrendBuffers::Main), 20);
}

TEST_F(Meter, TheMenuHasItsItemsInOrderWithTheGraphTypeHidden) {
    const QList<QAction*> items = meter.PopupMenu1()->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0], meter.Networkdevice1()->menuAction());
    EXPECT_EQ(items[0]->text(), "Network device");
    EXPECT_EQ(items[1], meter.Hide1());
    EXPECT_EQ(items[1]->text(), "Hide");
    EXPECT_EQ(items[2], meter.Graphtype1()->menuAction());
    EXPECT_EQ(items[2]->text(), "Graph type");
    EXPECT_FALSE(items[2]->isVisible());
    EXPECT_EQ(items[3], meter.Exit1());
    EXPECT_EQ(items[3]->text(), "Exit");
    EXPECT_EQ(items[4], meter.Stayontop1());
    EXPECT_EQ(items[4]->text(), "Stay on top");
    EXPECT_TRUE(meter.Stayontop1()->isChecked());
}

TEST_F(Meter, TheGraphTypeItemsSetTheStyle) {
    const std::vector<std::pair<QString, TTrendStyle>> types{
        {"3D", ts3D}, {"Bar", tsBar}, {"Fill color", tsFilled}, {"Line", tsLine}};
    for (const auto& [caption, style] : types) {
        for (QAction* item : meter.Graphtype1()->actions())
            if (item->text() == caption) item->trigger();
        EXPECT_EQ(graph().Style(), style) << caption.toStdString();
    }
}

TEST_F(Meter, TheDeviceSubmenuIsBuiltAfreshAtEachOpening) {
    EXPECT_TRUE(device_captions().empty());
    open_menu();
    EXPECT_EQ(device_captions(), (std::vector<std::string>{"LAN", "WAN"}));
    net.add_ethernet(4, "R&D lab", ipv4(10, 0, 0, 4));
    tick();
    open_menu();
    EXPECT_EQ(device_captions(), (std::vector<std::string>{"LAN", "WAN", "R&&D lab"}))
        << "one item per record; an ampersand shows as itself";
    net.remove_interface(2);
    tick();
    open_menu();
    EXPECT_EQ(device_captions(), (std::vector<std::string>{"WAN", "R&&D lab"}));
    EXPECT_EQ(meter.device_items().size(), 2u);
}

TEST_F(Meter, ChoosingADeviceShowsItAndStartsAnEmptyGraph) {
    show_on("LAN");
    tick_with(2, 800, 80);
    net.add_ethernet(4, "R&D lab", ipv4(10, 0, 0, 4));
    tick();
    open_menu();
    meter.device_items()[2]->trigger();
    EXPECT_EQ(meter_device, "R&D lab");
    EXPECT_EQ(meter.Label5()->text(), "R&D lab");
    EXPECT_TRUE(graph_empty());
    EXPECT_EQ(graph().MaxVal(), 800) << "the scale stays until the next value";
    tick_with(4, 64, 32);
    EXPECT_EQ(newest(TrendBuffers::Main), 64);
    EXPECT_EQ(graph().MaxVal(), 64);
}

TEST_F(Meter, ChoosingTheDeviceShownStillClearsTheGraph) {
    show_on("LAN");
    tick_with(2, 800, 80);
    open_menu();
    meter.device_items()[0]->trigger();
    EXPECT_EQ(meter_device, "LAN");
    EXPECT_TRUE(graph_empty());
}

TEST_F(Meter, AnItemChosenAfterTheTableChangedStillNamesItsOwnDevice) {
    show_on("LAN");
    open_menu();
    QAction* wan = meter.device_items()[1];
    net.remove_interface(2);  // the table changes while the menu is open
    tick();
    wan->trigger();
    EXPECT_EQ(meter_device, "WAN");
}

TEST_F(Meter, StayOnTopTogglesAndTheWindowStaysWhereItIs) {
    meter.show();
    meter.move(300, 200);
    const QRect place = meter.geometry();
    meter.Stayontop1Click();
    EXPECT_FALSE(meter.Stayontop1()->isChecked());
    EXPECT_FALSE(meter.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(meter.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(meter.isVisible());
    EXPECT_EQ(meter.geometry(), place);
    meter.Stayontop1()->trigger();  // as chosen from the menu
    EXPECT_TRUE(meter.Stayontop1()->isChecked());
    EXPECT_TRUE(meter.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(meter.isVisible());
}

TEST_F(Meter, TheLeftButtonDragsTheWindowFromTheBackgroundTheGraphAndEveryLabel) {
    meter.show();
    meter.move(300, 200);
    QWidget* client = meter.findChild<QWidget*>("client");
    ASSERT_NE(client, nullptr);
    const std::vector<QWidget*> handles{client,         &graph(),       meter.Label1(),
                                        meter.Label4(), meter.Label5(), meter.Label6()};
    QPoint expected = meter.pos();
    for (QWidget* handle : handles) {
        drag(handle, QPoint(5, 5), QPoint(30, 20));
        expected += QPoint(30, 20);
        EXPECT_EQ(meter.pos(), expected) << handle->objectName().toStdString();
        EXPECT_EQ(meter.size(), QSize(257, 120));
    }
    drag(&graph(), QPoint(50, 50), QPoint(30, 20), Qt::RightButton);
    EXPECT_EQ(meter.pos(), expected) << "the right button does not drag";
}

TEST_F(Meter, TheEdgesResizeTheWindowAndTheGraphFollowsWithNinetySlots) {
    meter.show();
    meter.move(300, 200);
    drag(&meter, QPoint(meter.width() - 1, meter.height() - 1), QPoint(60, 40));
    EXPECT_EQ(meter.pos(), QPoint(300, 200));
    EXPECT_EQ(meter.size(), QSize(317, 160));
    EXPECT_EQ(graph().geometry(), QRect(-1, 16, 314, 140));
    EXPECT_EQ(graph().Divisions(), 90);
    EXPECT_EQ(meter.Label6()->pos(), QPoint(2, 125)) << "anchored to the bottom";

    drag(&meter, QPoint(0, 10), QPoint(-20, 0));  // the left edge
    EXPECT_EQ(meter.geometry(), QRect(280, 200, 337, 160));
}

struct AlphaCase {
    int alpha;
    double opacity;
};

class MeterAlpha : public Meter, public ::testing::WithParamInterface<AlphaCase> {};

TEST_P(MeterAlpha, SetsTheWindowOpacity) {
    meter.set_window_alpha(GetParam().alpha);
    EXPECT_NEAR(meter.windowOpacity(), GetParam().opacity, 0.01);
    stat.set_window_alpha(GetParam().alpha);
    EXPECT_NEAR(stat.windowOpacity(), GetParam().opacity, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Cases, MeterAlpha,
                         ::testing::Values(AlphaCase{255, 1.0}, AlphaCase{128, 128 / 255.0},
                                           AlphaCase{0, 0.0}, AlphaCase{-5, 0.0},
                                           AlphaCase{300, 1.0}));

}  // namespace
}  // namespace quorvane::test
