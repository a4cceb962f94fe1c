#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "logdb/CentralPush.h"

namespace quorvane {

// The meter's worker that keeps the central log a replica of its own: a thread of its own
// (never the caller's) that pushes every `interval`, and once more when stopped. Nothing the
// meter does waits for it.
//
// The settings are read again before every push, and while waiting whenever the owner says
// they may have changed (settings_changed(), from a watch of the file) and every
// `settings_check` in case that word never comes, so a changed or removed url is taken up
// without a restart; no target means nothing is pushed. A meter without a central log thus
// wakes its worker once a minute, not once a second. A failure
// is reported once per kind (a server that is down, a refused login, a missing table, ...)
// until the kind changes or a push succeeds, and the next try waits longer each time, from
// `first_retry` doubling up to `longest_retry`. stop() gives the worker one last push that
// never holds the caller longer than `last_push` (plus a few milliseconds).
class CentralReplica {
public:
    struct Timing {
        std::chrono::milliseconds interval{30'000};
        std::chrono::milliseconds first_retry{5'000};
        std::chrono::milliseconds longest_retry{300'000};
        std::chrono::milliseconds push_timeout{20'000};
        std::chrono::milliseconds last_push{1'000};
        std::chrono::milliseconds settings_check{60'000};
    };
    // The target as the settings say now; std::nullopt when there is none. May throw
    // CentralError (kind settings) for settings that cannot be used.
    using Settings = std::function<std::optional<CentralTarget>()>;
    // A failure to report (the message names the central log and the cause).
    using Report = std::function<void(const std::string& message)>;

    CentralReplica(std::string log_path, Settings settings, Report report, Timing timing);
    CentralReplica(std::string log_path, Settings settings, Report report);
    ~CentralReplica();  // stops, as stop() does
    CentralReplica(const CentralReplica&) = delete;
    CentralReplica& operator=(const CentralReplica&) = delete;

    void start();
    // The last push, bounded, then the end of the thread. A worker that does not end in time
    // is left to end by itself; it reports nothing more.
    void stop();
    // The settings may have changed: the waiting worker reads them now, and pushes at once
    // to a target that is new. Any thread may call it.
    void settings_changed();

    // For tests and the status line: pushes done and failures seen so far.
    size_t pushes() const;
    size_t failures() const;
    // What keeps the central log from being written now ("central log: ..."), for the main
    // window's error line; empty while pushes work or no central log is set up.
    std::string problem() const;

private:
    struct Shared;
    static void run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

}  // namespace quorvane
