#include "ui/TFmeter.h"

namespace quorvane {

TFmeter::TFmeter(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Fmeter");
}

}  // namespace quorvane
