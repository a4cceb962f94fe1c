#include "ui/chart/ChartScale.h"

#include <algorithm>
#include <cmath>

#include "format/QuantityFormat.h"
#include "usage/AmountFormat.h"

namespace quorvane {

namespace {

constexpr int kAboutTicks = 5;

// A round step of about max / kAboutTicks units, at least `least` units.
double round_step(double max, double unit, double least) {
    const double rough = max / unit / kAboutTicks;
    if (!(rough > least)) return least * unit;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (factor * power >= rough) return factor * power * unit;
    }
    return 10 * power * unit;
}

template <typename Label>
AxisTicks ticks(double max, double step, Label label) {
    AxisTicks result;
    const int steps = std::max(1, static_cast<int>(std::ceil(max / step - 1e-9)));
    for (int i = 0; i <= steps; ++i) {
        result.values.push_back(i * step);
        result.labels.push_back(label(i * step));
    }
    result.top = steps * step;
    return result;
}

}  // namespace

AxisTicks byte_ticks(double max_bytes, const RegionalSettings& regional) {
    double unit = 1;
    while (unit < 1099511627776.0 && max_bytes >= unit * 1024) unit *= 1024;
    const double step = round_step(max_bytes, unit, unit == 1 ? 1 : 0.01);
    return ticks(max_bytes, step, [&](double value) {
        return bytes_to_str(static_cast<int64_t>(std::llround(value)), regional);
    });
}

AxisTicks amount_ticks(double max_amount, const RegionalSettings& regional) {
    // Without costs (no tariff) the axis still reads in whole units: 0.00 to 1.00.
    if (!(max_amount > 0)) max_amount = 1;
    const double step = round_step(max_amount, 1, 0.01);
    return ticks(max_amount, step, [&](double value) {
        return amount_to_str(static_cast<int64_t>(std::llround(value * 10000)), regional);
    });
}

}  // namespace quorvane
