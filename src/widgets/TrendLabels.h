#pragma once

#include <QPoint>

#include <cstdint>

#include "widgets/TrendLook.h"

class QPainter;

namespace quorvane {

// The value label of one slot: the value as a decimal integer in the look's font (its
// point size taken as the pixel height), centred on the slot above the given point, on a
// box of the background colour unless the labels are transparent; turned labels start at
// the point and run upwards. keep_inside keeps the label below the graph's top edge.
void paint_value_label(QPainter& painter, const TrendLook& look, QPoint bottom_centre,
                       int64_t value, bool keep_inside);

}  // namespace quorvane
