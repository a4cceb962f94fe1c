#include "usage/MonthToDate.h"

#include <chrono>
#include <cstdio>
#include <unordered_set>

#include "logdb/LogDatabase.h"
#include "logdb/LogFilter.h"

namespace quorvane {

namespace {

// "2026-12": the ISO dates of a month begin with it.
std::string month_prefix(int year, int month) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", year, month);
    return text;
}

unsigned days_in_month(int year, int month) {
    using namespace std::chrono;
    return unsigned(
        year_month_day_last(std::chrono::year(year) / std::chrono::month(unsigned(month)) / last)
            .day());
}

}  // namespace

bool MonthToDate::is_open(const Tmibdata& device) {
    return !device.devuniqueid.empty() && device.new_connection == 0 && device.log_option == 1 &&
           device.log_file != 0;
}

MonthToDate::Figures MonthToDate::figures_of(const Tmibdata& device) {
    return Figures{device.online_time, device.dload_total, device.uload_total};
}

bool MonthToDate::is_stale(const LocalTime& now) const {
    return now.year != m_year || now.month != m_month;
}

void MonthToDate::set_base(const LocalTime& now, const OrderedLogRows& month_rows,
                           const Tmibarray& devices, TariffBook& tariffs) {
    const bool new_month = is_stale(now);
    std::unordered_set<std::string> open;
    for (const Tmibdata& device : devices) {
        if (is_open(device)) open.insert(device.devuniqueid);
    }
    const std::string prefix = month_prefix(now.year, now.month);
    decltype(m_base) base;
    for (size_t at = 0; at < month_rows.size(); ++at) {
        const LogRowRef row = month_rows[at];
        if (!row.startdate.starts_with(prefix)) continue;
        if (open.contains(std::string(row.devuniqueid))) continue;
        const std::string device(row.deventry);
        add_connection(
            base[device], row.duration,
            connection_cost(tariffs.tariff_of(device), row.duration, row.dload, row.uload));
    }
    m_base = std::move(base);
    m_year = now.year;
    m_month = now.month;
    if (new_month) {
        // What the open connections did so far belongs to the month they started in.
        for (auto& [id, live] : m_live) {
            live.at_month_start = live.now;
            live.cost = ConnectionCost{};
        }
    }
}

void MonthToDate::read_base(LogDatabase& log, const LocalTime& now, const Tmibarray& devices,
                            TariffBook& tariffs) {
    const std::string prefix = month_prefix(now.year, now.month);
    LogFilter filter;
    filter.dates = LogFilter::DateRange{
        prefix + "-01", prefix + "-" + std::to_string(days_in_month(now.year, now.month))};
    set_base(now, log.read_ordered(filter, OrderedLogRows::Columns::all), devices, tariffs);
}

void MonthToDate::follow(const Tmibarray& devices, TariffBook& tariffs) {
    const std::string prefix = month_prefix(m_year, m_month);
    std::unordered_set<std::string> seen;
    for (const Tmibdata& device : devices) {
        if (!is_open(device)) continue;
        auto [found, first_sight] = m_live.try_emplace(device.devuniqueid);
        Live& live = found->second;
        if (first_sight) {
            live.device = device.deventry;
            // A connection from an earlier month counts from now on.
            if (!device.log_startdate.starts_with(prefix)) live.at_month_start = figures_of(device);
        }
        live.now = figures_of(device);
        live.cost = connection_cost(
            tariffs.tariff_of(live.device), live.now.seconds - live.at_month_start.seconds,
            live.now.dload - live.at_month_start.dload, live.now.uload - live.at_month_start.uload);
        seen.insert(device.devuniqueid);
    }
    for (auto it = m_live.begin(); it != m_live.end();) {
        if (seen.contains(it->first)) {
            ++it;
            continue;
        }
        // Ended: its row now holds these last figures.
        add_to_base(it->second);
        it = m_live.erase(it);
    }
}

void MonthToDate::add_to_base(const Live& live) {
    add_connection(m_base[live.device], live.now.seconds - live.at_month_start.seconds, live.cost);
}

Tlog_summary MonthToDate::of(const std::string& device) const {
    Tlog_summary summary;
    if (auto found = m_base.find(device); found != m_base.end()) summary = found->second;
    for (const auto& [id, live] : m_live) {
        if (!AsciiCaseEqual{}(live.device, device)) continue;
        add_connection(summary, live.now.seconds - live.at_month_start.seconds, live.cost);
    }
    return summary;
}

}  // namespace quorvane
