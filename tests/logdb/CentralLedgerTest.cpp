#include <gtest/gtest.h>

#include <string>

#include "logdb/CentralLedger.h"
#include "logdb/LogDatabase.h"
#include "logdb/OtherConnection.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

// The first use marks every row of a large log, in transactions short enough that the
// logger's statements meanwhile get through.
TEST(CentralLedger, TheFirstUseMarksEveryRowOfALargeLog) {
    TempDir dir;
    const std::string path = dir.str() + "/log.db";
    create_log_db(path);
    {
        OtherConnection fill(path);
        fill.exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 45000)"
            " INSERT INTO log SELECT 'id-' || i, '2026-12-11', '10:00', 'local', 'eth' || (i % 20),"
            " i, 0, i, i FROM n");
    }
    CentralLedger ledger(path);
    ledger.prepare("alpha\nhost=db");
    EXPECT_EQ(ledger.pending_count(), 45000);
    auto first = ledger.pending(3);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].row.devuniqueid, "id-1");

    // Acknowledged rows go; the same target marks nothing again.
    ledger.acknowledge(ledger.pending(45000));
    ledger.prepare("alpha\nhost=db");
    EXPECT_EQ(ledger.pending_count(), 0);
    // The logger's writes are marked by the triggers, and another target marks all again.
    LogDatabase log(path);
    ASSERT_TRUE(log.update_connection("id-7", 1, 2, 3));
    EXPECT_EQ(ledger.pending_count(), 1);
    EXPECT_EQ(ledger.pending(5)[0].row.dload, 2);
    ledger.prepare("beta\nhost=db");
    EXPECT_EQ(ledger.pending_count(), 45000);
}

}  // namespace
}  // namespace quorvane::test
