#include "widgets/OneLineText.h"

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

}  // namespace

bool surely_one_line(const QFontMetricsF& metrics, const QString& text, qreal room) {
    qreal advance = 0;
    for (const QChar c : text) {
        if (!bounded(c) || !metrics.inFont(c)) return false;
        advance += metrics.horizontalAdvance(c);
    }
    return advance * 1.1 + 2 <= room;
}

}  // namespace quorvane
