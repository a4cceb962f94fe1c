#include "support/XlsxSheet.h"

#include <unzip.h>

#include <regex>
#include <stdexcept>

namespace quorvane::test {

namespace {

std::string unpack(const std::string& path, const std::string& name) {
    unzFile zip = unzOpen(path.c_str());
    if (!zip) throw std::runtime_error(path + " is no zip file");
    std::string content;
    bool found = unzLocateFile(zip, name.c_str(), 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK;
    if (found) {
        char buffer[4096];
        int n = 0;
        while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0) content.append(buffer, n);
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    if (!found) throw std::runtime_error(path + " has no part " + name);
    return content;
}

std::string unescape(std::string text) {
    static const std::pair<std::string, std::string> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (size_t at = 0; (at = text.find(entity, at)) != std::string::npos;) {
            text.replace(at, entity.size(), character);
            at += character.size();
        }
    }
    return text;
}

std::string attribute(const std::string& element, const std::string& name) {
    std::smatch match;
    if (std::regex_search(element, match, std::regex("\\b" + name + "=\"([^\"]*)\""))) {
        return match[1];
    }
    return {};
}

// The elements <name ...>...</name> or <name .../> inside text, whole.
std::vector<std::string> elements(const std::string& text, const std::string& name) {
    std::vector<std::string> found;
    const std::regex element("<" + name + "(?=[ >/])[^>]*?(/>|>[\\s\\S]*?</" + name + ">)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), element);
         it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    return found;
}

std::string first(const std::string& text, const std::string& name) {
    auto found = elements(text, name);
    return found.empty() ? std::string() : found.front();
}

}  // namespace

XlsxSheet::XlsxSheet(const std::string& path) : m_path(path) {
    std::vector<std::string> strings;
    for (const std::string& item : elements(part("xl/sharedStrings.xml"), "si")) {
        std::smatch match;
        std::regex_search(item, match, std::regex("<t[^>]*>([\\s\\S]*?)</t>"));
        strings.push_back(unescape(match[1]));
    }

    const std::string sheet = part("xl/worksheets/sheet1.xml");
    for (const std::string& c : elements(sheet, "c")) {
        Cell cell;
        const std::string ref = attribute(c.substr(0, c.find('>')), "r");
        const std::string style = attribute(c.substr(0, c.find('>')), "s");
        cell.style = style.empty() ? 0 : std::stoi(style);
        std::smatch value;
        if (std::regex_search(c, value, std::regex("<v>([^<]*)</v>"))) {
            if (attribute(c.substr(0, c.find('>')), "t") == "s") {
                cell.text = strings.at(std::stoul(value[1]));
            } else {
                cell.text = value[1];
                cell.number = true;
            }
            m_order.push_back(ref);
        }
        m_cells[ref] = cell;
    }
    for (const std::string& col : elements(first(sheet, "cols"), "col")) {
        const int min = std::stoi(attribute(col, "min"));
        const int max = std::stoi(attribute(col, "max"));
        for (int column = min; column <= max; ++column) {
            m_widths[column] = std::stod(attribute(col, "width"));
        }
    }

    const std::string styles = part("xl/styles.xml");
    const auto fonts = elements(first(styles, "fonts"), "font");
    const auto borders = elements(first(styles, "borders"), "border");
    for (const std::string& xf : elements(first(styles, "cellXfs"), "xf")) {
        CellFormat format;
        const std::string& font = fonts.at(std::stoul(attribute(xf, "fontId")));
        format.font_size = std::stod(attribute(first(font, "sz"), "val"));
        format.bold = !first(font, "b").empty();
        const std::string& border = borders.at(std::stoul(attribute(xf, "borderId")));
        format.top_border = attribute(first(border, "top"), "style");
        format.bottom_border = attribute(first(border, "bottom"), "style");
        format.horizontal = attribute(first(xf, "alignment"), "horizontal");
        m_formats.push_back(format);
    }
}

std::string XlsxSheet::text(const std::string& ref) const {
    auto it = m_cells.find(ref);
    return it == m_cells.end() ? std::string() : it->second.text;
}

bool XlsxSheet::is_number(const std::string& ref) const {
    auto it = m_cells.find(ref);
    return it != m_cells.end() && it->second.number;
}

CellFormat XlsxSheet::format(const std::string& ref) const {
    auto it = m_cells.find(ref);
    return m_formats.at(it == m_cells.end() ? 0 : it->second.style);
}

double XlsxSheet::column_width(int column) const {
    auto it = m_widths.find(column);
    return it == m_widths.end() ? 0 : it->second;
}

std::vector<std::string> XlsxSheet::filled_cells() const {
    return m_order;
}

std::string XlsxSheet::part(const std::string& name) const {
    return unpack(m_path, name);
}

}  // namespace quorvane::test
