#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "config/IniFile.h"
#include "ui/ConfigDialogFixture.h"
#include "ui/common/ModalWindows.h"

namespace quorvane::test {
namespace {

using Row = std::vector<std::string>;
using ConfigDialog = ConfigDialogFixture;

Tdev_list_arr devices(int count) {
    Tdev_list_arr list;
    for (int i = 1; i <= count; ++i)
        list.push_back({"dev" + std::to_string(i), kStatePresent, kKindEthernet});
    return list;
}

TEST_F(ConfigDialog, IsAFixedToolWindowWithTwoVisiblePages) {
    EXPECT_EQ(dialog.objectName(), "Fconfig");
    EXPECT_EQ(dialog.windowTitle(), "Configuration");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.minimumSize(), QSize(618, 459));
    EXPECT_EQ(dialog.maximumSize(), QSize(618, 459));
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(216, 228, 248));
    QTabWidget* pages = dialog.PageControl1();
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "Device ");
    EXPECT_EQ(pages->tabText(1), "General ");
    EXPECT_EQ(pages->tabText(2), "Meter /statistic");
    EXPECT_TRUE(pages->isTabVisible(0));
    EXPECT_TRUE(pages->isTabVisible(1));
    EXPECT_FALSE(pages->isTabVisible(2));

    QTableWidget* grid = dialog.StringGrid1();
    std::vector<std::string> headers;
    std::vector<int> widths;
    for (int column = 0; column < grid->columnCount(); ++column) {
        headers.push_back(grid->horizontalHeaderItem(column)->text().toStdString());
        widths.push_back(grid->columnWidth(column));
    }
    EXPECT_EQ(headers, (Row{"Network device", "Status", "Logging option", "Tray indicator"}));
    // The option columns at least as wide as they were drawn, the device column the rest
    // of the grid beside a vertical scroll bar.
    EXPECT_GE(widths[1], 108);
    EXPECT_GE(widths[2], 105);
    EXPECT_GE(widths[3], 106);
    EXPECT_EQ(
        widths[0] + widths[1] + widths[2] + widths[3],
        grid->width() - 2 * grid->frameWidth() - grid->verticalScrollBar()->sizeHint().width());
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(dialog.data_rows(), 5) << "six rows with the header, before any device is listed";
}

struct GridCase {
    int devices;
    int rows;  // below the header
};

class ConfigGridRows : public ConfigDialog, public ::testing::WithParamInterface<GridCase> {};

