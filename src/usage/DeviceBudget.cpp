#include "usage/DeviceBudget.h"

#include "config/Conversions.h"
#include "usage/SummaryTexts.h"

namespace quorvane {

namespace {

// 128-bit integers, a compiler extension of GCC and Clang.
__extension__ typedef __int128 Wide;

// Both sides of "used / budget" in one unit, as 128-bit numbers so that no product below
// overflows: ten-thousandths of money, or bytes times 10000 against ten-thousandths of
// megabytes times 2^20.
struct Ratio {
    Wide used = 0;
    Wide budget = 0;
};

Ratio ratio_of(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used) {
    if (kind == BudgetKind::Cost) {
        return {static_cast<Wide>(used.total_time_cost) + used.total_traffic_cost, budget.cost};
    }
    return {static_cast<Wide>(used.total_traffic) * 10000,
            static_cast<Wide>(budget.mbytes) * kBudgetMegabyte};
}

bool has_budget(const DeviceBudget& budget, BudgetKind kind) {
    return kind == BudgetKind::Cost ? budget.has_cost() : budget.has_traffic();
}

}  // namespace

int64_t DeviceBudget::traffic_bytes() const {
    return has_traffic() ? static_cast<int64_t>(static_cast<Wide>(mbytes) * kBudgetMegabyte / 10000)
                         : 0;
}

DeviceBudget read_budget(const IniFile& dev_ini, const std::string& device,
                         const RegionalSettings& regional) {
    DeviceBudget budget;
    budget.cost =
        str_to_amount(dev_ini.read_string(device, kBudgetCostKey, "0"), regional.decimal_separator);
    budget.mbytes = str_to_amount(dev_ini.read_string(device, kBudgetMbytesKey, "0"),
                                  regional.decimal_separator);
    return budget;
}

std::vector<NamedBudget> read_budgets(const IniFile& dev_ini, const RegionalSettings& regional) {
    std::vector<NamedBudget> budgets;
    for (const std::string& device : dev_ini.section_names()) {
        DeviceBudget budget = read_budget(dev_ini, device, regional);
        if (budget.any()) budgets.push_back({device, budget});
    }
    return budgets;
}

int64_t percent_used(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used) {
    if (!has_budget(budget, kind)) return 0;
    const Ratio r = ratio_of(budget, kind, used);
    return static_cast<int64_t>(r.used * 100 / r.budget);
}

bool has_reached(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used,
                 int percent) {
    if (!has_budget(budget, kind)) return false;
    const Ratio r = ratio_of(budget, kind, used);
    return r.used * 100 >= r.budget * percent;
}

}  // namespace quorvane
