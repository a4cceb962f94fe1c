#pragma once

#include <string_view>

namespace quorvane {

// The width in pixels of a UTF-8 text in the workbook's default font (Calibri 11 at
// 96 dpi), from the widths of its characters. The header's bold 10 points come out within
// a pixel or two of this, so one measure serves all cells of a column.
double text_pixels(std::string_view text);

// The column width, in the sheet's units (the width of a digit), that shows a text of that
// many pixels whole with the cell's margins; never less than the sheet's default width and
// never more than its largest.
double column_width_for(double pixels);

}  // namespace quorvane
