#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

namespace quorvane {

// The service worker thread's message queue: control codes posted from the dispatcher's
// thread, taken in order by the worker.
class ControlQueue {
public:
    void post(uint32_t code);
    // Waits until a code is queued and takes it.
    uint32_t wait_take();
    // Takes a queued code without waiting.
    std::optional<uint32_t> try_take();

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<uint32_t> m_codes;
};

}  // namespace quorvane
