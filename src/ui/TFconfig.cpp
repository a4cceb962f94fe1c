#include "ui/TFconfig.h"

namespace quorvane {

TFconfig::TFconfig(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Fconfig");
}

}  // namespace quorvane
