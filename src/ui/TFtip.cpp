#include "ui/TFtip.h"

namespace quorvane {

TFtip::TFtip(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Ftip");
}

}  // namespace quorvane
