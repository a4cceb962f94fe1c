#include <chrono>

#include "logdb/CentralError.h"
#include "logdb/CentralFixture.h"
#include "logdb/CentralLedger.h"
#include "logdb/CentralLog.h"
#include "logdb/CentralPush.h"
#include "logdb/PgConnection.h"

namespace quorvane::test {
namespace {

PgDeadline soon() {
    return PgDeadline(PgDeadline::clock::now() + std::chrono::seconds(10));
}

CentralError::Kind failure_of(CentralLedger& ledger, const CentralTarget& target) {
    try {
        push_to_central(ledger, target, soon());
    } catch (const CentralError& error) {
        return error.kind();
    }
    return CentralError::Kind::other;
}

using CentralSecurityTest = CentralFixture;

TEST_F(CentralSecurityTest, AMeterCannotWriteAnotherHostsRows) {
    log->insert_connection(LogRow{"1-1", "2024-03-01", "09:00", "local", "LAN", 1, 0, 1, 2});
    CentralLedger ledger(log_path());
    // meter_alpha claiming to be beta.
    EXPECT_EQ(failure_of(ledger, CentralTarget{server->url("meter_alpha"), "beta"}),
              CentralError::Kind::refused);
    EXPECT_EQ(server->query("SELECT count(*) FROM log"), "0");
    EXPECT_EQ(ledger.pending_count(), 1);

    push_to_central(ledger, CentralTarget{server->url("meter_beta"), "beta"}, soon());
    // Nor rewrite them, nor read them; its own it may read.
    EXPECT_EQ(
        server->query("UPDATE log SET dload = 0 WHERE host = 'beta' RETURNING 1", "meter_alpha"),
        "");
    EXPECT_EQ(server->query("SELECT count(*) FROM log", "meter_alpha"), "0");
    EXPECT_EQ(server->query("SELECT count(*) FROM log", "meter_beta"), "1");
    EXPECT_THROW(server->query("DELETE FROM log", "meter_beta"), std::runtime_error);
    EXPECT_EQ(server->query("SELECT dload FROM log", "reader"), "1");
    EXPECT_THROW(server->query("UPDATE log SET dload = 0", "reader"), std::runtime_error);
}

TEST_F(CentralSecurityTest, FailuresAreToldApartByKind) {
    log->insert_connection(LogRow{"1-1", "2024-03-01", "09:00", "local", "LAN", 1, 0, 1, 2});
    CentralLedger ledger(log_path());
    server->set_password("meter_alpha", "wrong");
    EXPECT_EQ(failure_of(ledger, alpha()), CentralError::Kind::login);
    server->set_password("meter_alpha", "meter_alpha-pw");
    std::string no_table = server->url("admin");
    no_table.replace(no_table.find("dbname=quorvane"), 15, "dbname=postgres");
    EXPECT_EQ(failure_of(ledger, CentralTarget{no_table, "alpha"}), CentralError::Kind::schema);
    std::string no_server = alpha().url;
    no_server.replace(no_server.find("port="), 5, "port=1");
    EXPECT_EQ(failure_of(ledger, CentralTarget{no_server, "alpha"}),
              CentralError::Kind::unreachable);
    EXPECT_EQ(failure_of(ledger, CentralTarget{alpha().url + " password=x", "alpha"}),
              CentralError::Kind::settings);
    EXPECT_EQ(ledger.pending_count(), 1);
    EXPECT_EQ(push_to_central(ledger, alpha(), soon()).rows, 1u);
}

}  // namespace
}  // namespace quorvane::test
