#include "config/IniText.h"

#include "format/AsciiCase.h"

namespace quorvane {

namespace {

constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

bool same_name(std::string_view a, std::string_view b) {
    return equals_ignoring_case(trim(a), trim(b));
}

// "[name]": the name runs to the last "]" of the line, so that it may hold brackets of its
// own ("[Office [LAN]]" is the section "Office [LAN]"); anything after that "]" is ignored.
std::optional<std::string_view> header_name(std::string_view body) {
    body = trim(body);
    if (body.empty() || body.front() != '[') return std::nullopt;
    size_t close = body.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return body.substr(1, close - 1);
}

bool is_key_line(std::string_view body) {
    return !header_name(body) && body.find('=') != std::string_view::npos;
}

bool has_line_end(const std::string& line) {
    return !line.empty() && line.back() == '\n';
}

}  // namespace

IniText::IniText(std::string_view content) {
    while (!content.empty()) {
        size_t nl = content.find('\n');
        size_t len = nl == std::string_view::npos ? content.size() : nl + 1;
        m_lines.emplace_back(content.substr(0, len));
        content.remove_prefix(len);
    }
}

std::string_view IniText::body(size_t line) const {
    std::string_view text = m_lines[line];
    if (line == 0 && text.starts_with(utf8_bom)) text.remove_prefix(utf8_bom.size());
    if (text.ends_with('\n')) text.remove_suffix(1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    return text;
}

std::optional<IniText::Range> IniText::find_section(std::string_view section) const {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        auto name = header_name(body(i));
        if (!name || !same_name(*name, section)) continue;
        size_t end = i + 1;
        while (end < m_lines.size() && !header_name(body(end))) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::vector<std::string> IniText::section_names() const {
    std::vector<std::string> names;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        auto name = header_name(body(i));
        if (!name) continue;
        bool seen = false;
        for (const auto& earlier : names) seen = seen || same_name(earlier, *name);
        if (!seen) names.emplace_back(*name);
    }
    return names;
}

std::optional<size_t> IniText::find_key(const Range& range, std::string_view key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view text = body(i);
        if (!is_key_line(text)) continue;
        if (same_name(text.substr(0, text.find('=')), key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniText::find(std::string_view section, std::string_view key) const {
    auto range = find_section(section);
    if (!range) return std::nullopt;
    auto line = find_key(*range, key);
    if (!line) return std::nullopt;
    std::string_view text = body(*line);
    return std::string(trim(text.substr(text.find('=') + 1)));
}

std::string IniText::line_end() const {
    // New lines follow the file's own convention, taken from its first line.
    if (!m_lines.empty() && m_lines.front().ends_with("\r\n")) return "\r\n";
    return "\n";
}

void IniText::end_last_line() {
    if (!m_lines.empty() && !has_line_end(m_lines.back())) m_lines.back() += line_end();
}

void IniText::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string eol = line_end();
    const std::string key_name(trim(key));
    auto range = find_section(section);
    if (!range) {
        end_last_line();
        m_lines.push_back("[" + std::string(trim(section)) + "]" + eol);
        m_lines.push_back(key_name + "=" + std::string(value) + eol);
        return;
    }
    if (auto line = find_key(*range, key)) {
        // Keep the key as spelled in the file, the blanks around "=" and the line end.
        std::string& raw = m_lines[*line];
        size_t eq = raw.find('=');
        size_t value_start = eq + 1;
        size_t value_end = raw.size();
        if (raw.ends_with('\n')) --value_end;
        if (value_end > value_start && raw[value_end - 1] == '\r') --value_end;
        size_t first = value_start;
        while (first < value_end && is_blank(raw[first])) ++first;
        if (first < value_end) value_start = first;
        raw.replace(value_start, value_end - value_start, value);
        return;
    }
    size_t after = range->header;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        if (is_key_line(body(i))) after = i;
    }
    if (!has_line_end(m_lines[after])) m_lines[after] += eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                   key_name + "=" + std::string(value) + eol);
}

std::string IniText::content() const {
    std::string text;
    for (const auto& line : m_lines) text += line;
    return text;
}

}  // namespace quorvane
