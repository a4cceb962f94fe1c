#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include "ui/MainFaceFixture.h"
#include "ui/common/MessageBox.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/LogFilterBox.h"

namespace quorvane::test {
namespace {

// What a user meets when the database view cannot be shown as asked: a message that says
// why, a summary with no figures of another view, and erase and export as the mode says.
class ViewErrors : public MainFaceFixture {
protected:
    void add(const std::string& id, const std::string& device, int64_t down) {
        window->log_database().insert_connection(
            LogRow{id, "2026-12-10", "10:00", "local", device, 60, 100000000, down, 0});
    }
    void filter(const char* from_day, const char* from_month, const char* from_year,
                const char* to_day, const char* to_month, const char* to_year) {
        LogFilterBox* box = window->filter_box();
        box->ComboBoxEx1()->setEditText("All");
        box->ComboBox4()->setEditText(from_day);
        box->ComboBox2()->setEditText(from_month);
        box->ComboBox3()->setEditText(from_year);
        box->ComboBox7()->setEditText(to_day);
        box->ComboBox5()->setEditText(to_month);
        box->ComboBox6()->setEditText(to_year);
    }
    void show_log() {
        MessageBox::set_next_answer(MessageBox::Ok);
        window->filter_box()->SpeedButton5()->click();
    }
    bool buttons_enabled() const {
        return window->filter_box()->SpeedButton1()->isEnabled() &&
               window->filter_box()->SpeedButton10()->isEnabled();
    }
    bool buttons_disabled() const {
        return !window->filter_box()->SpeedButton1()->isEnabled() &&
               !window->filter_box()->SpeedButton10()->isEnabled();
    }
};

// 900000000000000 per Mbyte on a 5 GB connection passes the largest amount.
TEST_F(ViewErrors, AnExtremeTariffIsNamedTheSummaryHasNoFiguresAndTheButtonsFollowTheMode) {
    dir.write("config/dev.ini", "[lo]\nBw_cost=900000000000000\nBw_cost_sat=2\n");
    add("a", "eth0", 1000);
    add("b", "lo", int64_t{5} << 30);
    net.add_ethernet(2, "lo", ipv4(127, 0, 0, 1));
    window->restore();
    ticks(2);
    ASSERT_EQ(window->summary()->Label23()->text(), "lo") << "the now-online summary";
    filter("All", "All", "All", "All", "All", "All");

    MessageBox::set_next_answer(MessageBox::Ok);
    window->display_mode()->Radiofrimdatabase()->click();

    const QString message = MessageBox::last_text();
    EXPECT_TRUE(message.contains("\"lo\"")) << message.toStdString();
    EXPECT_TRUE(message.contains("out of the range of amounts")) << message.toStdString();
    EXPECT_EQ(summary_labels(), (std::vector<std::string>(5, "--")));
    EXPECT_TRUE(buttons_enabled()) << "the mode is the database's";

    // A later Show that works fills grid and summary, the buttons stay as the mode says.
    dir.write("config/dev.ini", "[lo]\nBw_cost=0.5\nBw_cost_sat=2\n");
    show_log();
    EXPECT_EQ(window->summary()->Label28()->text(), "3") << "lo's connection is logged too";
    EXPECT_EQ(window->summary()->Label23()->text(), "All");
    EXPECT_TRUE(buttons_enabled());
    window->display_mode()->Radionowonline()->click();
    EXPECT_TRUE(buttons_disabled());
    // Show from the now-online mode switches to the database view, failing or not.
    dir.write("config/dev.ini", "[lo]\nBw_cost=abc\n");
    show_log();
    EXPECT_TRUE(window->display_mode()->Radiofrimdatabase()->isChecked());
    EXPECT_TRUE(buttons_enabled());
    EXPECT_TRUE(MessageBox::last_text().contains("'abc'")) << "names the value";
}

// Each bad box turns red and is named with its text; the grid keeps the rows it showed.
TEST_F(ViewErrors, ABadFilterBoxIsNamedWithItsTextAndTurnsRed) {
    add("a", "eth0", 1000);
    filter("All", "All", "All", "All", "All", "All");
    show_log();
    ASSERT_EQ(window->grid_model()->data_rows(), 1);
    struct Case {
        std::vector<const char*> boxes;
        const char* name;
        const char* text;
        QComboBox* (LogFilterBox::*box)() const;
    };
    const Case cases[] = {
        {{"1", "December", "99999", "10", "December", "2026"},
         "\"from\" year",
         "99999",
         &LogFilterBox::ComboBox3},
        {{"1", "Foo", "2026", "10", "December", "2026"},
         "\"from\" month",
         "Foo",
         &LogFilterBox::ComboBox2},
        {{"0", "December", "2026", "10", "December", "2026"},
         "\"from\" day",
         "0",
         &LogFilterBox::ComboBox4},
        {{"1", "December", "2026", "10", "Smarch", "2026"},
         "\"to\" month",
         "Smarch",
         &LogFilterBox::ComboBox5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        filter(c.boxes[0], c.boxes[1], c.boxes[2], c.boxes[3], c.boxes[4], c.boxes[5]);
        show_log();
        const QString message = MessageBox::last_text();
        EXPECT_TRUE(message.startsWith(QString("The %1 box holds \"%2\"").arg(c.name, c.text)))
            << message.toStdString();
        QComboBox* bad = (window->filter_box()->*c.box)();
        EXPECT_TRUE(LogFilterBox::is_marked(bad));
        EXPECT_EQ(bad->toolTip(), message);
        EXPECT_EQ(window->grid_model()->data_rows(), 1) << "the grid as it was";
        EXPECT_EQ(window->summary()->Label7()->text(), "All record");
    }
    // Corrected, the mark goes.
    filter("10", "December", "2026", "10", "December", "2026");
    show_log();
    for (QComboBox* box : {window->filter_box()->ComboBox3(), window->filter_box()->ComboBox5()})
        EXPECT_FALSE(LogFilterBox::is_marked(box));
    EXPECT_EQ(window->summary()->Label7()->text(), "10/12/2026 to 10/12/2026");
}

TEST_F(ViewErrors, AReversedPeriodIsRefusedSayingSo) {
    add("a", "eth0", 1000);
    filter("10", "December", "2026", "10", "December", "2026");
    show_log();
    const auto labels = summary_labels();
    filter("12", "December", "2026", "10", "December", "2026");
    show_log();
    EXPECT_EQ(MessageBox::last_text(),
              "The period starts on 12/12/2026, after it ends on 10/12/2026: no connection lies "
              "in it.\nChoose a \"from\" date on or before the \"to\" date.");
    EXPECT_EQ(window->grid_model()->data_rows(), 1);
    EXPECT_EQ(summary_labels(), labels);
    EXPECT_EQ(window->summary()->Label7()->text(), "10/12/2026 to 10/12/2026");
}

// The now-online start of a device that is not logged is its first online tick, not the
// clock of each tick.
TEST_F(ViewErrors, TheStartTimeOfAnUnloggedDeviceStaysAtItsFirstOnlineTick) {
    dir.write("config/dev.ini", "[LAN]\nlog_option=0\n");
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    window->restore();
    clock.time = LocalTime{2026, 12, 10, 9, 30, 0};
    ticks(1);
    clock.time = LocalTime{2026, 12, 10, 11, 45, 0};
    ticks(3);
    EXPECT_EQ(cell(0, 0), "10/12/2026");
    EXPECT_EQ(cell(0, 1), "09:30");
    EXPECT_TRUE(window->log_database().read_filtered(LogFilter{}).empty());
}

}  // namespace
}  // namespace quorvane::test
