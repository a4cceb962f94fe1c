#include "config/DataDir.h"

#include <algorithm>

#include "config/IniFile.h"
#include "format/Utf8Text.h"

namespace quorvane {

namespace {

// Well-formed UTF-8 without control characters.
bool is_text(const std::string& value) {
    const bool control = std::any_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
    return !control && is_well_formed_utf8(value);
}

std::string read_current_dir(const std::string& store, const char* key, std::ostream& warnings) {
    // A store that is missing or cannot be read gives the empty default.
    const std::string value = IniFile(store).read_string(key, "CurrentDir", "");
    if (!is_text(value)) {
        warnings << "quorvane: ignoring CurrentDir in " << store << " [" << key
                 << "]: the value is not text\n";
        return {};
    }
    return value;
}

}  // namespace

std::string settle_data_dir(const DataDirSources& sources, std::ostream& warnings) {
    std::string dir = read_current_dir(sources.machine_store, kMachineKey, warnings);
    if (dir.empty()) dir = read_current_dir(sources.user_store, kUserKey, warnings);
    if (dir.empty()) dir = sources.default_dir;
    return dir;
}

}  // namespace quorvane
