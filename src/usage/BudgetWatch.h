#pragma once

#include <string>
#include <vector>

#include "config/IniFile.h"
#include "format/LocalTime.h"
#include "format/RegionalSettings.h"
#include "traffic/Tmibdata.h"
#include "usage/DeviceBudget.h"
#include "usage/MonthToDate.h"

namespace quorvane {

class LogDatabase;

// One device with a budget and its month to date.
struct BudgetStatus {
    std::string device;
    DeviceBudget budget;
    Tlog_summary month_to_date;
};

// A budget passed a threshold: the device, which budget, the threshold (80 or 100) and the
// words to tell the user.
struct BudgetNotice {
    std::string device;
    BudgetKind kind = BudgetKind::Cost;
    int threshold = 0;
    std::string title;
    std::string text;
};

// Watches the monthly budgets of config/dev.ini once a tick. The budgets and the base of
// the month to date are read at the first update, at the turn of the month and after
// settings_changed(); every other update uses the device table's live figures only. When a
// month to date reaches 80 % and then 100 % of a budget, one notice is given per threshold,
// device and month; what was given is kept in config/budget.ini, so that a restart in the
// same month gives it no more. A budget changed since then counts afresh.
class BudgetWatch {
public:
    BudgetWatch(std::string data_dir, RegionalSettings regional);

    // The budgets or the tariffs may have changed: read them and the base again.
    void settings_changed() { m_stale = true; }

    // One tick. Returns the notices to give now (at most one per budget: the highest
    // threshold reached; a lower one not given yet is given up with it). Throws
    // ConversionError for a budget or tariff that does not convert, LogDatabaseError for a
    // failing read, IniWriteError when the notices cannot be remembered.
    std::vector<BudgetNotice> update(LogDatabase& log, const Tmibarray& devices,
                                     const LocalTime& now);

    // The devices with a budget, in the order of config/dev.ini, as of the last update.
    const std::vector<BudgetStatus>& statuses() const { return m_statuses; }

private:
    void reload(LogDatabase& log, const Tmibarray& devices, const LocalTime& now);
    void check(const BudgetStatus& status, BudgetKind kind, std::vector<BudgetNotice>& notices);

    IniFile m_dev_ini;
    IniFile m_memory;
    RegionalSettings m_regional;
    TariffBook m_tariffs;
    MonthToDate m_month_to_date;
    std::vector<NamedBudget> m_budgets;
    std::vector<BudgetStatus> m_statuses;
    bool m_stale = true;
};

}  // namespace quorvane
