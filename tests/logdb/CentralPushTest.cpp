#include <sqlite3.h>

#include <chrono>
#include <filesystem>

#include "logdb/CentralError.h"
#include "logdb/CentralFixture.h"
#include "logdb/CentralLedger.h"
#include "logdb/CentralLog.h"
#include "logdb/CentralPush.h"
#include "logdb/OtherConnection.h"
#include "logdb/PgConnection.h"

namespace quorvane::test {
namespace {

PgDeadline soon() {
    return PgDeadline(PgDeadline::clock::now() + std::chrono::seconds(10));
}

// Names as users type them, and byte counts past 32 bits.
std::vector<LogRow> awkward_rows() {
    return {
        LogRow{"2-20240105134502-7", "2024-01-05", "13:45", "local", "LAN", 61, 100000000,
               5000000000LL, 7},
        LogRow{"3-20240105134510-1", "2024-01-05", "13:45", "local", "Home \"LAN\" 100%", 5, 0, 0,
               0},
        LogRow{"4-20240106090000-2", "2024-01-06", "09:00", "local", "[ppp]=x, {a} \\ 'q'", 3600,
               56000, 123, 456},
        LogRow{"5-20240107230000-3", "2024-01-07", "23:59", "local", "Wi-Fi ÄÖ", 1, 1, 1, 1},
    };
}

using CentralPushTest = CentralFixture;

TEST_F(CentralPushTest, CentralRowsEqualTheMetersOwnRows) {
    for (const auto& row : awkward_rows()) log->insert_connection(row);
    CentralLedger ledger(log_path());
    const auto result = push_to_central(ledger, alpha(), soon());
    EXPECT_EQ(result.rows, 4u);
    EXPECT_EQ(result.batches, 1u);
    EXPECT_EQ(central_rows("alpha"), local_rows());
    EXPECT_EQ(ledger.pending_count(), 0);
    // Nothing new: the next push sends nothing and connects to nobody.
    EXPECT_EQ(push_to_central(ledger, alpha(), soon()).rows, 0u);
}

// A row the central table cannot hold (a hand-edited or foreign log) holds back only itself:
// the rows beside it go, it is named once and stays in the meter's log, and it is not tried
// at every push.
TEST_F(CentralPushTest, ARowTheCentralTableCannotHoldHoldsBackOnlyItself) {
    const std::vector<LogRow> rows = {
        LogRow{"1-good", "2024-03-01", "08:00", "local", "LAN", 60, 0, 10, 20},
        LogRow{"2-no-such-day", "2024-02-30", "09:00", "local", "LAN", 60, 0, 10, 20},
        LogRow{"4-not-utf8", "2024-03-01", "10:00", "local", "LAN\xff", 60, 0, 10, 20},
        LogRow{"5-good", "2024-03-02", "11:00", "local", "WAN", 60, 0, 10, 20},
    };
    for (const auto& row : rows) log->insert_connection(row);
    CentralLedger ledger(log_path());

    const auto result = push_to_central(ledger, alpha(), soon());

    EXPECT_EQ(result.rows, 2u);
    ASSERT_EQ(result.skipped.size(), 2u);
    for (const char* id : {"2-no-such-day", "4-not-utf8"}) {
        const bool named = std::any_of(result.skipped.begin(), result.skipped.end(),
                                       [&](const std::string& s) { return s.find(id) != s.npos; });
        EXPECT_TRUE(named) << id;
    }
    std::vector<LogRow> good;
    for (const auto& row : local_rows()) {
        if (row.devuniqueid == "1-good" || row.devuniqueid == "5-good") good.push_back(row);
    }
    EXPECT_EQ(central_rows("alpha"), good);
    EXPECT_EQ(local_rows().size(), 4u) << "nothing is lost on the meter";
    EXPECT_EQ(ledger.pending_count(), 0);
    const auto again = push_to_central(ledger, alpha(), soon());
    EXPECT_EQ(again.rows, 0u);
    EXPECT_TRUE(again.skipped.empty()) << "said once";
}

TEST_F(CentralPushTest, ARewrittenRowIsUpdatedAndOnlyItGoesAgain) {
    for (const auto& row : awkward_rows()) log->insert_connection(row);
    CentralLedger ledger(log_path());
    push_to_central(ledger, alpha(), soon());
    ASSERT_TRUE(log->update_connection("2-20240105134502-7", 91, 6000000000LL, 9));
    log->insert_connection(
        LogRow{"6-20240108000000-4", "2024-01-08", "00:00", "local", "LAN", 0, 0, 0, 0});
    EXPECT_EQ(push_to_central(ledger, alpha(), soon()).rows, 2u);
    EXPECT_EQ(central_rows("alpha"), local_rows());
    EXPECT_EQ(server->query("SELECT duration || ' ' || dload FROM log WHERE devuniqueid = "
                            "'2-20240105134502-7'"),
              "91 6000000000");
}

TEST_F(CentralPushTest, ManyRowsGoInBatchesOfOneTransactionEach) {
    std::vector<LogRow> rows;
    for (int i = 0; i < 250; ++i) {
        rows.push_back(LogRow{"7-" + std::to_string(1000 + i), "2024-02-01", "10:00", "local",
                              "eth" + std::to_string(i % 20), i, 0, i * 10LL, i * 20LL});
    }
    log->update_connections({});
    for (const auto& row : rows) log->insert_connection(row);
    CentralLedger ledger(log_path());
    const auto result = push_to_central(ledger, alpha(), soon(), 100);
    EXPECT_EQ(result.rows, 250u);
    EXPECT_EQ(result.batches, 3u);
    EXPECT_EQ(central_rows("alpha"), local_rows());
}

TEST_F(CentralPushTest, ServerDownThenUpIsCaughtUpWithoutDoubles) {
    CentralLedger ledger(log_path());
    log->insert_connection(awkward_rows()[0]);
    push_to_central(ledger, alpha(), soon());

    server->stop();
    // The meter goes on logging while the server is away.
    log->insert_connection(awkward_rows()[1]);
    log->update_connection("2-20240105134502-7", 500, 5000001000LL, 70);
    try {
        push_to_central(ledger, alpha(), soon());
        ADD_FAILURE() << "pushed to a stopped server";
    } catch (const CentralError& error) {
        EXPECT_EQ(error.kind(), CentralError::Kind::unreachable) << error.what();
    }
    log->insert_connection(awkward_rows()[2]);
    log->update_connection("3-20240105134510-1", 65, 10, 20);
    server->start();

    EXPECT_EQ(push_to_central(ledger, alpha(), soon()).rows, 3u);
    EXPECT_EQ(central_rows("alpha"), local_rows());
    EXPECT_EQ(server->query("SELECT count(*) FROM log"), "3");
}

TEST_F(CentralPushTest, APushCutOffBeforeItsAcknowledgementIsRepeatedSafely) {
    for (const auto& row : awkward_rows()) log->insert_connection(row);
    CentralLedger ledger(log_path());
    ledger.prepare("alpha\n" + alpha().url);
    {
        // Another program holds the log's write lock at the worst moment: the server commits,
        // the acknowledgement cannot be written.
        OtherConnection other(log_path());
        other.exec("BEGIN IMMEDIATE");
        try {
            push_to_central(ledger, alpha(), soon());
            ADD_FAILURE() << "acknowledged under another writer's lock";
        } catch (const CentralError& error) {
            EXPECT_EQ(error.kind(), CentralError::Kind::local_log) << error.what();
        }
        other.exec("ROLLBACK");
    }
    EXPECT_EQ(central_rows("alpha"), local_rows());
    EXPECT_EQ(ledger.pending_count(), 4);
    // The same rows go again, as upserts: nothing doubled.
    EXPECT_EQ(push_to_central(ledger, alpha(), soon()).rows, 4u);
    EXPECT_EQ(server->query("SELECT count(*) FROM log"), "4");
    EXPECT_EQ(central_rows("alpha"), local_rows());
    EXPECT_EQ(ledger.pending_count(), 0);
}

TEST_F(CentralPushTest, ARowWrittenDuringThePushStaysPending) {
    log->insert_connection(awkward_rows()[0]);
    CentralLedger ledger(log_path());
    ledger.prepare("alpha\n" + alpha().url);
    auto read = ledger.pending(10);
    ASSERT_EQ(read.size(), 1u);
    // The logger rewrites the row after it was read and before the acknowledgement.
    log->update_connection("2-20240105134502-7", 99, 1, 2);
    ledger.acknowledge(read);
    EXPECT_EQ(ledger.pending_count(), 1);
    push_to_central(ledger, alpha(), soon());
    EXPECT_EQ(central_rows("alpha"), local_rows());
}

TEST_F(CentralPushTest, AnotherServerOrHostGetsTheWholeLog) {
    for (const auto& row : awkward_rows()) log->insert_connection(row);
    CentralLedger ledger(log_path());
    push_to_central(ledger, alpha(), soon());
    // The same meter now reports as "beta" (and logs in as its role): all rows go again.
    const CentralTarget beta{server->url("meter_beta"), "beta"};
    EXPECT_EQ(push_to_central(ledger, beta, soon()).rows, 4u);
    EXPECT_EQ(central_rows("beta"), local_rows());
}

TEST_F(CentralPushTest, ALogFileReplacedBetweenPushesIsReadAfresh) {
    log->insert_connection(awkward_rows()[0]);
    CentralLedger ledger(log_path());
    push_to_central(ledger, alpha(), soon());
    // Another file takes the log's place (a restored backup, say), holding other rows. (The
    // logger's own connection notices the swap by itself; here it is closed first.)
    log.reset();
    const std::string other = dir.str() + "/other.db";
    create_log_db(other);
    LogDatabase(other).insert_connection(awkward_rows()[1]);
    std::filesystem::rename(other, log_path());
    log = std::make_unique<LogDatabase>(log_path());
    EXPECT_EQ(push_to_central(ledger, alpha(), soon()).rows, 1u);
    EXPECT_EQ(server->query("SELECT count(*) FROM log"), "2");
}

TEST_F(CentralPushTest, RowsErasedLocallyStayCentral) {
    for (const auto& row : awkward_rows()) log->insert_connection(row);
    CentralLedger ledger(log_path());
    push_to_central(ledger, alpha(), soon());
    log->delete_device("LAN");
    EXPECT_EQ(push_to_central(ledger, alpha(), soon()).rows, 0u);
    EXPECT_EQ(server->query("SELECT count(*) FROM log"), "4");
}

TEST_F(CentralPushTest, TheReportReadsAPeriodADeviceAndAHost) {
    for (const auto& row : awkward_rows()) log->insert_connection(row);
    CentralLedger ledger(log_path());
    push_to_central(ledger, alpha(), soon());
    push_to_central(ledger, CentralTarget{server->url("meter_beta"), "beta"}, soon());
    const std::string url = server->url("reader");
    auto all = read_central_rows(url, "2024-01-01", "2024-01-31", std::nullopt, std::nullopt);
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all[0].host, "alpha");
    EXPECT_EQ(all[4].host, "beta");
    // Date ascending, within a day time descending.
    EXPECT_EQ(all[0].row.startdate, "2024-01-05");
    EXPECT_EQ(all[2].row.startdate, "2024-01-06");
    auto one = read_central_rows(url, "2024-01-05", "2024-01-06", std::string("home \"lan\" 100%"),
                                 std::string("beta"));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].row, awkward_rows()[1]);
}

}  // namespace
}  // namespace quorvane::test
