#include "usage/BudgetTexts.h"

#include "usage/AmountFormat.h"
#include "usage/SummaryTexts.h"

namespace quorvane {

namespace {

std::string percent_text(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used) {
    return std::to_string(percent_used(budget, kind, used)) + " %";
}

}  // namespace

std::string used_of_budget(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used,
                           const RegionalSettings& regional) {
    if (kind == BudgetKind::Cost) {
        return amount_to_str(total_cost(used), regional) + " of " +
               amount_to_str(budget.cost, regional);
    }
    // Megabytes in ten-thousandths, as the budget holds them.
    const auto used_mbytes = static_cast<int64_t>(static_cast<long double>(used.total_traffic) *
                                                  10000 / kBudgetMegabyte);
    return amount_to_str(used_mbytes, regional) + " MB of " +
           amount_to_str(budget.mbytes, regional) + " MB";
}

std::string budget_notice_title(int threshold) {
    return threshold >= 100 ? "Monthly budget passed"
                            : "Monthly budget at " + std::to_string(threshold) + " %";
}

std::string budget_notice_text(const std::string& device, const DeviceBudget& budget,
                               BudgetKind kind, const Tlog_summary& used,
                               const RegionalSettings& regional) {
    const char* what = kind == BudgetKind::Cost ? "cost" : "charged traffic";
    return device + ": this month's " + what + " is " +
           used_of_budget(budget, kind, used, regional) + ", " + percent_text(budget, kind, used) +
           " of its monthly budget.";
}

std::string budget_tool_tip_line(const std::string& device, const DeviceBudget& budget,
                                 BudgetKind kind, const Tlog_summary& used,
                                 const RegionalSettings& regional) {
    return device + ": " + used_of_budget(budget, kind, used, regional) + " (" +
           percent_text(budget, kind, used) + ")";
}

}  // namespace quorvane
