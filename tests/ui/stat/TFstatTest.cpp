#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "ui/LiveViewFixture.h"
#include "ui/common/DropDownComboBox.h"

namespace quorvane::test {
namespace {

class Statistic : public LiveViewFixture {
protected:
    std::vector<std::string> values() {
        std::vector<std::string> column;
        for (int row = 1; row <= 12; ++row) column.push_back(stat.cell(row, 1).toStdString());
        return column;
    }
    static std::vector<std::string> empty_values() { return std::vector<std::string>(12); }
    void show_on(const std::string& device) {
        stat_device = device;
        stat.show();
    }
    // Drops the device box's list down and picks an item with the mouse.
    void pick(const QString& name) {
        DropDownComboBox* box = stat.ComboBox1();
        box->showPopup();
        const int row = box->findText(name);
        ASSERT_GE(row, 0) << name.toStdString();
        QAbstractItemView* list = box->view();
        const QRect item = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }
};

TEST_F(Statistic, IsAToolWindowWithItsTableDeviceBoxAndCloseButton) {
    EXPECT_EQ(stat.objectName(), "Fstat");
    EXPECT_EQ(stat.windowTitle(), "Device statistics");
    EXPECT_EQ(stat.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(stat.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(stat.size(), QSize(379, 314));
    EXPECT_EQ(stat.minimumSize(), stat.maximumSize()) << "not resizable";
    EXPECT_EQ(stat.Tag(), 0);
    QTableWidget* grid = stat.StringGrid1();
    EXPECT_EQ(grid->geometry(), QRect(16, 16, 353, 225));
    EXPECT_EQ(grid->rowCount(), 13);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->columnWidth(0), 169);
    EXPECT_EQ(grid->columnWidth(1), 181);
    for (int row = 0; row < 13; ++row) EXPECT_EQ(grid->rowHeight(row), 16) << row;
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->item(0, 0)->background().color(), QColor(165, 203, 247));
    EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsSelectable) << "the fixed row";
    // The box stands clear of its label's text at the window's font, up to the table's edge.
    auto* label1 = stat.findChild<QLabel*>("Label1");
    EXPECT_GE(stat.ComboBox1()->x(),
              16 + label1->fontMetrics().horizontalAdvance(label1->text()) + 6);
    EXPECT_EQ(stat.ComboBox1()->y(), 252);
    EXPECT_EQ(stat.ComboBox1()->geometry().right(), 369);
    EXPECT_TRUE(stat.ComboBox1()->isEditable());
    EXPECT_EQ(stat.findChild<QLabel*>("Label1")->text(), "Network device:");
    EXPECT_EQ(stat.findChild<QLabel*>("Label1")->pos(), QPoint(16, 255));
    EXPECT_EQ(stat.SpeedButton5()->geometry(), QRect(286, 278, 81, 28));
}

TEST_F(Statistic, TheTableHasItsHeadersAndTwelveDescriptionsAndNoValuesYet) {
    const std::vector<std::string> descriptions{"Description",
                                                "Device name",
                                                "IP address",
                                                "MAC address",
                                                "Online time",
                                                "Download traffic /s",
                                                "Download traffic peak value",
                                                "Average download traffic",
                                                "Total Download traffic",
                                                "Upload traffic /s",
                                                "Upload traffic peak value",
                                                "Average upload traffic",
                                                "Total upload traffic"};
    for (int row = 0; row < 13; ++row)
        EXPECT_EQ(stat.cell(row, 0).toStdString(), descriptions[row]) << row;
    EXPECT_EQ(stat.cell(0, 1), "Value");
    EXPECT_EQ(values(), empty_values());
}

TEST_F(Statistic, EachTickWritesTheTwelveFiguresOfItsDevice) {
    show_on("LAN");
    EXPECT_EQ(stat.Tag(), 1);
    tick_with(2, 3072, 1024);  // 3 KB and 1 KB
    tick_with(2, 1024, 0);
    EXPECT_EQ(values(),
              (std::vector<std::string>{"LAN", "10.0.0.2", "00:0c:29:00:00:02", "00:00:02",
                                        "1.00 KB", "3.00 KB", "2.00 KB", "4.00 KB", "0.00 B",
                                        "1.00 KB", "1.00 KB", "1.00 KB"}));
}

TEST_F(Statistic, TheFiguresFollowTheRegionalSettings) {
    stat.set_regional(RegionalSettings{",", ".", "dd.MM.yyyy", "HH:mm"});
    show_on("LAN");
    tick_with(2, 1536, 0);
    EXPECT_EQ(stat.cell(5, 1), "1,50 KB");
}

TEST_F(Statistic, ShownWithoutADeviceTheValuesStayEmpty) {
    stat.show();
    tick_with(2, 1536, 0);
    EXPECT_EQ(values(), empty_values());
}

TEST_F(Statistic, ClosedOrHiddenItIsNotFedAndKeepsItsLastFigures) {
    show_on("LAN");
    tick_with(2, 1024, 0);
    const auto shown = values();
    stat.SpeedButton5()->click();
    EXPECT_FALSE(stat.isVisible());
    EXPECT_EQ(stat.Tag(), 0);
    tick_with(2, 5000, 0);
    EXPECT_EQ(values(), shown);

    stat.show();
    EXPECT_EQ(stat.Tag(), 1);
    EXPECT_EQ(values(), shown) << "the old figures until the next tick";
    tick_with(2, 2048, 0);
    EXPECT_EQ(stat.cell(5, 1), "2.00 KB");

    stat.hide();
    EXPECT_EQ(stat.Tag(), 0);
    stat.show();
    stat.close();
    EXPECT_EQ(stat.Tag(), 0);
}

TEST_F(Statistic, AVanishedDeviceLeavesItsLastFiguresOnView) {
    show_on("LAN");
    tick_with(2, 1024, 512);
    const auto shown = values();
    net.remove_interface(2);
    tick(2);
    EXPECT_EQ(values(), shown) << "they do not turn to zero";
}

TEST_F(Statistic, OfSeveralRecordsOfOneNameTheLastWins) {
    show_on("LAN");
    Tmibarray devices(2);
    devices[0].deventry = devices[1].deventry = "LAN";
    devices[0].ip = "10.0.0.1";
    devices[1].ip = "10.0.0.9";
    stat.update_stat(devices);
    EXPECT_EQ(stat.cell(2, 1), "10.0.0.9");
}

TEST_F(Statistic, TheDeviceBoxListsTheTableWhenItDropsDown) {
    stat.show();
    DropDownComboBox* box = stat.ComboBox1();
    EXPECT_EQ(box->count(), 0);
    box->showPopup();
    box->hidePopup();
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), "LAN");
    EXPECT_EQ(box->itemText(1), "WAN");
    net.add_ethernet(4, "Lab", ipv4(10, 0, 0, 4));
    tick();
    box->showPopup();
    box->hidePopup();
    EXPECT_EQ(box->count(), 3) << "filled afresh, no repeats";
}

