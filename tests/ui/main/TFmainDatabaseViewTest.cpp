#include <gtest/gtest.h>

#include <filesystem>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QToolButton>

#include "ui/MainFaceFixture.h"
#include "ui/common/MessageBox.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/LogFilterBox.h"

namespace quorvane::test {
namespace {

LogRow row_of(const std::string& id, const std::string& date, const std::string& time,
              const std::string& device, int32_t seconds, int64_t down, int64_t up) {
    return LogRow{id, date, time, "local", device, seconds, 100000000, down, up};
}

class DatabaseView : public MainFaceFixture {
protected:
    void add(const LogRow& row) { window->log_database().insert_connection(row); }
    // Sets the filter boxes the way a user types into them.
    void filter(const std::string& device, const std::string& from_day,
                const std::string& from_month, const std::string& from_year,
                const std::string& to_day, const std::string& to_month,
                const std::string& to_year) {
        LogFilterBox* box = window->filter_box();
        box->ComboBoxEx1()->setEditText(QString::fromStdString(device));
        box->ComboBox4()->setEditText(QString::fromStdString(from_day));
        box->ComboBox2()->setEditText(QString::fromStdString(from_month));
        box->ComboBox3()->setEditText(QString::fromStdString(from_year));
        box->ComboBox7()->setEditText(QString::fromStdString(to_day));
        box->ComboBox5()->setEditText(QString::fromStdString(to_month));
        box->ComboBox6()->setEditText(QString::fromStdString(to_year));
    }
    void show_log() { window->filter_box()->SpeedButton5()->click(); }
    std::vector<std::string> ids_left() {
        std::vector<std::string> ids;
        for (const auto& row : window->log_database().read_filtered(LogFilter{}))
            ids.push_back(row.devuniqueid);
        return ids;
    }
};

TEST_F(DatabaseView, ShowListsTheFilteredConnectionsInGridOrderWithTheirSummary) {
    // 1.5 an hour; 0.01 a KByte, downloads only.
    dir.write("config/dev.ini",
              "[LAN]\nTime_cost=1.5\nTime_cost_sat=1\nBw_cost=0.01\nBw_cost_sat=1\nBw_opt=1\n");
    add(row_of("a", "2026-12-09", "18:00", "LAN", 60, 1, 1));
    add(row_of("b", "2026-12-10", "09:00", "LAN", 3600, 1024000, 2048));
    add(row_of("c", "2026-12-10", "18:00", "lan", 1800, 5368709120, 0));
    add(row_of("d", "2026-12-10", "12:00", "WAN", 60, 1, 1));
    add(row_of("e", "2026-12-11", "08:00", "LAN", 60, 1, 1));
    window->restore();
    filter("LAN", "10", "December", "2026", "10", "December", "2026");

    show_log();

    EXPECT_TRUE(window->display_mode()->Radiofrimdatabase()->isChecked());
    EXPECT_TRUE(window->filter_box()->SpeedButton1()->isEnabled());
    EXPECT_TRUE(window->filter_box()->SpeedButton10()->isEnabled());
    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"lan", "LAN"}));
    EXPECT_EQ(window->grid_model()->rowCount(), 11);
    const std::vector<std::string> first{"10/12/2026", "18:00",  "lan",    "00:30:00",
                                         "5.00 GB",    "0.00 B", "5.00 GB"};
    for (int column = 0; column < 7; ++column) EXPECT_EQ(cell(0, column), first[column]);
    EXPECT_EQ(window->summary()->Label7()->text(), "10/12/2026 to 10/12/2026");
    // 5400 s at 1.5 an hour = 2.25; (1024000 + 5368709120) / 1024 * 0.01 = 52438.80
    EXPECT_EQ(summary_labels(), (std::vector<std::string>{"LAN", "2", "01:30:00 / 2.25",
                                                          "5.00 GB / 52,438.80", "52,441.05"}));
    EXPECT_EQ(window->log_summary().conn_count, 2);
    EXPECT_TRUE(events.entries().empty());

    window->display_mode()->Radionowonline()->click();
    EXPECT_FALSE(window->filter_box()->SpeedButton1()->isEnabled());
    EXPECT_FALSE(window->filter_box()->SpeedButton10()->isEnabled());
}

