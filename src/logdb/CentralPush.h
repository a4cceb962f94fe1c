#pragma once

#include <cstddef>
#include <string>

namespace quorvane {

class CentralLedger;
class PgDeadline;

// Where a meter pushes to: the libpq connection string and the name it reports as.
struct CentralTarget {
    std::string url;
    std::string host;
    bool operator==(const CentralTarget&) const = default;
};

// What one push did.
struct CentralPushResult {
    size_t rows = 0;     // rows the central log acknowledged
    size_t batches = 0;  // transactions committed
};

// One push: every row of the meter's log that waits in the ledger goes to the central log,
// `batch` rows per transaction, each batch acknowledged in the ledger once the server has
// committed it. Opens the log and connects for the push, and closes both after it. Throws
// CentralError; what was acknowledged before the failure stays acknowledged.
CentralPushResult push_to_central(CentralLedger& ledger, const CentralTarget& target,
                                  const PgDeadline& deadline, size_t batch = 2000);

}  // namespace quorvane
