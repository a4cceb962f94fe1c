#pragma once

class QWidget;

namespace quorvane {

// Makes a window partly transparent: alpha 0 is invisible, 255 opaque; values outside
// are taken as the nearer end. Where the windowing system cannot blend windows, nothing
// happens.
void set_window_alpha(QWidget& window, int alpha);

}  // namespace quorvane
