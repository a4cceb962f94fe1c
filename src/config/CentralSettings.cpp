#include "config/CentralSettings.h"

#include "config/IniFile.h"

namespace quorvane {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<CentralSettings> read_central_settings(const std::string& config_ini,
                                                     const std::string& default_host) {
    const IniFile config(config_ini);
    std::string url = trimmed(config.read_string("central", "url", ""));
    if (url.empty()) return std::nullopt;
    std::string host = trimmed(config.read_string("central", "host", ""));
    if (host.empty()) host = default_host;
    return CentralSettings{std::move(url), std::move(host)};
}

}  // namespace quorvane
