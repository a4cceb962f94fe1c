#pragma once

#include <cstddef>
#include <string>
#include <vector>

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
    // Rows the central table cannot hold, each said once: they stay in this machine's log,
    // and go again if they are written again.
    std::vector<std::string> skipped;
};

// One push: every row of the meter's log that waits in the ledger goes to the central log,
// `batch` rows per transaction, each batch acknowledged in the ledger once the server has
// committed it. Opens the log and connects for the push, and closes both after it. Throws
// CentralError; what was acknowledged before the failure stays acknowledged. A batch that
// holds a row the central table cannot take is sent again row by row, so that such a row
// holds back only itself: it is passed over (and named in the result), the others go.
CentralPushResult push_to_central(CentralLedger& ledger, const CentralTarget& target,
                                  const PgDeadline& deadline, size_t batch = 2000);

}  // namespace quorvane
