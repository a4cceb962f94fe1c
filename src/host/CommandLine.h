#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// True when one of the arguments (the program name not among them) is the switch: its
// first character is '-', '/' or '\' and the rest equals the name, letter case ignored.
// The argument must be exactly the switch: -installnow is no switch.
bool find_cmd_line_switch(const std::vector<std::string>& arguments, std::string_view name);

// True when the command line holds the switch INSTALL or UNINSTALL.
bool InstallRequested(const std::vector<std::string>& arguments);

}  // namespace quorvane
