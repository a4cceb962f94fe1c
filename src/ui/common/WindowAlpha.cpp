#include "ui/common/WindowAlpha.h"

#include <QWidget>

#include <algorithm>

namespace quorvane {

void set_window_alpha(QWidget& window, int alpha) {
    window.setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

}  // namespace quorvane
