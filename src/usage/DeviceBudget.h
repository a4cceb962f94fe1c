#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/IniFile.h"
#include "format/RegionalSettings.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

// A device's monthly budget as its section of config/dev.ini holds it: `Budget_cost`, an
// amount like the prices, and `Budget_mbytes`, megabytes (1 048 576 bytes, the MB of every
// byte text) of its charged traffic. Missing, 0 or negative means no budget of that kind.
struct DeviceBudget {
    int64_t cost = 0;    // ten-thousandths of the currency unit
    int64_t mbytes = 0;  // ten-thousandths of a megabyte

    bool has_cost() const { return cost > 0; }
    bool has_traffic() const { return mbytes > 0; }
    bool any() const { return has_cost() || has_traffic(); }
    // The traffic budget in bytes (rounded down).
    int64_t traffic_bytes() const;
    bool operator==(const DeviceBudget&) const = default;
};

inline constexpr const char* kBudgetCostKey = "Budget_cost";
inline constexpr const char* kBudgetMbytesKey = "Budget_mbytes";
inline constexpr int64_t kBudgetMegabyte = int64_t{1} << 20;

// Reads both keys (missing ones count as "0") with the regional decimal separator. A value
// that does not convert throws ConversionError naming the text.
DeviceBudget read_budget(const IniFile& dev_ini, const std::string& device,
                         const RegionalSettings& regional);

// The devices of config/dev.ini that have a budget, in file order, with their budgets. A
// section whose budget does not convert throws ConversionError.
struct NamedBudget {
    std::string device;
    DeviceBudget budget;
};
std::vector<NamedBudget> read_budgets(const IniFile& dev_ini, const RegionalSettings& regional);

// What a month to date uses of a budget, in whole percent (rounded down): the total cost
// against the money budget, the charged traffic against the traffic budget. 0 without a
// budget of that kind.
enum class BudgetKind { Cost, Traffic };
int64_t percent_used(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used);
// Whether the month to date has reached `percent` of that budget (exactly, without the
// rounding of percent_used). Never without a budget of that kind.
bool has_reached(const DeviceBudget& budget, BudgetKind kind, const Tlog_summary& used,
                 int percent);

}  // namespace quorvane
