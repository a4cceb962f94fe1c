#pragma once
// The logs the database view benchmarks refresh: real SQLite files of a given number of
// connections over seven years, with the tariffs of eight devices.

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::bench {

// Eight devices; five have tariffs, one of them written in other letter case.
inline const std::vector<std::string> devices = {"LAN", "Wi-Fi", "Office dial-up", "lan", "Mobile",
                                                 "VPN", "eth2",  "Bob's \"50%\""};

inline const char* dev_ini =
    "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\nBw_opt=0\n"
    "[Wi-Fi]\nTime_cost=2\nTime_cost_sat=1\n"
    "[Office dial-up]\nTime_cost=0.03\nTime_cost_sat=0\nBw_cost=0.001\nBw_cost_sat=1\n"
    "[Mobile]\nBw_cost=0.0001\nBw_cost_sat=0\nBw_opt=1\n"
    "[Bob's \"50%\"]\nBw_cost=1.5\nBw_cost_sat=2\nBw_opt=2\n";

inline void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
    }
}

// A data directory whose log holds `rows` connections over seven years, written in one
// transaction; made once per size and kept for the rest of the run.
struct LogFixture {
    explicit LogFixture(int64_t rows) {
        dir.write("config/dev.ini", dev_ini);
        test::create_log_db(log_path());
        sqlite3* db = nullptr;
        check(sqlite3_open(log_path().c_str(), &db), db, "open");
        check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
        sqlite3_stmt* insert = nullptr;
        check(sqlite3_prepare_v2(db,
                                 "INSERT INTO log (Devuniqueid,startdate,starttime,usera,"
                                 "Deventry,Duration,speed,dload,uload) "
                                 "VALUES (?1,?2,?3,'local',?4,?5,100000000,?6,?7)",
                                 -1, &insert, nullptr),
              db, "prepare");
        std::mt19937_64 random(20240105);
        for (int64_t i = 0; i < rows; ++i) {
            unsigned year = 2020 + static_cast<unsigned>(random() % 7);
            unsigned month = 1 + static_cast<unsigned>(random() % 12);
            unsigned day = 1 + static_cast<unsigned>(random() % 28);
            unsigned hour = static_cast<unsigned>(random() % 24);
            unsigned minute = static_cast<unsigned>(random() % 60);
            char date[16], time[8], id[64];
            std::snprintf(date, sizeof date, "%04u-%02u-%02u", year, month, day);
            std::snprintf(time, sizeof time, "%02u:%02u", hour, minute);
            std::snprintf(id, sizeof id, "%u-%04u%02u%02u%02u%02u00-%u",
                          static_cast<unsigned>(i % 16), year, month, day, hour, minute,
                          static_cast<unsigned>(random() % 32768));
            const std::string& device = devices[static_cast<size_t>(random() % devices.size())];
            sqlite3_bind_text(insert, 1, id, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, date, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, time, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 4, device.c_str(), -1, SQLITE_STATIC);
            sqlite3_bind_int64(insert, 5, static_cast<int64_t>(random() % 86400));
            sqlite3_bind_int64(insert, 6, static_cast<int64_t>(random() % 5000000000));
            sqlite3_bind_int64(insert, 7, static_cast<int64_t>(random() % 500000000));
            check(sqlite3_step(insert), db, "insert");
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
        sqlite3_close(db);
    }

    // The rows of `written` written again in the order they start (date, time, then as first
    // written), as a meter writes its log.
    struct InStartOrder {};
    LogFixture(const LogFixture& written, InStartOrder) {
        dir.write("config/dev.ini", dev_ini);
        test::create_log_db(log_path());
        sqlite3* db = nullptr;
        check(sqlite3_open(log_path().c_str(), &db), db, "open");
        char* attach = sqlite3_mprintf("ATTACH %Q AS written", written.log_path().c_str());
        check(sqlite3_exec(db, attach, nullptr, nullptr, nullptr), db, "attach");
        sqlite3_free(attach);
        check(sqlite3_exec(db,
                           "INSERT INTO log (Devuniqueid,startdate,starttime,usera,Deventry,"
                           "Duration,speed,dload,uload) "
                           "SELECT Devuniqueid,startdate,starttime,usera,Deventry,Duration,speed,"
                           "dload,uload FROM written.log ORDER BY startdate, starttime, rowid",
                           nullptr, nullptr, nullptr),
              db, "copy");
        sqlite3_close(db);
    }

    std::string log_path() const { return dir.str() + "/config/log.db"; }
    std::string ini_path() const { return dir.str() + "/config/dev.ini"; }

    test::TempDir dir;
};

inline const LogFixture& fixture(int64_t rows) {
    static std::map<int64_t, std::unique_ptr<LogFixture>> made;
    auto& slot = made[rows];
    if (!slot) slot = std::make_unique<LogFixture>(rows);
    return *slot;
}

// The rows of fixture(rows) in the order they start.
inline const LogFixture& fixture_in_start_order(int64_t rows) {
    static std::map<int64_t, std::unique_ptr<LogFixture>> made;
    auto& slot = made[rows];
    if (!slot) slot = std::make_unique<LogFixture>(fixture(rows), LogFixture::InStartOrder{});
    return *slot;
}

}  // namespace quorvane::bench
