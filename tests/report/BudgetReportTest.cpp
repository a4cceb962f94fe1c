// quorvane-report --budget: the table, CSV, JSON and the exit status.
#include <gmock/gmock.h>

#include "report/ReportFixture.h"

namespace quorvane::test {
namespace {

using ::testing::HasSubstr;

// December 2026 of the fixture's log: LAN costs 11.50 + 52429.55 = 52441.05 and is charged
// 1024000 + 5368709120 downloaded bytes (5120.98 MB); "Dial, \"up\"" costs 3.00.
class BudgetReport : public ReportFixture {
protected:
    void budgets(const std::string& lan, const std::string& dial) {
        dir.write("config/dev.ini",
                  "[LAN]\nTime_cost=1.5\nTime_cost_sat=1\nBw_cost=0.01\nBw_cost_sat=1\nBw_opt=1\n" +
                      lan + "[Dial, \"up\"]\nTime_cost=2\nTime_cost_sat=0\n" + dial + "[WAN]\n");
    }
};

TEST_F(BudgetReport, TheTableAndTheExitStatusWhenADeviceIsOver) {
    budgets("Budget_cost=60000\nBudget_mbytes=6000\n", "Budget_cost=2\n");
    ASSERT_EQ(report({"--budget"}), 3) << err;
    EXPECT_EQ(out,
              "Quorvane monthly budgets\n"
              "Data directory: " +
                  dir.str() +
                  "\n"
                  "Month:          2026-12\n"
                  "\n"
                  "Network device  Budget        Amount  Month to date   Used\n"
                  "LAN             cost       60,000.00      52,441.05   87 %\n"
                  "LAN             traffic  6,000.00 MB    5,120.98 MB   85 %\n"
                  "Dial, \"up\"      cost            2.00           3.00  150 %  over\n"
                  "\n"
                  "At or over a budget: Dial, \"up\"\n");
    EXPECT_EQ(err, "");
}

TEST_F(BudgetReport, CsvAndJsonWithinTheBudgets) {
    budgets("Budget_cost=60000\n", "Budget_cost=3.01\nBudget_mbytes=0\n");
    ASSERT_EQ(report({"--budget", "--format", "csv"}), 0) << err;
    EXPECT_EQ(out,
              "device,budget,amount,month_to_date,percent_used,over\n"
              "LAN,cost,60000.00,52441.05,87,no\n"
              "\"Dial, \"\"up\"\"\",cost,3.01,3.00,99,no\n");
    ASSERT_EQ(report({"--budget", "--format=json", "--device", "lan"}), 0) << err;
    EXPECT_EQ(out, "{\"data_dir\": \"" + dir.str() +
                       "\", \"month\": \"2026-12\",\n \"budgets\": [\n"
                       "  {\"device\": \"LAN\", \"budget\": \"cost\", \"amount\": 60000.00, "
                       "\"month_to_date\": 52441.05, \"percent_used\": 87, \"over\": false}],\n"
                       " \"over\": false}\n");
}

// Reaching a budget exactly counts as over: nothing is left to spend.
TEST_F(BudgetReport, ExactlyTheBudgetIsOver) {
    budgets("", "Budget_cost=3\n");
    ASSERT_EQ(report({"--budget", "--format", "json"}), 3) << err;
    EXPECT_THAT(out, HasSubstr("\"percent_used\": 100, \"over\": true}],\n \"over\": true}"));
}

TEST_F(BudgetReport, NoBudgetsAndBadInput) {
    ASSERT_EQ(report({"--budget"}), 0) << err;
    EXPECT_THAT(out, HasSubstr("No device has a monthly budget"));
    ASSERT_EQ(report({"--budget", "--format", "csv"}), 0);
    EXPECT_EQ(out, "device,budget,amount,month_to_date,percent_used,over\n");

    EXPECT_EQ(report({"--budget", "--daily"}), 2);
    EXPECT_THAT(err, HasSubstr("--budget is this month's and takes no period or view"));
    EXPECT_EQ(report({"--budget", "--from", "2026-12-01"}), 2);

    budgets("Budget_cost=12,50\n", "");
    EXPECT_EQ(report({"--budget"}), 1);
    EXPECT_THAT(err, HasSubstr("config/dev.ini: '12,50' is not a valid floating point value"));
    EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace quorvane::test
