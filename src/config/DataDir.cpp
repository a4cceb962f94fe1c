#include "config/DataDir.h"

#include "config/IniFile.h"

namespace quorvane {

namespace {

// Printable UTF-8 without control characters.
bool is_text(const std::string& value) {
    size_t i = 0;
    while (i < value.size()) {
        auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c == 0x7f) return false;
        size_t follow = 0;
        if (c >= 0xc2 && c <= 0xdf) {
            follow = 1;
        } else if (c >= 0xe0 && c <= 0xef) {
            follow = 2;
        } else if (c >= 0xf0 && c <= 0xf4) {
            follow = 3;
        } else if (c >= 0x80) {
            return false;  // a continuation byte, an overlong lead or no UTF-8 at all
        }
        if (i + follow >= value.size()) return false;
        for (size_t k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(value[i + k]) & 0xc0) != 0x80) return false;
        }
        i += follow + 1;
    }
    return true;
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
    if (dir.empty()) dir = sources.current_dir;
    return dir;
}

}  // namespace quorvane
