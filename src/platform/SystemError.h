#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvane {

// A failed call to the operating system: the system's error code and its text.
class SystemError : public std::runtime_error {
public:
    SystemError(uint32_t code, const std::string& message)
        : std::runtime_error(message), m_code(code) {}
    uint32_t code() const { return m_code; }

private:
    uint32_t m_code;
};

}  // namespace quorvane
