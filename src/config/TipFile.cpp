#include "config/TipFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quorvane {

std::vector<std::string> parse_tips(std::string_view text) {
    std::vector<std::string> tips;
    std::string tip;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            // CR LF is one line end; a CR alone or a LF alone is one too.
            size_t next = end + 1;
            if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
            text.remove_prefix(next);
        }
        if (line == "#") {
            tips.push_back(std::move(tip));
            tip.clear();
        } else if (!line.empty()) {
            tip.append(line);
            tip += '\n';
        }
    }
    return tips;
}

std::vector<std::string> read_tip_file(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw TipFileError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    }
    std::string content;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        throw TipFileError("Cannot read file \"" + path + "\". " + std::strerror(error));
    }
    return parse_tips(content);
}

}  // namespace quorvane
