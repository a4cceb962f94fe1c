// quorvane-report, the real executable, beside the real main window over one data directory:
// the same rows in the same order and the same summary, to the ten-thousandth.
#include <gtest/gtest.h>

#include <chrono>

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QToolButton>

#include "host/ChildProcess.h"
#include "report/Report.h"
#include "ui/MainFaceFixture.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/LogFilterBox.h"

namespace quorvane::test {
namespace {

using namespace std::chrono_literals;

class ReportMatchesWindow : public MainFaceFixture {
protected:
    void add(const char* id, const char* date, const char* time, const char* device,
             int32_t seconds, int64_t down, int64_t up) {
        window->log_database().insert_connection(
            LogRow{id, date, time, "local", device, seconds, 100000000, down, up});
    }
    // The report's JSON, parsed; the raw text in `raw`.
    QJsonObject report_json(std::vector<std::string> arguments, std::string& raw) {
        arguments.insert(arguments.begin(),
                         {QUORVANE_REPORT_EXECUTABLE, "--data-dir", dir.str(), "--format", "json"});
        ChildProcess child(arguments, {{"LC_ALL", "C"}}, dir.str(), dir.str());
        EXPECT_EQ(child.wait(30s), 0) << child.err();
        raw = child.out();
        QJsonParseError error{};
        auto document = QJsonDocument::fromJson(QByteArray::fromStdString(raw), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << raw;
        return document.object();
    }
};

TEST_F(ReportMatchesWindow, TheSummaryAndRowsAreTheDatabaseViews) {
    dir.write("config/dev.ini",
              "[LAN]\nTime_cost=1.5\nTime_cost_sat=1\nBw_cost=0.0133\nBw_cost_sat=1\nBw_opt=0\n"
              "[Dial, \"up\"]\nTime_cost=0.07\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\n");
    add("a", "2026-12-08", "23:59", "LAN", 61, 1, 1);
    add("b", "2026-12-09", "09:00", "LAN", 3599, 1024001, 2047);
    add("c", "2026-12-09", "18:00", "lan", 1801, 5368709121, 3);
    add("d", "2026-12-10", "12:00", "Dial, \"up\"", 97, 1536000, 512000);
    add("e", "2026-12-11", "08:00", "LAN", 59, 7, 9);
    add("f", "2026-12-12", "00:00", "LAN", 60, 1, 1);
    window->restore();
    for (const char* device : {"lan", "All"}) {
        LogFilterBox* box = window->filter_box();
        box->ComboBoxEx1()->setEditText(device);
        box->ComboBox4()->setEditText("9");
        box->ComboBox2()->setEditText("December");
        box->ComboBox3()->setEditText("2026");
        box->ComboBox7()->setEditText("11");
        box->ComboBox5()->setEditText("December");
        box->ComboBox6()->setEditText("2026");
        box->SpeedButton5()->click();
        const Tlog_summary expected = window->log_summary();
        ASSERT_GT(expected.conn_count, 0);

        std::vector<std::string> arguments{"--connections", "--from", "2026-12-09", "--to",
                                           "2026-12-11"};
        if (std::string(device) != "All") arguments.insert(arguments.end(), {"--device", device});
        std::string raw;
        const QJsonObject json = report_json(arguments, raw);

        const QJsonObject summary = json["summary"].toObject();
        EXPECT_EQ(summary["connections"].toInteger(), expected.conn_count) << device;
        EXPECT_EQ(summary["time"].toInteger(), expected.total_time) << device;
        EXPECT_EQ(summary["traffic"].toInteger(), expected.total_traffic) << device;
        const std::string amounts =
            "\"time_cost\": " + plain_amount(expected.total_time_cost) +
            ", \"traffic_cost\": " + plain_amount(expected.total_traffic_cost) +
            ", \"total_cost\": " +
            plain_amount(expected.total_time_cost + expected.total_traffic_cost) + "}";
        EXPECT_NE(raw.find(amounts), std::string::npos) << amounts << "\n" << raw;

        const QJsonArray rows = json["rows"].toArray();
        ASSERT_EQ(rows.size(), window->grid_model()->data_rows()) << device;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].toObject()["device"].toString().toStdString(),
                      window->grid_model()->device_at(static_cast<int>(i)).toStdString())
                << device << " row " << i;
        }
    }
}

}  // namespace
}  // namespace quorvane::test