// The window's layouts as they stand once every widget has its text: the window's own, then
// those of the pieces inside it, which wait for the event loop.
void settle_layout(QWidget* window) {
    window->layout()->activate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window->layout()->activate();
}

// Long figures and a long device name wrap in the summary; the log filter beside it stays
// whole inside the window.
TEST_F(DatabaseView, LongSummaryTextsLeaveTheLogFilterInsideTheWindow) {
    const std::string device = "Office uplink through the second floor switch [lab]";
    dir.write("config/dev.ini", "[" + device +
                                    "]\nTime_cost=100000\nTime_cost_sat=0\nBw_cost=0.001\n"
                                    "Bw_cost_sat=0\nBw_opt=0\n");
    add(row_of("a", "2026-12-10", "09:00", device, 86399, 5368709120000, 5368709120000));
    window->restore();
    settle_layout(window);
    const QRect before = window->filter_box()->geometry();
    filter("All", "10", "December", "2026", "10", "December", "2026");

    show_log();
    settle_layout(window);

    ASSERT_TRUE(events.entries().empty()) << events.entries().front().second;
    EXPECT_EQ(window->summary()->Label19()->text().toStdString(),
              "10,000.00 GB / 10,737,418,240.00");
    EXPECT_EQ(window->filter_box()->geometry(), before);
    const int face_width = window->centralWidget()->width();
    EXPECT_LE(window->filter_box()->geometry().right(), face_width);
    EXPECT_LE(window->summary()->geometry().right(), before.left());
    // Wrapped, each text is whole: its label is as tall as its lines.
    for (QLabel* label : {window->summary()->Label19(), window->summary()->Label23()}) {
        EXPECT_GE(label->height(), label->heightForWidth(label->width()))
            << label->text().toStdString();
    }
}

TEST_F(DatabaseView, TheGridHasARowPerConnectionAndNeverFewerThanEleven) {
    for (int i = 0; i < 40; ++i)
        add(row_of("r" + std::to_string(i), "2026-12-10", "10:00",
                   i < 20   ? "LAN"
                   : i < 35 ? "WAN"
                            : "DSL",
                   1, 1, 1));
    struct Case {
        const char* device;
        int rows;
    };
    for (const Case& c : {Case{"All", 40}, Case{"LAN", 20}, Case{"DSL", 11}, Case{"", 40}}) {
        filter(c.device, "All", "All", "All", "All", "All", "All");
        show_log();
        EXPECT_EQ(window->grid_model()->rowCount(), c.rows) << c.device;
        EXPECT_EQ(window->summary()->Label7()->text(), "All record");
    }
    filter("DSL", "All", "All", "All", "All", "All", "All");
    show_log();
    EXPECT_EQ(window->grid_model()->data_rows(), 5);
    EXPECT_EQ(cell(5, 2), "") << "the rows past the data are empty";
}

TEST_F(DatabaseView, ABoxThatDoesNotConvertEndsTheCommandAndLeavesTheGridAsItWas) {
    add(row_of("a", "2026-12-10", "10:00", "LAN", 1, 1, 1));
    filter("All", "All", "All", "All", "All", "All", "All");
    show_log();
    const auto labels = summary_labels();

    for (const auto& bad : {std::vector<std::string>{"Smarch", "2026"},
                            std::vector<std::string>{"March", "twenty"}}) {
        filter("All", "1", bad[0], bad[1], "1", "March", "2026");
        show_log();
        EXPECT_EQ(devices_shown(), (std::vector<std::string>{"LAN"}));
        EXPECT_EQ(summary_labels(), labels);
        EXPECT_EQ(window->summary()->Label7()->text(), "All record");
        ASSERT_FALSE(events.entries().empty());
        EXPECT_NE(events.entries().back().second.find(bad[0] == "Smarch" ? "Smarch" : "twenty"),
                  std::string::npos)
            << events.entries().back().second;
    }
}

