#pragma once

#include <functional>
#include <initializer_list>

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorvane::canvas {

// The colours every picture shares, on the window's light blue.
inline const QColor kWindow{216, 228, 248};
inline const QColor kNavy{29, 63, 138};
inline const QColor kBlue{47, 111, 219};
inline const QColor kSky{165, 203, 247};
inline const QColor kSteel{96, 116, 146};
inline const QColor kSilver{206, 214, 226};
inline const QColor kYellow{255, 222, 64};
inline const QColor kOrange{245, 138, 30};
inline const QColor kBrown{150, 72, 8};
inline const QColor kGreen{64, 184, 82};
inline const QColor kDarkGreen{22, 100, 40};
inline const QColor kRed{214, 56, 44};
inline const QColor kCream{255, 246, 220};

// Draws in a square of `design` units; the canvas scales it to the pixmap.
using Painting = std::function<void(QPainter&)>;

// A transparent square pixmap of `side` pixels with the painting scaled onto it.
QPixmap square_pixmap(int side, qreal design, const Painting& painting);
// One pixmap per side, each drawn at its own size.
QIcon square_icon(std::initializer_list<int> sides, qreal design, const Painting& painting);

// A vertical gradient from `top` to `bottom` over the rows y0 to y1.
QLinearGradient vertical(qreal y0, qreal y1, const QColor& top, const QColor& bottom);
// An arrow pointing up (or down) that fills the box: a head `head` units long over a stem
// `stem` units wide.
QPainterPath vertical_arrow(const QRectF& box, qreal head, qreal stem, bool up);
// A pen of `width` units with round ends.
QPen round_pen(const QColor& colour, qreal width);

}  // namespace quorvane::canvas