TEST_P(ConfigGridRows, ShowEveryDeviceInAtLeastSixRows) {
    fixed_devices = devices(GetParam().devices);
    dialog.Load_cfg_devlist();
    ASSERT_EQ(dialog.data_rows(), GetParam().rows);
    for (int row = 0; row < GetParam().rows; ++row) {
        const Row expected = row < GetParam().devices ? Row{"dev" + std::to_string(row + 1),
                                                            "Present", "Logged", "Included"}
                                                      : Row{"", "", "", ""};
        EXPECT_EQ(grid()[row], expected) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, ConfigGridRows,
                         ::testing::Values(GridCase{6, 6}, GridCase{3, 5}, GridCase{0, 5},
                                           GridCase{9, 9}),
                         [](const auto& info) {
                             return std::to_string(info.param.devices) + "Devices";
                         });

TEST_F(ConfigDialog, TheOptionColumnsShowExactlyOneAsOn) {
    fixed_devices = Tdev_list_arr{{"a", kStatePresent, kKindEthernet},
                                  {"b", kStateRemoved, kKindDatabase},
                                  {"c", kStatePresent, kKindLoopback}};
    dir.write("config/dev.ini", "[a]\nlog_option=0\n[B]\ntray_option=0\n[c]\nlog_option=2\n");
    dialog.Load_cfg_devlist();
    EXPECT_EQ(grid()[0], (Row{"a", "Present", "Not logged", "Included"}));
    EXPECT_EQ(grid()[1], (Row{"b", "Removed", "Logged", "Not included"}));
    EXPECT_EQ(grid()[2], (Row{"c", "Present", "Not logged", "Included"}));
}

// A refill keeps the selected row where it is, so the shorter list leaves it on an
// empty row; the fields below are not reloaded by a refresh.
TEST_F(ConfigDialog, ARefreshKeepsTheRowPositionAndTheFields) {
    fixed_devices = devices(7);
    dialog.Load_cfg_devlist();
    dialog.select_row(6);
    dialog.load_device_cfg();
    fixed_devices = devices(2);
    dialog.Edit1()->setText("typed");
    dialog.SpeedButton(1)->click();
    EXPECT_EQ(dialog.data_rows(), 5);
    EXPECT_EQ(dialog.selected_row(), 4);
    EXPECT_EQ(dialog.Label17()->text(), "dev7");
    EXPECT_EQ(dialog.Edit1()->text(), "typed");
}

TEST_F(ConfigDialog, ShowingLoadsTheFirstDeviceAndAClickLoadsItsRow) {
    fixed_devices = devices(3);
    dir.write("config/dev.ini", "[dev1]\nTime_cost=1.25\n[dev3]\nBw_cost=9\nBw_opt=2\n");
    dialog.show();
    EXPECT_EQ(dialog.selected_row(), 0);
    EXPECT_EQ(panel(), (Row{"dev1", "1.25", "0", "0", "0", "0", "-", "-"}));

    // A click on a row, as the user makes it.
    QTableWidget* grid = dialog.StringGrid1();
    grid->setCurrentCell(2, 1);
    EXPECT_EQ(panel(), (Row{"dev3", "0", "0", "9", "0", "2", "-", "-"}));
    // An empty row shows an empty name and the defaults.
    grid->setCurrentCell(4, 0);
    EXPECT_EQ(panel(), (Row{"", "0", "0", "0", "0", "0", "-", "-"}));
    dialog.SpeedButton(3)->click();
    EXPECT_FALSE(dialog.isVisible());
}

// Each opening shows what the file holds for the device part, and the general check boxes
// as they were left.
TEST_F(ConfigDialog, OpeningAgainRereadsTheDevicePartOnly) {
    fixed_devices = devices(1);
    dir.write("config/dev.ini", "[dev1]\nTime_cost=5\n");
    dialog.show();
    dialog.Edit1()->setText("6");
    dialog.CheckBox2()->setChecked(true);
    dialog.SpeedButton(3)->click();
    dialog.show();
    EXPECT_EQ(dialog.Edit1()->text(), "5");
    EXPECT_TRUE(dialog.CheckBox2()->isChecked());
    dialog.reject();
}

TEST_F(ConfigDialog, SavedNotLoggedShowsAtOnceAndTheLoggerStopsOnTheNextTick) {
    auto& lan = net.add_ethernet(2, "Office [LAN]", ipv4(10, 0, 0, 2));
    engine->run_tick();
    dialog.show();
    ASSERT_EQ(grid()[0], (Row{"Office [LAN]", "Present", "Logged", "Included"}));
    for (int t = 2; t <= 30; ++t) {
        lan.dwInOctets += 100;
        engine->run_tick();
    }
    ASSERT_EQ(rows().size(), 1u);
    const int32_t logged_duration = rows()[0].duration;
    ASSERT_GT(logged_duration, 0);

    dialog.CheckBox3()->setChecked(true);
    dialog.SpeedButton(4)->click();
    EXPECT_EQ(grid()[0], (Row{"Office [LAN]", "Present", "Not logged", "Included"}));
    EXPECT_TRUE(engine->dev_cfg_changed());

    for (int t = 31; t <= 64; ++t) {
        lan.dwInOctets += 100;
        engine->run_tick();
    }
    EXPECT_EQ(engine->mibarray()[0].log_option, 0);
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_EQ(rows()[0].duration, logged_duration) << "the row is no longer written";
    dialog.reject();
}

TEST_F(ConfigDialog, TheGeneralSaveSaysSoAndReloads) {
    dialog.CheckBox2()->setChecked(true);
    tip.CheckBox1()->setChecked(true);
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.SpeedButton(2)->click();
    EXPECT_EQ(MessageBox::last_text(), "Configuration has been saved");
    EXPECT_EQ(config_ini(),
              "[general]\nstartminimized=1\ntipoftheday=1\n[XXXXX]\nstartminimized111=0\n");
    // The hidden page's save button does the same.
    dialog.CheckBox2()->setChecked(false);
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.SpeedButton(7)->click();
    EXPECT_EQ(
        IniFile(dir.str() + "/config/config.ini").read_string("general", "startminimized", ""),
        "0");
}

// A name with a line break cannot be a section: the user is told, naming the device, and
// nothing is written or asked.
TEST_F(ConfigDialog, ADeviceNameWithALineBreakIsRefusedByName) {
    fixed_devices = Tdev_list_arr{{"Home\nLAN", kStatePresent, kKindEthernet}};
    dialog.show();
    dialog.Edit1()->setText("not a number");
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.SpeedButton(4)->click();
    const std::string text = MessageBox::last_text().toStdString();
    EXPECT_NE(text.find("\"Home\\nLAN\""), std::string::npos) << text;
    EXPECT_EQ(text.rfind("Unable to write to " + dir.str() + "/config/dev.ini", 0), 0u) << text;
    EXPECT_EQ(dev_ini(), "");
    dialog.reject();
}

class ConfigDelete : public ConfigDialog {
protected:
    void SetUp() override {
        ConfigDialog::SetUp();
        net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
        engine->run_tick();  // LAN is present and has its row
        for (const char* name : {"old modem", "100%", "1000", "Bob's line", "OLD MODEM"}) {
            LogRow row;
            row.devuniqueid = std::string("id-") + name;
            row.startdate = "2024-01-01";
            row.starttime = "10:00";
            row.deventry = name;
            log->insert_connection(row);
        }
        dialog.show();
    }
    void TearDown() override {
        dialog.reject();
        ConfigDialog::TearDown();
    }
    int row_of(const std::string& name) const {
        for (int row = 0; row < dialog.data_rows(); ++row)
            if (dialog.cell(row, 0).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
                return row;
        return -1;
    }
    std::vector<std::string> logged_devices() {
        std::vector<std::string> names;
        for (const auto& row : rows()) names.push_back(row.deventry);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ConfigDelete, APresentDeviceIsRefused) {
    dialog.select_row(row_of("LAN"));
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.SpeedButton(5)->click();
    EXPECT_EQ(MessageBox::last_text(), "You can not delete active/installed device ");
    EXPECT_EQ(rows().size(), 6u);
}

TEST_F(ConfigDelete, ARemovedDeviceGoesAfterOkAndStaysAfterCancel) {
    ASSERT_GE(row_of("old modem"), 0);
    EXPECT_EQ(dialog.cell(row_of("old modem"), 1), "Removed");
    dialog.select_row(row_of("old modem"));
    MessageBox::set_next_answer(MessageBox::Cancel);
    dialog.SpeedButton(5)->click();
    // The log knows the device in two spellings; the list shows it once.
    const QString listed = dialog.cell(row_of("old modem"), 0);
    EXPECT_EQ(listed.toLower(), "old modem");
    EXPECT_EQ(MessageBox::last_text(),
              "Do you really want to delete \"" + listed + "\" from the database ?");
    EXPECT_EQ(rows().size(), 6u);

    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.SpeedButton(5)->click();
    // Both spellings of the name go; the device leaves the list.
    EXPECT_EQ(logged_devices(), (std::vector<std::string>{"100%", "1000", "Bob's line", "LAN"}));
    EXPECT_EQ(row_of("old modem"), -1);
    EXPECT_EQ(row_of("OLD MODEM"), -1);
}

// A name is a name, not a pattern: "100%" takes no other device's rows with it, and a
// single quote is just a character.
TEST_F(ConfigDelete, PercentAndQuoteInANameDeleteOnlyThatDevice) {
    for (const char* name : {"100%", "Bob's line"}) {
        SCOPED_TRACE(name);
        dialog.select_row(row_of(name));
        MessageBox::set_next_answer(MessageBox::Ok);
        dialog.SpeedButton(5)->click();
        EXPECT_EQ(row_of(name), -1);
    }
    EXPECT_EQ(logged_devices(),
              (std::vector<std::string>{"1000", "LAN", "OLD MODEM", "old modem"}));
}

TEST_F(ConfigDelete, AnEmptyRowIsRefusedLikeAPresentDevice) {
    fixed_devices = Tdev_list_arr{{"old modem", kStateRemoved, kKindDatabase}};
    dialog.Load_cfg_devlist();
    dialog.select_row(dialog.data_rows() - 1);
    ASSERT_EQ(dialog.cell(dialog.data_rows() - 1, 0), "");
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.SpeedButton(5)->click();
    EXPECT_EQ(MessageBox::last_text(), "You can not delete active/installed device ");
    EXPECT_EQ(rows().size(), 6u);
}

TEST_F(ConfigDialog, TheHiddenPageSetsTheOpacityOfTheMeterAndStatisticsWindows) {
    QWidget meter, stat;
    TFconfigLinks links;
    links.data_dir = dir.str();
    links.meter = &meter;
    links.stat = &stat;
    dialog.attach(links);
    dialog.Edit3()->setText("50");
    dialog.SpeedButton(6)->click();
    EXPECT_NEAR(meter.windowOpacity(), 127 / 255.0, 0.01);
    EXPECT_NEAR(stat.windowOpacity(), 1.0, 0.001);
    dialog.Edit4()->setText("20");
    dialog.SpeedButton(8)->click();
    EXPECT_NEAR(stat.windowOpacity(), 51 / 255.0, 0.01);
}

// "Configure" runs the dialog with exec(): it blocks, is the application's modal window and
// shows the stored device options; a stop request's dismissal ends it like its Close.
TEST_F(ConfigDialog, RunsModallyUntilClosed) {
    fixed_devices = devices(2);
    dir.write("config/dev.ini", "[dev1]\nTime_cost=4\n");
    bool seen = false;
    QTimer::singleShot(0, &dialog, [&] {
        seen = QApplication::activeModalWidget() == &dialog && dialog.isVisible();
        EXPECT_EQ(dialog.Edit1()->text(), "4");
        dialog.SpeedButton(3)->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(dialog.isVisible());

    QTimer::singleShot(0, &dialog, [] { dismiss_modal_windows(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ConfigDialogUnattached, OperationsSayTheDialogIsNotWired) {
    TFconfig dialog;
    EXPECT_THROW(dialog.load_general_cfg(), std::logic_error);
    EXPECT_THROW(dialog.save_device_cfg(), std::logic_error);
}

// Fitted to the font: a long name is shortened in its middle with the whole name in the
// tool-tip, the grid of many devices needs no horizontal scroll bar, and no caption runs
// into its field.
TEST_F(ConfigDialog, LongNamesAndManyDevicesFitTheDevicePage) {
    const std::string long_name =
        "Realtek PCIe GbE Family Controller - Ethernet adapter number 2 (wired, docking station)";
    Tdev_list_arr devices;
    for (int i = 0; i < 9; ++i)
        devices.push_back({"eth" + std::to_string(i), kStatePresent, kKindEthernet});
    devices.push_back({long_name, kStateRemoved, kKindEthernet});
    fixed_devices = devices;
    dialog.show();
    dialog.Load_cfg_devlist();
    dialog.select_row(9);
    dialog.load_device_cfg();
    QApplication::processEvents();

    QLabel* name = dialog.Label17();
    EXPECT_EQ(name->toolTip().toStdString(), long_name);
    EXPECT_TRUE(name->text().contains(QChar(0x2026))) << name->text().toStdString();
    EXPECT_TRUE(name->text().startsWith("Realtek"));
    EXPECT_TRUE(name->text().endsWith("station)"));
    EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->width());

    QTableWidget* grid = dialog.StringGrid1();
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << "no horizontal scrolling";

    for (const char* caption : {"Label16", "Label2", "Label3", "Label6", "Label15", "Label7"}) {
        auto* label = dialog.findChild<QLabel*>(caption);
        ASSERT_NE(label, nullptr);
        EXPECT_LT(8 + label->fontMetrics().horizontalAdvance(label->text()), name->x()) << caption;
    }
    EXPECT_GE(dialog.findChild<QWidget*>("SpeedButton5")->x(),
              8 + dialog.findChild<QLabel*>("Label7")->fontMetrics().horizontalAdvance(
                      "Delete uninstalled device:"));
}

}  // namespace
}  // namespace quorvane::test
