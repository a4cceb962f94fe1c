#include "host/CommandLine.h"

#include <algorithm>

#include "format/AsciiCase.h"

namespace quorvane {

namespace {

bool is_switch_char(char c) {
    return c == '-' || c == '/' || c == '\\';
}

}  // namespace

bool find_cmd_line_switch(const std::vector<std::string>& arguments, std::string_view name) {
    return std::any_of(arguments.begin(), arguments.end(), [name](const std::string& argument) {
        return argument.size() > 1 && is_switch_char(argument[0]) &&
               equals_ignoring_case(std::string_view(argument).substr(1), name);
    });
}

bool InstallRequested(const std::vector<std::string>& arguments) {
    return find_cmd_line_switch(arguments, "INSTALL") ||
           find_cmd_line_switch(arguments, "UNINSTALL");
}

}  // namespace quorvane