TEST_F(DatabaseView, ADayPastTheMonthsEndIsCorrectedInItsBox) {
    filter("All", "31", "february", "2004", "31", "APRIL", "2004");
    show_log();
    EXPECT_EQ(window->filter_box()->ComboBox4()->currentText(), "29");
    EXPECT_EQ(window->filter_box()->ComboBox7()->currentText(), "30");
    EXPECT_EQ(window->summary()->Label7()->text(), "29/02/2004 to 30/04/2004");
}

// Switched to the database view, the grid and the summary never keep the devices online:
// the grid is emptied and the summary has no figures.
TEST_F(DatabaseView, AMissingDatabaseEndsTheCommandWithAnEmptyViewAndSaysWhy) {
    // A device that is not logged, so that nothing opens the database before it goes.
    dir.write("config/dev.ini", "[LAN]\nlog_option=0\n");
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    window->restore();
    ticks(2);
    const auto labels = summary_labels();
    std::filesystem::remove(dir.path() / "config/log.db");

    ASSERT_NE(summary_labels()[0], "--");
    MessageBox::set_next_answer(MessageBox::Ok);
    window->display_mode()->Radiofrimdatabase()->click();

    EXPECT_TRUE(devices_shown().empty());
    EXPECT_EQ(summary_labels(), (std::vector<std::string>(5, "--")));
    ASSERT_EQ(events.entries().size(), 1u);
    EXPECT_NE(events.entries()[0].second.find("log.db"), std::string::npos);
    EXPECT_TRUE(MessageBox::last_text().contains("log.db")) << "the reason is shown";
    EXPECT_TRUE(window->filter_box()->SpeedButton1()->isEnabled()) << "the mode is the database";
}

TEST_F(DatabaseView, ATariffThatDoesNotConvertShowsEveryRowAndASummaryWithoutFigures) {
    dir.write("config/dev.ini", "[WAN]\nBw_cost=1,5\n");
    add(row_of("a", "2026-12-10", "18:00", "LAN", 1, 1, 1));
    add(row_of("b", "2026-12-10", "12:00", "WAN", 1, 1, 1));
    add(row_of("c", "2026-12-10", "08:00", "DSL", 1, 1, 1));
    const auto labels = summary_labels();
    filter("All", "All", "All", "All", "All", "All", "All");

    show_log();

    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"LAN", "WAN", "DSL"}));
    EXPECT_NE(summary_labels(), labels);
    EXPECT_EQ(summary_labels(), (std::vector<std::string>(5, "--")));
    ASSERT_EQ(events.entries().size(), 1u);
    EXPECT_NE(events.entries()[0].second.find("1,5"), std::string::npos);
    EXPECT_TRUE(MessageBox::last_text().contains("\"WAN\"")) << "names the device";
    EXPECT_TRUE(MessageBox::last_text().contains("1,5")) << "and the value";
}

TEST_F(DatabaseView, StartUpSetsTheFilterToTodayAndListsTheDevices) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.phone_book = {{"Provider", ""}};
    ticks(1);
    add(row_of("old", "2026-12-10", "08:00", "Old \"modem\"", 1, 1, 1));
    add(row_of("older", "2026-12-09", "08:00", "lan", 1, 1, 1));

    window->Timer2Timer();

    LogFilterBox* box = window->filter_box();
    std::vector<std::string> items;
    for (int i = 0; i < box->ComboBoxEx1()->count(); ++i)
        items.push_back(box->ComboBoxEx1()->itemText(i).toStdString());
    // The log's "lan" differs from the present "LAN" in letter case: listed as removed.
    EXPECT_EQ(items, (std::vector<std::string>{"All", "Provider", "LAN", "lan", "Old \"modem\""}));
    EXPECT_EQ(box->ComboBoxEx1()->currentText(), "All");
    for (QComboBox* day : {box->ComboBox4(), box->ComboBox7()}) EXPECT_EQ(day->currentText(), "10");
    for (QComboBox* month : {box->ComboBox2(), box->ComboBox5()})
        EXPECT_EQ(month->currentText(), "December");
    for (QComboBox* year : {box->ComboBox3(), box->ComboBox6()})
        EXPECT_EQ(year->currentText(), "2026");

    show_log();
    EXPECT_EQ(window->summary()->Label7()->text(), "10/12/2026 to 10/12/2026");
    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"LAN", "Old \"modem\""}));
}

