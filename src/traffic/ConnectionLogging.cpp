// The connection logger: one log row per connection of a logged device, inserted on the
// connection's first online tick and rewritten on the ticks whose counter is 30 or 0.
#include "config/Conversions.h"
#include "config/IniFile.h"
#include "logdb/LogDatabase.h"
#include "traffic/DateTimeFormat.h"
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

void TrafficEngine::logging_pass() {
    for (Tmibdata& device : m_mibarray) {
        if (trim_blanks(device.ip) == "0.0.0.0") continue;
        if (device.new_connection == 1) {
            const LocalTime now = m_ports.clock.now();
            device.startdate = format_local_time(now, m_regional.short_date_format);
            device.starttime = format_local_time(now, m_regional.short_time_format);
            if (device.log_option == 1) {
                writelog(device.devuniqueid, "local", device.deventry, device.online_time,
                         device.speed, device.dload_total, device.uload_total, 0);
                device.new_connection = 0;
            }
        } else if (m_tick % 30 == 0 && device.log_option == 1) {
            writelog(device.devuniqueid, "local", device.deventry, device.online_time, device.speed,
                     device.dload_total, device.uload_total, 1);
        }
    }
}

}  // namespace quorvane
