#include "host/ControlQueue.h"

namespace quorvane {

void ControlQueue::post(uint32_t code) {
    {
        std::lock_guard lock(m_mutex);
        m_codes.push_back(code);
    }
    m_ready.notify_one();
}

uint32_t ControlQueue::wait_take() {
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [this] { return !m_codes.empty(); });
    auto code = m_codes.front();
    m_codes.pop_front();
    return code;
}

std::optional<uint32_t> ControlQueue::try_take() {
    std::lock_guard lock(m_mutex);
    if (m_codes.empty()) return std::nullopt;
    auto code = m_codes.front();
    m_codes.pop_front();
    return code;
}

}  // namespace quorvane
