#pragma once

#include <QSize>

#include "widgets/TrendBuffers.h"
#include "widgets/TrendLook.h"

class QPainter;

namespace quorvane {

// Draws a whole trend graph of the given size: background, grid, the series in the look's
// style and, where the style has them, the value labels.
//
// Geometry: a margin of 3 pixels on every side; slot i of s = (W - 6) / Divisions begins at
// x = 3 + i * s; a value v stands (v - MinVal) * (H - 6) / (MaxVal - MinVal) + 3 pixels above
// the bottom edge, so MinVal lies on y = H - 3 and MaxVal on y = 3.
void paint_trend(QPainter& painter, QSize size, const TrendBuffers& buffers, const TrendLook& look);

}  // namespace quorvane
