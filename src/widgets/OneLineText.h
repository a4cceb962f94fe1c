#pragma once

#include <QFontMetricsF>
#include <QString>

namespace quorvane {

// Whether a text surely makes one line of the font's own glyphs within `room` pixels: Latin,
// Greek and Cyrillic letters, figures, dashes and currency signs only, each in the font
// (nothing drawn from another font, no marks that join, no line break), and the sum of their
// advances, with a tenth and two pixels to spare, no wider than the room. Such a text is
// drawn in one run without eliding or wrapping, and is as high as any other such text.
bool surely_one_line(const QFontMetricsF& metrics, const QString& text, qreal room);

}  // namespace quorvane
