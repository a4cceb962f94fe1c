#include "ui/common/DropDownComboBox.h"

namespace quorvane {

void DropDownComboBox::showPopup() {
    emit dropping_down();
    QComboBox::showPopup();
}

}  // namespace quorvane
