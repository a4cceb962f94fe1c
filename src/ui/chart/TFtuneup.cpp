#include "ui/chart/TFtuneup.h"

namespace quorvane {

TFtuneup::TFtuneup(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Ftuneup");
}

}  // namespace quorvane
