#include "usage/SheetColumnWidth.h"

#include <algorithm>
#include <cmath>

#include "format/Utf8Text.h"

namespace quorvane {

namespace {

// Calibri 11 advances in pixels, by group of characters of one width.
struct WidthGroup {
    std::string_view characters;
    double pixels;
};
constexpr WidthGroup kGroups[] = {
    {"W@", 13.5},
    {"mM", 12.4},
    {"w%", 11.4},
    {"NOQ&", 10.4},
    {"ADGHUV", 9.3},
    {"bdehnopquBCKPRX", 8.3},
    {"0123456789agkvxyEFSTYZ#$*+<=>?^_|~", 7.25},
    {"cszL\"/\\", 6.2},
    {"frtJ!()-[]{}", 5.2},
    {"ijlI,.:;`", 4.1},
    {"' ", 3.1},
};
constexpr double kOtherAscii = 8.0;
constexpr double kOtherLetter = 8.3;  // a letter outside ASCII, most often an accented one
constexpr double kWideLetter = 15.0;  // East Asian ideographs and kana, full width

constexpr double kDigitPixels = 7.0;  // the unit of column widths
constexpr double kCellPadding = 5.0;  // the margins Excel counts into every column
constexpr double kFitMargin = 8.0;    // room beyond the text, as the programs' own fitting leaves
constexpr double kDefaultWidth = 8.43;
constexpr double kLargestWidth = 255.0;

double ascii_pixels(char c) {
    for (const WidthGroup& group : kGroups) {
        if (group.characters.find(c) != std::string_view::npos) return group.pixels;
    }
    return kOtherAscii;
}

}  // namespace

double text_pixels(std::string_view text) {
    double pixels = 0;
    for (size_t at = 0; at < text.size();) {
        size_t length = 1;
        // A byte that is no UTF-8 is shown as the replacement character, a letter's width.
        const char32_t point = decode_utf8_at(text, at, length).value_or(0xFFFD);
        if (point < 0x80) {
            pixels += ascii_pixels(static_cast<char>(point));
        } else {
            pixels += point >= 0x2E80 && point < 0xA000 ? kWideLetter : kOtherLetter;
        }
        at += length;
    }
    return pixels;
}

double column_width_for(double pixels) {
    const double width = (pixels + kFitMargin - kCellPadding) / kDigitPixels;
    // Hundredths, rounded up, so that the text never loses its last pixel.
    return std::clamp(std::ceil(width * 100) / 100, kDefaultWidth, kLargestWidth);
}

}  // namespace quorvane
