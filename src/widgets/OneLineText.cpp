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

// The advances of the last few fonts asked about: the grid's cells and the summary's bold
// lines take turns every second, and one kept font would be measured anew at each turn.
AsciiAdvances& advances_of(const QFont& font) {
    thread_local std::array<AsciiAdvances, 4> fonts;
    thread_local size_t next = 0;
    for (AsciiAdvances& kept : fonts) {
        if (kept.valid && kept.font == font) return kept;
    }
    AsciiAdvances& taken = fonts[next];
    next = (next + 1) % fonts.size();
    taken.reset(font);
    return taken;
}

}  // namespace

bool surely_one_line(const QFont& font, const QString& text, qreal room) {
    AsciiAdvances& ascii = advances_of(font);
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
