#include "host/ShowErrorBox.h"

#include "ui/common/MessageBox.h"

namespace quorvane {

void ShowErrorBox(const std::string& message) {
    MessageBox::error(nullptr, "Error", QString::fromStdString(message));
}

}  // namespace quorvane
