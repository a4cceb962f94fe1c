#pragma once

#include <array>
#include <cstdint>

namespace quorvane {

// The values and the scale of a trend graph, without any drawing: three fixed buffers of
// 100 values (index 0 the oldest), of which the first Divisions are shown, and the range
// MinVal..MaxVal they are drawn against. Setters answer whether the value changed, so that
// the widget repaints only then.
class TrendBuffers {
public:
    static constexpr int kCapacity = 100;
    enum Series { Main = 0, Twin = 1, StaticLine = 2 };

    int32_t MinVal() const { return m_min; }
    int32_t MaxVal() const { return m_max; }
    int Divisions() const { return m_divisions; }
    bool AutoScale() const { return m_auto_scale; }

    // A minimum not below the maximum becomes the maximum - 1.
    bool set_MinVal(int32_t value);
    // A maximum not above the minimum becomes the minimum + 1.
    bool set_MaxVal(int32_t value);
    // Clamped to 2..100.
    bool set_Divisions(int value);
    bool set_AutoScale(bool value);

    // Shifts the shown part of the series one place to the left and enters the value at
    // the right edge, raised to MinVal; rescales with AutoScale, else cuts it to MaxVal.
    void add(Series series, int32_t value);
    // Sets the shown part of the series to 0; the scale stays.
    void clear(Series series);

    int32_t value(Series series, int index) const { return m_values[series][index]; }
    const std::array<int32_t, kCapacity>& values(Series series) const { return m_values[series]; }

private:
    // The largest of all entries of the main and the twin series and the given value.
    int32_t largest_with(int32_t value) const;

    std::array<std::array<int32_t, kCapacity>, 3> m_values{};
    int32_t m_min = 0;
    int32_t m_max = 100;
    int m_divisions = 20;
    bool m_auto_scale = false;
};

}  // namespace quorvane
