#include "logdb/CentralWriter.h"

#include <unordered_map>

#include "logdb/PgConnection.h"

namespace quorvane {

namespace {

// The rows travel as one array per column, unnested on the server: one round trip however
// many rows, and every value still a bound parameter. A rewrite that changes nothing is left
// out, so a repeated push writes no new row versions.
const char* kUpsert =
    "INSERT INTO log AS l (host, devuniqueid, startdate, starttime, usera, deventry, duration,"
    " speed, dload, uload, meter_rowid)"
    " SELECT $1, r.* FROM unnest($2::text[], $3::date[], $4::text[], $5::text[], $6::text[],"
    " $7::integer[], $8::integer[], $9::bigint[], $10::bigint[], $11::bigint[]) AS r"
    " ON CONFLICT (host, devuniqueid) DO UPDATE SET startdate = excluded.startdate,"
    " starttime = excluded.starttime, usera = excluded.usera, deventry = excluded.deventry,"
    " duration = excluded.duration, speed = excluded.speed, dload = excluded.dload,"
    " uload = excluded.uload, meter_rowid = excluded.meter_rowid"
    " WHERE (l.startdate, l.starttime, l.usera, l.deventry, l.duration, l.speed, l.dload,"
    " l.uload, l.meter_rowid) IS DISTINCT FROM (excluded.startdate, excluded.starttime,"
    " excluded.usera, excluded.deventry, excluded.duration, excluded.speed, excluded.dload,"
    " excluded.uload, excluded.meter_rowid)";

template <class T>
std::string pg_number_array(const std::vector<T>& values) {
    std::string out = "{";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += std::to_string(values[i]);
    }
    return out + '}';
}

}  // namespace

std::string pg_text_array(const std::vector<std::string>& values) {
    std::string out = "{";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += '"';
        for (char c : values[i]) {
            if (c == '"' || c == '\\') out += '\\';
            out += c;
        }
        out += '"';
    }
    return out + '}';
}

void upsert_central_rows(PgConnection& connection, const std::string& host,
                         const std::vector<LogRow>& rows, const std::vector<int64_t>& rowids,
                         const PgDeadline& deadline) {
    // One statement may not touch a row twice: the last row of an id wins.
    std::unordered_map<std::string, size_t> last_of_id;
    for (size_t i = 0; i < rows.size(); ++i) last_of_id[rows[i].devuniqueid] = i;
    std::vector<std::string> ids, dates, times, users, devices;
    std::vector<int32_t> durations, speeds;
    std::vector<int64_t> downloads, uploads, places;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (last_of_id[rows[i].devuniqueid] != i) continue;
        const LogRow& row = rows[i];
        ids.push_back(row.devuniqueid);
        dates.push_back(row.startdate);
        times.push_back(row.starttime);
        users.push_back(row.usera);
        devices.push_back(row.deventry);
        durations.push_back(row.duration);
        speeds.push_back(row.speed);
        downloads.push_back(row.dload);
        uploads.push_back(row.uload);
        places.push_back(i < rowids.size() ? rowids[i] : 0);
    }
    if (ids.empty()) return;
    connection.exec(
        kUpsert,
        {host, pg_text_array(ids), pg_text_array(dates), pg_text_array(times), pg_text_array(users),
         pg_text_array(devices), pg_number_array(durations), pg_number_array(speeds),
         pg_number_array(downloads), pg_number_array(uploads), pg_number_array(places)},
        deadline);
}

}  // namespace quorvane
