// The connection logger: one log row per connection of a logged device, inserted on the
// connection's first online tick, rewritten on the ticks whose counter is 30 or 0, and
// rewritten once more with its last figures when the connection ends.
#include <algorithm>

#include "config/Conversions.h"
#include "config/IniFile.h"
#include "format/DateTimeFormat.h"
#include "logdb/LogDatabase.h"
#include "traffic/TextTrim.h"
#include "traffic/TrafficEngine.h"

namespace quorvane {

void TrafficEngine::writelog(const std::string& devuniqueid, const std::string& user,
                             const std::string& deventry, int32_t duration, int32_t speed,
                             int64_t dload, int64_t uload, int32_t mode) {
    if (mode == 0) {
        const LocalTime now = m_ports.clock.now();
        LogRow row;
        row.devuniqueid = devuniqueid;
        row.startdate = iso_date(now);
        row.starttime = hh_mm(now);
        row.usera = user;
        row.deventry = deventry;
        row.duration = duration;
        row.speed = speed;
        row.dload = dload;
        row.uload = uload;
        m_log.insert_connection(row);
    } else if (mode == 1) {
        m_log.update_connection(devuniqueid, duration, dload, uload);
    }
}

void TrafficEngine::reload_dev_options() {
    const IniFile ini(m_dev_ini_path);
    for (Tmibdata& device : m_mibarray) {
        device.log_option = str_to_int(ini.read_string(device.deventry, "log_option", "1"));
        device.tray_option = str_to_int(ini.read_string(device.deventry, "tray_option", "1"));
    }
    m_dev_cfg_changed = 0;
}

bool TrafficEngine::has_open_row(const Tmibdata& device) {
    return device.new_connection == 0 && device.log_option == 1 && device.log_file != 0;
}

LogRow TrafficEngine::row_of(const Tmibdata& device) {
    LogRow row;
    row.devuniqueid = device.devuniqueid;
    row.startdate = device.log_startdate;
    row.starttime = device.log_starttime;
    row.deventry = device.deventry;
    row.duration = device.online_time;
    row.speed = device.speed;
    row.dload = device.dload_total;
    row.uload = device.uload_total;
    return row;
}

void TrafficEngine::connection_ended(const Tmibdata& device) {
    if (!has_open_row(device)) return;
    // A connection is written once with its newest figures, however often it is asked for.
    std::erase_if(
        m_ended, [&](const EndedConnection& e) { return e.row.devuniqueid == device.devuniqueid; });
    m_ended.push_back({row_of(device), device.log_file});
}

void TrafficEngine::insert_row(Tmibdata& device, const LocalTime& now) {
    LogRow row = row_of(device);
    row.startdate = iso_date(now);
    row.starttime = hh_mm(now);
    m_log.insert_connection(row);
    device.log_startdate = row.startdate;
    device.log_starttime = row.starttime;
    device.log_file = m_log.file_generation();
}

void TrafficEngine::rewrite_row(const LogRow& row, uint64_t& log_file) {
    const bool found = m_log.update_connection(row.devuniqueid, row.duration, row.dload, row.uload);
    if (!found && log_file != m_log.file_generation()) m_log.insert_connection(row);
    log_file = m_log.file_generation();
}

void TrafficEngine::rewrite_ended_connections() {
    while (!m_ended.empty()) {
        rewrite_row(m_ended.front().row, m_ended.front().log_file);
        m_ended.erase(m_ended.begin());
    }
}

void TrafficEngine::rewrite_rows_of_replaced_file() {
    const auto open_row = [](const Tmibdata& d) {
        return has_open_row(d) && trim_blanks(d.ip) != "0.0.0.0";
    };
    if (std::none_of(m_mibarray.begin(), m_mibarray.end(), open_row)) return;
    m_log.open();
    for (Tmibdata& device : m_mibarray) {
        if (open_row(device) && device.log_file != m_log.file_generation())
            rewrite_row(row_of(device), device.log_file);
    }
}

void TrafficEngine::logging_pass() {
    m_log.check_file();
    rewrite_ended_connections();
    rewrite_rows_of_replaced_file();
    // The rewrites of a tick go in one transaction: one write of the log for all of them.
    std::vector<LogRow> rewrites;
    for (Tmibdata& device : m_mibarray) {
        if (trim_blanks(device.ip) == "0.0.0.0") continue;
        if (device.new_connection == 1) {
            // The start shown in the grid was set at the connection's first online tick; a
            // device that is not logged, or whose row could not be inserted yet, keeps it.
            const LocalTime now = m_ports.clock.now();
            if (device.log_option == 1) {
                insert_row(device, now);
                device.new_connection = 0;
            }
        } else if (m_tick % 30 == 0 && device.log_option == 1) {
            rewrites.push_back(row_of(device));
        }
    }
    m_log.update_connections(rewrites);
}

void TrafficEngine::write_final_figures() {
    for (const Tmibdata& device : m_mibarray) {
        if (trim_blanks(device.ip) != "0.0.0.0") connection_ended(device);
    }
    m_log.check_file();
    rewrite_ended_connections();
}

}  // namespace quorvane
