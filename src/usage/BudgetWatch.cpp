#include "usage/BudgetWatch.h"

#include <cstdio>
#include <utility>

#include "usage/BudgetTexts.h"

namespace quorvane {

namespace {

constexpr int kThresholds[] = {100, 80};  // highest first

std::string memory_key(BudgetKind kind, int threshold) {
    return std::string(kind == BudgetKind::Cost ? "cost_" : "mbytes_") + std::to_string(threshold);
}

}  // namespace

BudgetWatch::BudgetWatch(std::string data_dir, RegionalSettings regional)
    : m_dev_ini(data_dir + "/config/dev.ini"),
      m_memory(data_dir + "/config/budget.ini"),
      m_regional(regional),
      m_tariffs(data_dir + "/config/dev.ini", regional) {}

void BudgetWatch::reload(LogDatabase& log, const Tmibarray& devices, const LocalTime& now) {
    m_budgets = read_budgets(m_dev_ini, m_regional);
    m_tariffs = TariffBook(m_dev_ini.path(), m_regional);
    // Without budgets the log is not read at all.
    if (m_budgets.empty()) {
        m_month_to_date.set_base(now, OrderedLogRows{}, devices, m_tariffs);
    } else {
        m_month_to_date.read_base(log, now, devices, m_tariffs);
    }
    m_stale = false;
}

std::vector<BudgetNotice> BudgetWatch::update(LogDatabase& log, const Tmibarray& devices,
                                              const LocalTime& now) {
    if (m_stale || m_month_to_date.is_stale(now)) reload(log, devices, now);
    if (!m_budgets.empty()) m_month_to_date.follow(devices, m_tariffs);
    std::vector<BudgetStatus> statuses;
    statuses.reserve(m_budgets.size());
    for (const NamedBudget& named : m_budgets) {
        statuses.push_back({named.device, named.budget, m_month_to_date.of(named.device)});
    }
    m_statuses = std::move(statuses);
    std::vector<BudgetNotice> notices;
    for (const BudgetStatus& status : m_statuses) {
        check(status, BudgetKind::Cost, notices);
        check(status, BudgetKind::Traffic, notices);
    }
    return notices;
}

void BudgetWatch::check(const BudgetStatus& status, BudgetKind kind,
                        std::vector<BudgetNotice>& notices) {
    char month[16];
    std::snprintf(month, sizeof month, "%04d-%02d", m_month_to_date.year(),
                  m_month_to_date.month());
    const int64_t budget = kind == BudgetKind::Cost ? status.budget.cost : status.budget.mbytes;
    // The month and the budget the notice was given for: a changed budget counts afresh.
    const std::string given = std::string(month) + " " + std::to_string(budget);
    for (int threshold : kThresholds) {
        if (!has_reached(status.budget, kind, status.month_to_date, threshold)) continue;
        const std::string key = memory_key(kind, threshold);
        if (m_memory.read_string(status.device, key, "") == given) return;
        // The lower thresholds are given up with this one.
        for (int lower : kThresholds) {
            if (lower <= threshold)
                m_memory.write_string(status.device, memory_key(kind, lower), given);
        }
        notices.push_back({status.device, kind, threshold, budget_notice_title(threshold),
                           budget_notice_text(status.device, status.budget, kind,
                                              status.month_to_date, m_regional)});
        return;
    }
}

}  // namespace quorvane
