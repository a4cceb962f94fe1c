// The three views in the three formats, over the fixture's December 2026 (today's month).
#include <limits>

#include "report/ReportFixture.h"

namespace quorvane::test {
namespace {

using ReportFormats = ReportFixture;

TEST_F(ReportFormats, DailyTextIsAnAlignedTableWithTheSummary) {
    ASSERT_EQ(report({}), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(out,
              "Quorvane usage report\n"
              "Data directory: " +
                  dir.str() +
                  "\n"
                  "Device:         all\n"
                  "Period:         2026-12-01 to 2026-12-31\n"
                  "View:           daily\n"
                  "\n"
                  "Date        Network device  Connections  Online time  Download    Upload"
                  "  Total traffic       Cost\n"
                  "2026-12-01  Dial, \"up\"                1     00:01:30  500.00 B  700.00 B"
                  "        1.17 KB       3.00\n"
                  "2026-12-01  lan                       2     01:30:00   5.00 GB   2.00 KB"
                  "        5.00 GB  52,441.05\n"
                  "2026-12-31  WAN                       1     00:00:30   10.00 B   20.00 B"
                  "        30.00 B       0.00\n"
                  "\n"
                  "Connections:    4\n"
                  "Time:           01:32:00 / 5.25\n"
                  "Traffic:        5.00 GB / 52,438.80\n"
                  "Total cost:     52,444.05\n");
}

TEST_F(ReportFormats, ConnectionsTextHasTheGridsSevenColumnsInItsOrder) {
    ASSERT_EQ(report({"--connections"}), 0) << err;
    const auto table = out.substr(out.find("Start date"),
                                  out.find("\n\nConnections:") - out.find("Start date") + 1);
    EXPECT_EQ(table,
              "Start date  Start time  Network device  Duration     Download    Upload"
              "  Total traffic\n"
              "2026-12-01  18:00       lan             00:30:00      5.00 GB    0.00 B"
              "        5.00 GB\n"
              "2026-12-01  12:00       Dial, \"up\"      00:01:30     500.00 B  700.00 B"
              "        1.17 KB\n"
              "2026-12-01  09:00       LAN             01:00:00  1,000.00 KB   2.00 KB"
              "    1,002.00 KB\n"
              "2026-12-31  23:59       WAN             00:00:30      10.00 B   20.00 B"
              "        30.00 B\n");
}

TEST_F(ReportFormats, CsvHasRawNumbersAndQuotesPerRfc4180) {
    const std::string summary =
        "\nconnections,time,traffic,time_cost,traffic_cost,total_cost\n"
        "4,5520,5369734350,5.25,52438.80,52444.05\n";
    ASSERT_EQ(report({"--format", "csv"}), 0) << err;
    EXPECT_EQ(out,
              "date,device,connections,time,download,upload,total,cost\n"
              "2026-12-01,\"Dial, \"\"up\"\"\",1,90,500,700,1200,3.00\n"
              "2026-12-01,lan,2,5400,5369733120,2048,5369735168,52441.05\n"
              "2026-12-31,WAN,1,30,10,20,30,0.00\n" +
                  summary);
    ASSERT_EQ(report({"--monthly", "--format=csv"}), 0) << err;
    EXPECT_EQ(out,
              "month,device,connections,time,download,upload,total,cost\n"
              "2026-12,\"Dial, \"\"up\"\"\",1,90,500,700,1200,3.00\n"
              "2026-12,lan,2,5400,5369733120,2048,5369735168,52441.05\n"
              "2026-12,WAN,1,30,10,20,30,0.00\n" +
                  summary);
    ASSERT_EQ(report({"--connections", "--format", "csv"}), 0) << err;
    EXPECT_EQ(out,
              "id,start_date,start_time,device,duration,download,upload,total\n"
              "d01b,2026-12-01,18:00,lan,1800,5368709120,0,5368709120\n"
              "d01c,2026-12-01,12:00,\"Dial, \"\"up\"\"\",90,500,700,1200\n"
              "d01a,2026-12-01,09:00,LAN,3600,1024000,2048,1026048\n"
              "d31,2026-12-31,23:59,WAN,30,10,20,30\n" +
                  summary);
}

TEST_F(ReportFormats, JsonIsOneObjectWithExactNumbers) {
    const std::string summary =
        "\"summary\": {\"connections\": 4, \"time\": 5520, \"traffic\": 5369734350, "
        "\"time_cost\": 5.25, \"traffic_cost\": 52438.80, \"total_cost\": 52444.05}}\n";
    const std::string head = "{\"data_dir\": \"" + dir.str() +
                             "\", \"device\": null, \"from\": \"2026-12-01\", \"to\": "
                             "\"2026-12-31\", \"view\": ";
    ASSERT_EQ(report({"--format", "json", "--connections"}), 0) << err;
    EXPECT_EQ(out, head +
                       "\"connections\",\n \"rows\": [\n"
                       "  {\"id\": \"d01b\", \"start_date\": \"2026-12-01\", \"start_time\": "
                       "\"18:00\", \"device\": \"lan\", \"duration\": 1800, \"download\": "
                       "5368709120, \"upload\": 0},\n"
                       "  {\"id\": \"d01c\", \"start_date\": \"2026-12-01\", \"start_time\": "
                       "\"12:00\", \"device\": \"Dial, \\\"up\\\"\", \"duration\": 90, "
                       "\"download\": 500, \"upload\": 700},\n"
                       "  {\"id\": \"d01a\", \"start_date\": \"2026-12-01\", \"start_time\": "
                       "\"09:00\", \"device\": \"LAN\", \"duration\": 3600, \"download\": "
                       "1024000, \"upload\": 2048},\n"
                       "  {\"id\": \"d31\", \"start_date\": \"2026-12-31\", \"start_time\": "
                       "\"23:59\", \"device\": \"WAN\", \"duration\": 30, \"download\": 10, "
                       "\"upload\": 20}],\n " +
                       summary);
    ASSERT_EQ(report({"--format", "json", "--monthly", "--device", "LAN"}), 0) << err;
    EXPECT_EQ(out, "{\"data_dir\": \"" + dir.str() +
                       "\", \"device\": \"LAN\", \"from\": \"2026-12-01\", \"to\": "
                       "\"2026-12-31\", \"view\": \"monthly\",\n \"rows\": [\n"
                       "  {\"month\": \"2026-12\", \"device\": \"lan\", \"connections\": 2, "
                       "\"time\": 5400, \"download\": 5369733120, \"upload\": 2048, \"total\": "
                       "5369735168, \"cost\": 52441.05}],\n "
                       "\"summary\": {\"connections\": 2, \"time\": 5400, \"traffic\": "
                       "5369733120, \"time_cost\": 2.25, \"traffic_cost\": 52438.80, "
                       "\"total_cost\": 52441.05}}\n");
}

TEST_F(ReportFormats, AnEmptyPeriodSaysSoAndSumsToZero) {
    ASSERT_EQ(report({"--from", "2025-01-01", "--to", "2025-01-31"}), 0) << err;
    EXPECT_NE(out.find("No connections in this period.\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Total cost:     0.00\n"), std::string::npos) << out;
    ASSERT_EQ(report({"--from", "2025-01-01", "--to", "2025-01-31", "--format", "json"}), 0);
    EXPECT_NE(out.find("\"rows\": [],"), std::string::npos) << out;
}

// A foreign log's row whose download plus upload pass 64 bits: the total column shows the
// true sum, in the CSV as a number and in the table as bytes.
TEST_F(ReportFormats, ARowTotalPast64BitsIsShownWithoutOverflow) {
    dir.write("config/dev.ini", "[Big]\nBw_opt=2\n");
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    LogDatabase(log_path())
        .insert_connection(
            LogRow{"big", "2026-12-15", "10:00", "local", "Big", 60, 100000000, kMax, kMax});
    ASSERT_EQ(report({"--connections", "--device", "Big", "--format", "csv"}), 0) << err;
    EXPECT_NE(out.find("big,2026-12-15,10:00,Big,60,9223372036854775807,9223372036854775807,"
                       "18446744073709551614\n"),
              std::string::npos)
        << out;
    ASSERT_EQ(report({"--connections", "--device", "Big"}), 0) << err;
    EXPECT_NE(out.find("8,589,934,592.00 GB  17,179,869,184.00 GB"), std::string::npos) << out;
}

}  // namespace
}  // namespace quorvane::test
