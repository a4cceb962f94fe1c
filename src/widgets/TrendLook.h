#pragma once

#include <QColor>
#include <QFont>

#include "widgets/TrendTypes.h"

namespace quorvane {

// How a trend graph draws: style, options, colours, grid and the labels' font.
struct TrendLook {
    TTrendStyle style = tsBar;
    TTrendOptions options;
    QColor color{255, 0, 0};              // the main series
    QColor color_base{0, 255, 255};       // the twin series
    QColor color_static_line{0, 255, 0};  // the static line
    QColor background{255, 255, 255};
    TGridStyle grid_style = gsFull;
    QColor grid_color{192, 192, 192};
    int grid_x_step = 10;
    int grid_y_step = 10;
    QFont font;
    QColor font_color{0, 0, 0};
};

}  // namespace quorvane
