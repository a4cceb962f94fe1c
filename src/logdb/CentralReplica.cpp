#include "logdb/CentralReplica.h"

#include <algorithm>
#include <future>

#include "logdb/CentralError.h"
#include "logdb/CentralLedger.h"
#include "logdb/PgConnection.h"

namespace quorvane {

using Clock = std::chrono::steady_clock;

// What the worker and its owner share; the worker holds it too, so that a worker left to
// end by itself never touches freed memory.
struct CentralReplica::Shared {
    std::string log_path;
    Settings settings;
    Report report;
    Timing timing;

    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    bool settings_touched = false;  // settings_changed() since the worker last looked
    bool detached = false;          // the owner has gone: report nothing more
    PgDeadline deadline{Clock::time_point::max()};
    size_t pushes = 0;
    size_t failures = 0;
    std::string problem;  // the last failure's message, until a push works
    std::promise<void> done;

    void say(const std::string& message) {
        std::lock_guard lock(mutex);
        if (!detached && report) report(message);
    }
};

namespace {

// The failures said so far: one message per kind until the kind changes or a push succeeds.
class FailureMemory {
public:
    bool first_of(CentralError::Kind kind) {
        if (m_last == kind) return false;
        m_last = kind;
        return true;
    }
    void clear() { m_last.reset(); }

private:
    std::optional<CentralError::Kind> m_last;
};

}  // namespace

CentralReplica::CentralReplica(std::string log_path, Settings settings, Report report,
                               Timing timing)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->log_path = std::move(log_path);
    m_shared->settings = std::move(settings);
    m_shared->report = std::move(report);
    m_shared->timing = timing;
}

CentralReplica::CentralReplica(std::string log_path, Settings settings, Report report)
    : CentralReplica(std::move(log_path), std::move(settings), std::move(report), Timing{}) {}

CentralReplica::~CentralReplica() {
    stop();
}

void CentralReplica::start() {
    if (m_thread.joinable()) return;
    m_thread = std::thread(&CentralReplica::run, m_shared);
}

void CentralReplica::stop() {
    if (!m_thread.joinable()) return;
    const auto limit = Clock::now() + m_shared->timing.last_push;
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->stopping = true;
        m_shared->deadline.bring_forward(limit);
    }
    m_shared->wake.notify_all();
    // The worker keeps to the deadline by itself; the margin covers its last steps.
    auto finished = m_shared->done.get_future();
    if (finished.wait_until(limit + std::chrono::milliseconds(50)) == std::future_status::ready) {
        m_thread.join();
        return;
    }
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->detached = true;
    }
    m_thread.detach();
}

void CentralReplica::settings_changed() {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->settings_touched = true;
    }
    m_shared->wake.notify_all();
}

size_t CentralReplica::pushes() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->pushes;
}

size_t CentralReplica::failures() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->failures;
}

std::string CentralReplica::problem() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->problem;
}

void CentralReplica::run(std::shared_ptr<Shared> shared) {
    CentralLedger ledger(shared->log_path);
    FailureMemory said;
    const Timing& timing = shared->timing;
    auto retry = timing.first_retry;
    std::optional<CentralTarget> last_target;

    // One push (or a settings check that finds nothing to push); true when it succeeded.
    auto attempt = [&](bool last) -> bool {
        try {
            std::optional<CentralTarget> target = shared->settings();
            last_target = target;
            if (!target) {
                said.clear();
                std::lock_guard lock(shared->mutex);
                shared->problem.clear();
                return true;
            }
            if (!last) {
                std::lock_guard lock(shared->mutex);
                shared->deadline.bring_forward(Clock::now() + timing.push_timeout);
            }
            const CentralPushResult pushed = push_to_central(ledger, *target, shared->deadline);
            for (const std::string& skipped : pushed.skipped)
                shared->say("central log: " + skipped);
            std::lock_guard lock(shared->mutex);
            ++shared->pushes;
            shared->problem.clear();
            said.clear();
            return true;
        } catch (const CentralError& error) {
            const std::string message = "central log: " + std::string(error.what());
            {
                std::lock_guard lock(shared->mutex);
                ++shared->failures;
                shared->problem = message;
            }
            if (said.first_of(error.kind())) shared->say(message);
        } catch (const std::exception& error) {
            const std::string message = "central log: " + std::string(error.what());
            {
                std::lock_guard lock(shared->mutex);
                ++shared->failures;
                shared->problem = message;
            }
            if (said.first_of(CentralError::Kind::other)) shared->say(message);
        }
        return false;
    };

    auto next = Clock::now();  // the first push at once: what waited while the meter was off
    for (;;) {
        {
            std::unique_lock lock(shared->mutex);
            // Wait for the next push, checking the settings when told they may have changed
            // and now and then: a new target is pushed to at once.
            while (!shared->stopping && Clock::now() < next) {
                const auto check = std::min(next, Clock::now() + timing.settings_check);
                shared->wake.wait_until(
                    lock, check, [&] { return shared->stopping || shared->settings_touched; });
                if (shared->stopping || Clock::now() >= next) break;
                shared->settings_touched = false;
                lock.unlock();
                std::optional<CentralTarget> now;
                bool read = true;
                try {
                    now = shared->settings();
                } catch (const std::exception&) {
                    read = false;  // the next push says what is wrong, at its time
                }
                lock.lock();
                if (read && now != last_target) next = Clock::now();
            }
            if (shared->stopping) break;
            // Each push sets a deadline of its own (push_timeout); stop() may bring it forward.
            shared->deadline.reset(Clock::time_point::max());
        }
        if (attempt(false)) {
            retry = timing.first_retry;
            next = Clock::now() + timing.interval;
        } else {
            next = Clock::now() + retry;
            retry = std::min(retry * 2, timing.longest_retry);
        }
        if (!last_target) next = Clock::now() + timing.settings_check;
    }
    // The last push, within what stop() allows.
    if (!shared->deadline.passed()) attempt(true);
    shared->done.set_value();
}

}  // namespace quorvane
