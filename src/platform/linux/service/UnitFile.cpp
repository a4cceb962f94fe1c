#include "platform/linux/service/UnitFile.h"

#include <algorithm>
#include <cctype>

#include "UnitTemplate.h"
#include "format/AsciiCase.h"

namespace quorvane {

namespace {

// '%' starts a specifier everywhere in a unit file.
std::string escape_specifiers(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '%') out += '%';
        if (c == '\n') c = ' ';
        out += c;
    }
    return out;
}

void replace_all(std::string& text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string dependency_unit(const std::string& dependency) {
    if (equals_ignoring_case(dependency, "Netman")) return "NetworkManager.service";
    if (equals_ignoring_case(dependency, "RASMan")) return "ModemManager.service";
    return dependency + ".service";
}

namespace {

bool is_plain_path(const std::string& path) {
    return std::all_of(path.begin(), path.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == '_' ||
               c == '-' || c == '+';
    });
}

}  // namespace

std::string path_word(const std::string& prefix, const std::string& path) {
    if (is_plain_path(path)) return prefix + path;
    std::string out = "\"" + prefix;
    for (char c : path) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '%') out += '%';
        if (c == '\n') c = ' ';
        out += c;
    }
    return out + "\"";
}

std::string exec_word(const std::string& path) {
    if (is_plain_path(path)) return path;
    std::string out = "\"";
    for (char c : path) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '%') out += '%';
        if (c == '$') out += '$';
        out += c;
    }
    return out + "\"";
}

std::string unit_file_text(const ServiceDefinition& service) {
    std::string after;
    for (const auto& dependency : service.dependencies) {
        if (!after.empty()) after += ' ';
        after += dependency_unit(dependency);
    }
    std::string text(kUnitTemplate);
    auto description = service.display_name.empty() ? service.name : service.display_name;
    replace_all(text, "@DESCRIPTION@", escape_specifiers(description));
    replace_all(text, "@EXECUTABLE@", exec_word(service.executable_path));
    replace_all(text, "@AFTER@", after);
    std::string data_dir_lines;
    if (!service.data_dir.empty()) {
        data_dir_lines = "ReadWritePaths=" + path_word("-", service.data_dir) + "\n" +
                         "WorkingDirectory=-" + escape_specifiers(service.data_dir) + "\n";
    }
    replace_all(text, "@DATA_DIR_LINES@", data_dir_lines);
    return text;
}

}  // namespace quorvane
