#pragma once

#include <cstdint>
#include <initializer_list>

namespace quorvane {

// The trend graph's drawing styles, its options and its grid styles; the names and their
// order are the widget's published interface.
enum TTrendStyle { tsBar, tsLine, tsLineold, tsScatter, ts3D, tsFilled };
enum TTrendOption { toValues, toTwin, toTransparent, toRotated, toNoZeros };
enum TGridStyle { gsNone, gsXGrid, gsYGrid, gsFull };

// A set of trend options.
class TTrendOptions {
public:
    constexpr TTrendOptions() = default;
    constexpr TTrendOptions(std::initializer_list<TTrendOption> options) {
        for (TTrendOption option : options) m_bits |= bit(option);
    }
    constexpr bool has(TTrendOption option) const { return (m_bits & bit(option)) != 0; }
    constexpr TTrendOptions with(TTrendOption option) const {
        return from_bits(m_bits | bit(option));
    }
    constexpr TTrendOptions without(TTrendOption option) const {
        return from_bits(m_bits & ~bit(option));
    }
    constexpr bool operator==(const TTrendOptions&) const = default;

private:
    static constexpr uint8_t bit(TTrendOption option) { return uint8_t(1u << option); }
    static constexpr TTrendOptions from_bits(unsigned bits) {
        TTrendOptions options;
        options.m_bits = uint8_t(bits);
        return options;
    }
    uint8_t m_bits = 0;
};

}  // namespace quorvane
