#pragma once

#include <map>
#include <string>
#include <vector>

namespace quorvane::test {

// The look of a cell, from the workbook's styles.
struct CellFormat {
    double font_size = 0;
    bool bold = false;
    std::string top_border;     // "double", or empty for none
    std::string bottom_border;  // likewise
    std::string horizontal;     // "center", "left", or empty for the default

    bool operator==(const CellFormat&) const = default;
};

// The first worksheet of an .xlsx file, unpacked with minizip and read back from its XML:
// what a spreadsheet program would show in each cell and how. Throws std::runtime_error
// when the file is no workbook.
class XlsxSheet {
public:
    explicit XlsxSheet(const std::string& path);

    // The cell's text ("A1"), a number as written in the file ("3"); empty for a blank.
    std::string text(const std::string& ref) const;
    bool is_number(const std::string& ref) const;
    CellFormat format(const std::string& ref) const;
    // The stored width of a column, A = 1; 0 when the column has the default width.
    double column_width(int column) const;
    // The cells that hold a value, in the file's order ("A1", "A3", ...).
    std::vector<std::string> filled_cells() const;
    // A part of the package as it is stored ("xl/styles.xml").
    std::string part(const std::string& name) const;

private:
    struct Cell {
        std::string text;
        bool number = false;
        int style = 0;
    };
    std::string m_path;
    std::map<std::string, Cell> m_cells;
    std::vector<std::string> m_order;
    std::vector<CellFormat> m_formats;
    std::map<int, double> m_widths;
};

}  // namespace quorvane::test
