#include "widgets/TrendBuffers.h"

#include <algorithm>

namespace quorvane {

// The two range setters keep MinVal < MaxVal, so MaxVal - 1 and MinVal + 1 never overflow.
bool TrendBuffers::set_MinVal(int32_t value) {
    if (value >= m_max) value = m_max - 1;
    if (value == m_min) return false;
    m_min = value;
    return true;
}

bool TrendBuffers::set_MaxVal(int32_t value) {
    if (value <= m_min) value = m_min + 1;
    if (value == m_max) return false;
    m_max = value;
    return true;
}

bool TrendBuffers::set_Divisions(int value) {
    value = std::clamp(value, 2, kCapacity);
    if (value == m_divisions) return false;
    m_divisions = value;
    return true;
}

bool TrendBuffers::set_AutoScale(bool value) {
    if (value == m_auto_scale) return false;
    m_auto_scale = value;
    return true;
}

int32_t TrendBuffers::largest_with(int32_t value) const {
    int32_t largest = value;
    for (Series series : {Main, Twin}) {
        const auto& entries = m_values[series];
        largest = std::max(largest, *std::max_element(entries.begin(), entries.end()));
    }
    return largest;
}

void TrendBuffers::add(Series series, int32_t value) {
    auto& entries = m_values[series];
    const int last = m_divisions - 1;
    std::copy(entries.begin() + 1, entries.begin() + last + 1, entries.begin());
    value = std::max(value, m_min);
    if (m_auto_scale) {
        // The scale follows the largest value held, also beyond the shown slots.
        const int32_t largest = largest_with(value);
        if (largest != m_max) set_MaxVal(largest);
    } else {
        value = std::min(value, m_max);
    }
    entries[last] = value;
}

void TrendBuffers::clear(Series series) {
    auto& entries = m_values[series];
    std::fill(entries.begin(), entries.begin() + m_divisions, 0);
}

}  // namespace quorvane
