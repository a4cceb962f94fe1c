#pragma once

#include <QFont>
#include <QString>

namespace quorvane {

// Whether a text surely makes one line of the font's own glyphs within `room` pixels: Latin,
// Greek and Cyrillic letters, figures, dashes and currency signs only, each in the font
// (nothing drawn from another font, no marks that join, no line break), and the sum of their
// advances, with a tenth and two pixels to spare, no wider than the room. Such a text is
// drawn in one run without eliding or wrapping, and is as high as any other such text.
// The advances of the ASCII characters are kept for the last few fonts asked about: a grid
// and its summary ask about the same few fonts for every text they paint.
bool surely_one_line(const QFont& font, const QString& text, qreal room);

}  // namespace quorvane
