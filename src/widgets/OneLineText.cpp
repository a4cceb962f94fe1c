#include "widgets/OneLineText.h"

#include <array>

#include <QFontMetricsF>

namespace quorvane {

namespace {

// Each of these is drawn as a glyph of its own, so the sum of their advances bounds the
// width of a text of them.
bool bounded(QChar c) {
    const char16_t u = c.unicode();
    const bool plain =
        (u >= 0x20 && u < 0x0590) || (u >= 0x2010 && u <= 0x2027) || (u >= 0x20A0 && u <= 0x20CF);
    return plain && !c.isMark() && c.category() != QChar::Other_Format;
}

// The advance of each ASCII character in one font, or a negative one for a character that
// is not bounded or not in the font; measured when first asked for.
struct AsciiAdvances {
    static constexpr qreal kUnknown = -2, kNotPlain = -1;

    QFont font;
    bool valid = false;
    std::array<qreal, 128> advance{};

    void reset(const QFont& for_font) {
        font = for_font;
        valid = true;
        advance.fill(kUnknown);
    }
};

}  // namespace

bool surely_one_line(const QFont& font, const QString& text, qreal room) {
    thread_local AsciiAdvances ascii;
    if (!ascii.valid || !(ascii.font == font)) ascii.reset(font);
    const QFontMetricsF metrics(font);
    qreal sum = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        qreal advance;
        if (u < 128) {
            qreal& known = ascii.advance[u];
            if (known == AsciiAdvances::kUnknown) {
                known = bounded(c) && metrics.inFont(c) ? metrics.horizontalAdvance(c)
                                                        : AsciiAdvances::kNotPlain;
            }
            advance = known;
        } else {
            advance = bounded(c) && metrics.inFont(c) ? metrics.horizontalAdvance(c)
                                                      : AsciiAdvances::kNotPlain;
        }
        if (advance < 0) return false;
        sum += advance;
    }
    return sum * 1.1 + 2 <= room;
}

}  // namespace quorvane
