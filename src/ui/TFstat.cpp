#include "ui/TFstat.h"

namespace quorvane {

TFstat::TFstat(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Fstat");
}

}  // namespace quorvane
