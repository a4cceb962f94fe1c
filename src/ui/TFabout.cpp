#include "ui/TFabout.h"

namespace quorvane {

TFabout::TFabout(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Fabout");
    setWindowTitle("Fabout");
}

}  // namespace quorvane
