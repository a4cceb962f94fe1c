#include "platform/linux/service/UnitFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

#include "UnitTemplate.h"
#include "format/AsciiCase.h"
#include "format/Utf8Text.h"

namespace quorvane {

namespace {

bool is_control(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

// The path as it may be shown in a message: control characters as C escapes.
std::string shown(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (!is_control(c)) {
            out += c;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
        out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : escape;
    }
    return out;
}

void refuse_control_characters(const char* what, const std::string& path) {
    if (std::any_of(path.begin(), path.end(), is_control)) {
        throw UnitPathError(std::string("The ") + what + " \"" + shown(path) +
                            "\" holds a control character, which a systemd unit cannot name");
    }
}

// systemd reads such a path right but refuses to run an executable whose path holds a
// quote or a backslash.
void refuse_unrunnable_executable(const std::string& path) {
    if (path.find_first_of("\"'\\") != std::string::npos) {
        throw UnitPathError("The executable's path \"" + path +
                            "\" holds a quote or a backslash, which systemd does not run");
    }
}

// Free text of a setting that takes its value as it is (Description=): '%' starts a
// specifier, a line break would end the setting.
std::string escape_specifiers(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '%') out += '%';
        if (is_control(c)) c = ' ';
        out += c;
    }
    return out;
}

bool is_plain_path(const std::string& path) {
    return std::all_of(path.begin(), path.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == '_' ||
               c == '-' || c == '+';
    });
}

// One double-quoted word: systemd takes C escapes inside it, so '"' and '\' are escaped,
// bytes that are not well-formed UTF-8 (a unit file must be UTF-8) become \xNN, and '%'
// is doubled for the specifiers.
std::string quoted_word(const std::string& text) {
    std::string out = "\"";
    for (size_t at = 0; at < text.size();) {
        size_t length = 1;
        if (!decode_utf8_at(text, at, length)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(text[at]));
            out += escape;
            at += 1;
            continue;
        }
        const char c = text[at];
        if (length == 1 && (c == '"' || c == '\\')) out += '\\';
        if (length == 1 && c == '%') out += '%';
        out.append(text, at, length);
        at += length;
    }
    return out + "\"";
}

// The template with each @NAME@ replaced by its value, in one pass from left to right; an
// '@' that starts no known placeholder stays as it is.
std::string substitute(std::string_view text, const std::map<std::string, std::string>& values) {
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('@', at);
        if (open == std::string_view::npos) break;
        const size_t close = text.find('@', open + 1);
        if (close == std::string_view::npos) break;
        auto found = values.find(std::string(text.substr(open + 1, close - open - 1)));
        if (found == values.end()) {
            out.append(text.substr(at, open + 1 - at));
            at = open + 1;
            continue;
        }
        out.append(text.substr(at, open - at));
        out += found->second;
        at = close + 1;
    }
    out.append(text.substr(at));
    return out;
}

}  // namespace

std::string dependency_unit(const std::string& dependency) {
    if (equals_ignoring_case(dependency, "Netman")) return "NetworkManager.service";
    if (equals_ignoring_case(dependency, "RASMan")) return "ModemManager.service";
    return dependency + ".service";
}

std::string path_word(const std::string& prefix, const std::string& path) {
    if (is_plain_path(path)) return prefix + path;
    return quoted_word(prefix + path);
}

std::string exec_word(const std::string& path) {
    if (is_plain_path(path)) return path;
    return quoted_word(path);
}

std::string unit_file_text(const ServiceDefinition& service, ServiceAccount account) {
    refuse_control_characters("executable's path", service.executable_path);
    refuse_control_characters("data directory", service.data_dir);
    refuse_unrunnable_executable(service.executable_path);
    std::string after;
    for (const auto& dependency : service.dependencies) {
        if (!after.empty()) after += ' ';
        after += escape_specifiers(dependency_unit(dependency));
    }
    std::string data_dir_lines;
    if (!service.data_dir.empty()) {
        data_dir_lines = "ReadWritePaths=" + path_word("-", service.data_dir) + "\n";
    }
    const std::string account_lines =
        account == ServiceAccount::SystemUser ? "User=quorvane\nGroup=adm\n" : "DynamicUser=yes\n";
    auto description = service.display_name.empty() ? service.name : service.display_name;
    return substitute(kUnitTemplate, {{"DESCRIPTION", escape_specifiers(description)},
                                      {"EXECUTABLE", exec_word(service.executable_path)},
                                      {"AFTER", after},
                                      {"ACCOUNT_LINES", account_lines},
                                      {"DATA_DIR_LINES", data_dir_lines}});
}

}  // namespace quorvane
