#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logdb/LogRow.h"

namespace quorvane {

// One row of the central log: a meter's row and the host that pushed it.
struct CentralRow {
    std::string host;
    LogRow row;
};

// Reads the central log: the rows of a period (both ends included), of one device (its name,
// letter case ignored) or all, of one host or all. Ordered by host, then as the database view
// orders a meter's log: start date ascending, within a day start time descending. The url
// must hold no password (check_central_url). Throws CentralError.
std::vector<CentralRow> read_central_rows(const std::string& url, const std::string& from,
                                          const std::string& to,
                                          const std::optional<std::string>& device,
                                          const std::optional<std::string>& host);

}  // namespace quorvane
