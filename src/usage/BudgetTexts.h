#pragma once

#include <string>

#include "format/RegionalSettings.h"
#include "usage/DeviceBudget.h"

namespace quorvane {

// "8.12 of 10.00" or "412.50 MB of 500.00 MB": a month to date against the budget of that
// kind, in the amount and byte texts of every window.
std::string used_of_budget(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used,
                           const RegionalSettings& regional);

// A notice's title and text, naming the device, the figure and the budget.
std::string budget_notice_title(int threshold);
std::string budget_notice_text(const std::string& device, const DeviceBudget& budget,
                               BudgetKind kind, const Tlog_summary& used,
                               const RegionalSettings& regional);

// One line of the tray tool-tip per budget of the device: "LAN: 8.12 of 10.00 (81 %)".
std::string budget_tool_tip_line(const std::string& device, const DeviceBudget& budget,
                                 BudgetKind kind, const Tlog_summary& used,
                                 const RegionalSettings& regional);

}  // namespace quorvane
