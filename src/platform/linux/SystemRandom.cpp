#include "platform/linux/SystemRandom.h"

#include <stdexcept>
#include <string>

namespace quorvane {

SystemRandom::SystemRandom() : m_engine(std::random_device{}()) {}

int SystemRandom::next_below(int bound) {
    if (bound <= 0) throw std::invalid_argument("no random number below " + std::to_string(bound));
    return std::uniform_int_distribution<int>(0, bound - 1)(m_engine);
}

}  // namespace quorvane