TEST_F(DatabaseView, TheDeviceListIsBuiltAgainWhenTheBoxDropsDownKeepingItsText) {
    window->Timer2Timer();
    DeviceComboBox* devices = window->filter_box()->ComboBoxEx1();
    devices->setEditText("Typed [name]");
    add(row_of("a", "2026-12-10", "08:00", "Logged later", 1, 1, 1));

    emit devices->dropping_down();

    EXPECT_EQ(devices->count(), 2);
    EXPECT_EQ(devices->itemText(1), "Logged later");
    EXPECT_EQ(devices->currentText(), "Typed [name]");
}

class Erase : public DatabaseView {
protected:
    void SetUp() override {
        DatabaseView::SetUp();
        net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
        ticks(1);  // the connection in progress gets its row
        add(row_of("lan-1", "2026-12-10", "08:00", "LAN", 60, 1, 1));
        add(row_of("quote-1", "2026-12-10", "07:00", "Bob's \"LAN\" 100%", 60, 1, 1));
        add(row_of("wan-1", "2026-12-09", "08:00", "WAN", 60, 1, 1));
        in_progress = window->engine().mibarray()[0].devuniqueid;
    }
    std::string in_progress;
};

TEST_F(Erase, YesDeletesWhatTheFilterShowsSparingTheConnectionInProgress) {
    filter("All", "10", "December", "2026", "10", "December", "2026");
    MessageBox::set_next_answer(MessageBox::Yes);

    window->SpeedButton1Click();

    EXPECT_EQ(MessageBox::last_text(),
              "Do you really want to erase all log that shows in the grid ?");
    EXPECT_EQ(ids_left(), (std::vector<std::string>{"wan-1", in_progress}));
    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"LAN"})) << "the grid is refreshed";
}

TEST_F(Erase, ANameWithQuotesAndWildcardsErasesOnlyThatDevice) {
    filter("Bob's \"LAN\" 100%", "All", "All", "All", "All", "All", "All");
    MessageBox::set_next_answer(MessageBox::Yes);
    window->SpeedButton1Click();
    EXPECT_EQ(ids_left(), (std::vector<std::string>{"wan-1", in_progress, "lan-1"}));
    EXPECT_TRUE(events.entries().empty());
}

TEST_F(Erase, CancelDeletesNothingAndLeavesFilterAndGrid) {
    filter("All", "All", "All", "All", "All", "All", "All");
    show_log();
    const auto shown = devices_shown();
    filter("WAN", "All", "All", "All", "All", "All", "All");
    MessageBox::set_next_answer(MessageBox::Cancel);

    window->SpeedButton1Click();

    EXPECT_EQ(ids_left().size(), 4u);
    EXPECT_EQ(devices_shown(), shown);
    EXPECT_TRUE(window->grid_filter().device_pattern == "%");
}

TEST_F(Erase, TheBoxesAsTheyStandDecideWithoutPressingShow) {
    filter("All", "All", "All", "All", "All", "All", "All");
    show_log();
    filter("wan", "All", "All", "All", "All", "All", "All");
    MessageBox::set_next_answer(MessageBox::Yes);

    window->SpeedButton1Click();

    EXPECT_EQ(ids_left().size(), 3u);
    EXPECT_EQ(devices_shown(), std::vector<std::string>{}) << "what remains for the new boxes";
}

}  // namespace
}  // namespace quorvane::test
