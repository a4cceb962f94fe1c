#pragma once

#include <string>

namespace quorvane {

// The "Error" box with the message and one OK button; returns when it is closed.
void ShowErrorBox(const std::string& message);

}  // namespace quorvane