TEST_F(Statistic, PickingADeviceChangesAllTwelveValuesWithinOneTick) {
    show_on("LAN");
    tick_with(2, 1024, 0);
    pick("WAN");
    EXPECT_EQ(stat_device, "WAN");
    EXPECT_EQ(stat.cell(1, 1), "LAN") << "the table changes at the next tick";
    traffic(3, 2048, 4096);
    tick();
    EXPECT_EQ(values(),
              (std::vector<std::string>{"WAN", "10.0.0.3", "00:0c:29:00:00:03", "00:00:02",
                                        "2.00 KB", "2.00 KB", "2.00 KB", "2.00 KB", "4.00 KB",
                                        "4.00 KB", "4.00 KB", "4.00 KB"}));
}

TEST_F(Statistic, ATypedNameIsNotUsed) {
    show_on("LAN");
    stat.ComboBox1()->showPopup();
    stat.ComboBox1()->hidePopup();
    QLineEdit* text = stat.ComboBox1()->lineEdit();
    text->clear();
    QTest::keyClicks(text, "WAN");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(stat_device, "LAN");
    EXPECT_EQ(stat.ComboBox1()->currentText(), "WAN") << "the text stays as typed";
    tick_with(2, 1024, 0);
    EXPECT_EQ(stat.cell(1, 1), "LAN");
}

TEST_F(Statistic, TheMainWindowCanPutADeviceIntoTheBox) {
    stat.set_device_text("WAN");
    EXPECT_EQ(stat.ComboBox1()->currentText(), "WAN");
    stat.ComboBox1()->showPopup();
    stat.ComboBox1()->hidePopup();
    EXPECT_EQ(stat.ComboBox1()->currentText(), "WAN") << "kept when the list is made";
    EXPECT_EQ(stat.ComboBox1()->currentIndex(), 1);
}

TEST_F(Statistic, IsCentredOnTheScreenWhenFirstShown) {
    stat.show();
    const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE((stat.frameGeometry().center() - centre).manhattanLength(), 1);
    stat.move(10, 10);
    stat.hide();
    stat.show();
    EXPECT_EQ(stat.pos(), QPoint(10, 10)) << "only the first time";
}

}  // namespace
}  // namespace quorvane::test
