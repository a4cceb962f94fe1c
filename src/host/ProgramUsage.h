#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The text for --help or -h (the usage: the switches, what each does, where the data
// directory comes from) or for --version, when one of the arguments asks for it; help
// wins. Nothing else of the program runs then: no meter, no lock.
std::optional<std::string> usage_or_version_request(const std::vector<std::string>& arguments);

}  // namespace quorvane
