#include "traffic/TrafficEngine.h"

#include <algorithm>
#include <charconv>

#include "format/DateTimeFormat.h"
#include "traffic/AddressFormat.h"
#include "traffic/CounterRules.h"
#include "traffic/DeviceNaming.h"
#include "traffic/InterfaceNames.h"
#include "traffic/NetworkSnapshot.h"
#include "traffic/TextTrim.h"

namespace quorvane {

namespace {

bool is_offline(const std::string& ip) {
    return trim_blanks(ip) == "0.0.0.0";
}

}  // namespace

TrafficEngine::TrafficEngine(TrafficPorts ports, RegionalSettings regional, std::string data_dir,
                             LogDatabase& log)
    : m_ports(ports),
      m_regional(std::move(regional)),
      m_dev_ini_path(std::move(data_dir) + "/config/dev.ini"),
      m_log(log) {}

void TrafficEngine::advance_tick_counter() {
    m_tick = next_tick_counter(m_tick);
}

void TrafficEngine::sample_interfaces() {
    NetworkSnapshot snapshot(m_ports.tables, m_ports.dialup, &m_adapters);
    // The lines are written over the last tick's, in their own buffers: from one tick to the
    // next the table's texts need no fresh memory.
    size_t lines = 0;
    bool download = false, upload = false;

    for (const MIB_IFROW& row : snapshot.interfaces()) {
        const std::string descr = row_description(row);
        // The address, type and state as texts held in place: copied only into the device.
        const MacText mac = mac_text(row.bPhysAddr, row.dwPhysAddrLen);
        const std::string ip = snapshot.ip_of_interface(row.dwIndex);
        const std::string_view type = if_type_name(row.dwType);
        const std::string_view status = oper_status_name(row.dwOperStatus);
        const std::string name = device_name(type, ip, descr, mac.view(), snapshot, m_ports.names);
        const bool offline = is_offline(ip);

        int pos = find_device(m_mibarray, row.dwIndex);
        if (pos < 0) {
            Tmibdata fresh;
            start_counters(fresh, row);
            fresh.new_connection = 1;
            // A connection id exists exactly while a connection is open.
            if (!offline)
                fresh.devuniqueid = make_uniqueid(row.dwIndex, m_ports.clock, m_ports.random);
            const LocalTime now = m_ports.clock.now();
            fresh.startdate = format_local_time(now, m_regional.short_date_format);
            fresh.starttime = format_local_time(now, m_regional.short_time_format);
            m_dev_cfg_changed = 1;
            m_mibarray.push_back(std::move(fresh));
            pos = static_cast<int>(m_mibarray.size()) - 1;
        } else if (!offline) {
            Tmibdata& device = m_mibarray[pos];
            // The first online tick after an offline spell begins a new connection.
            // It starts now, logged or not: the grid's start date and time stay those of
            // this tick for the whole connection.
            if (device.devuniqueid.empty()) {
                device.devuniqueid = make_uniqueid(row.dwIndex, m_ports.clock, m_ports.random);
                const LocalTime now = m_ports.clock.now();
                device.startdate = format_local_time(now, m_regional.short_date_format);
                device.starttime = format_local_time(now, m_regional.short_time_format);
            }
            count_traffic(device, row);
            ++device.online_time;
        } else {
            connection_ended(m_mibarray[pos]);
            reset_device(m_mibarray[pos], row);
        }

        Tmibdata& device = m_mibarray[pos];
        device.if_index = row.dwIndex;
        device.mac = mac.view();
        device.descr = descr;
        device.ip = ip;
        device.deventry = name;
        device.if_type = type;
        device.speed = capped_speed(row.dwSpeed);
        device.oper_status = status;

        if (device.tray_option == 1) {
            upload = upload || device.uload_rate > 0;
            download = download || device.dload_rate > 0;
        }
        if (lines == m_diagnostics.size()) m_diagnostics.emplace_back();
        std::string& line = m_diagnostics[lines++];
        char code[16];
        const auto written = std::to_chars(code, code + sizeof code, row.dwOperStatus).ptr;
        line.assign(device.deventry)
            .append(" ")
            .append(code, written)
            .append(" ")
            .append(device.oper_status)
            .append(" ")
            .append(device.ip)
            .append(" ")
            .append(type);
    }
    m_diagnostics.resize(lines);

    // Devices whose interface is gone are dropped; the others keep their order.
    m_present.clear();
    for (const MIB_IFROW& row : snapshot.interfaces()) m_present.push_back(row.dwIndex);
    std::sort(m_present.begin(), m_present.end());
    std::erase_if(m_mibarray, [&](const Tmibdata& d) {
        if (std::binary_search(m_present.begin(), m_present.end(), d.if_index)) return false;
        connection_ended(d);
        return true;
    });

    if (m_observer) {
        if (m_observer->wants_meter()) m_observer->update_meter(m_mibarray);
        if (m_observer->wants_stat()) m_observer->update_stat(m_mibarray);
        m_observer->set_tray_icon(tray_icon_index(download, upload));
    }
}

void TrafficEngine::run_tick() {
    advance_tick_counter();
    sample_interfaces();
    if (dev_cfg_changed()) reload_dev_options();
    logging_pass();
}

}  // namespace quorvane
