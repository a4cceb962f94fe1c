#include "logdb/CentralLog.h"

#include <chrono>
#include <cstdlib>

#include "logdb/CentralError.h"
#include "logdb/CentralUrl.h"
#include "logdb/PgConnection.h"

namespace quorvane {

namespace {

int64_t number(const std::string& text) {
    return std::strtoll(text.c_str(), nullptr, 10);
}

}  // namespace

std::vector<CentralRow> read_central_rows(const std::string& url, const std::string& from,
                                          const std::string& to,
                                          const std::optional<std::string>& device,
                                          const std::optional<std::string>& host) {
    check_central_url(url);
    // A report may read a large log over a slow link; it still ends.
    const PgDeadline deadline(PgDeadline::clock::now() + std::chrono::minutes(10));
    PgConnection connection(url, deadline);
    const PgRows answer = connection.exec(
        "SELECT host, devuniqueid, to_char(startdate, 'YYYY-MM-DD'), starttime, usera, deventry,"
        " duration, speed, dload, uload FROM log"
        " WHERE startdate BETWEEN $1::date AND $2::date"
        " AND ($3::text IS NULL OR lower(deventry COLLATE \"C\") = lower($3::text COLLATE \"C\"))"
        " AND ($4::text IS NULL OR host = $4::text)"
        " ORDER BY host, startdate, starttime DESC, meter_rowid DESC",
        {from, to, device, host}, deadline);
    std::vector<CentralRow> rows;
    rows.reserve(answer.rows.size());
    for (const auto& r : answer.rows) {
        rows.push_back(CentralRow{
            r[0], LogRow{r[1], r[2], r[3], r[4], r[5], static_cast<int32_t>(number(r[6])),
                         static_cast<int32_t>(number(r[7])), number(r[8]), number(r[9])}});
    }
    return rows;
}

}  // namespace quorvane
