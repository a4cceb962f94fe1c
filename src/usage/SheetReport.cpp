#include "usage/SheetReport.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>

#include "config/AtomicReplace.h"
#include "format/Utf8Text.h"
#include "usage/SheetColumnWidth.h"

namespace quorvane {

namespace {

constexpr int kColumns = 7;
constexpr lxw_row_t kHeaderRow = 6;  // row 7, counted from 0

// A file name in the system's temporary folder that nothing uses yet; removed again when
// this goes out of scope. The workbook is written there first, since the library writes
// only to a file of its own naming.
class ScratchFile {
public:
    ScratchFile() {
        std::random_device seed;
        const auto folder = std::filesystem::temp_directory_path();
        do {
            m_path = folder / ("quorvane-report-" + std::to_string(seed()) + ".xlsx");
        } while (std::filesystem::exists(m_path));
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    std::string path() const { return m_path.string(); }
    std::string content() const {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in) throw std::runtime_error("the written workbook cannot be read back");
        return bytes.str();
    }

private:
    std::filesystem::path m_path;
};

// The worksheet with the formats of the layout; every write keeps the first error.
class Sheet {
public:
    explicit Sheet(lxw_workbook* book) : m_book(book) {
        m_sheet = workbook_add_worksheet(book, nullptr);
        title = font(12, true);
        caption = font(10, true);
        summary_title = font(11, true);
        header = font(10, true);
        format_set_align(header, LXW_ALIGN_CENTER);
        format_set_top(header, LXW_BORDER_DOUBLE);
        format_set_bottom(header, LXW_BORDER_DOUBLE);
        left = workbook_add_format(book);
        format_set_align(left, LXW_ALIGN_LEFT);
        if (!m_sheet) m_error = LXW_ERROR_MEMORY_MALLOC_FAILED;
    }

    void text(lxw_row_t row, lxw_col_t column, const std::string& value,
              lxw_format* format = nullptr) {
        if (!m_sheet) return;
        const std::string shown = valid_utf8(value);
        if (shown.empty()) return blank(row, column, format);
        keep(worksheet_write_string(m_sheet, row, column, shown.c_str(), format));
        widen(row, column, shown);
    }
    void number(lxw_row_t row, lxw_col_t column, double value, lxw_format* format) {
        if (m_sheet) keep(worksheet_write_number(m_sheet, row, column, value, format));
    }
    void blank(lxw_row_t row, lxw_col_t column, lxw_format* format) {
        if (m_sheet && format) keep(worksheet_write_blank(m_sheet, row, column, format));
    }
    // Columns A to G as wide as the texts measured for them.
    void fit_columns() {
        if (!m_sheet) return;
        for (lxw_col_t column = 0; column < kColumns; ++column) {
            keep(worksheet_set_column(m_sheet, column, column, column_width_for(m_widest[column]),
                                      nullptr));
        }
    }
    // A text of column A outside the header and data rows that the fitting counts too.
    void measure(lxw_col_t column, const std::string& value) {
        m_widest[column] = std::max(m_widest[column], text_pixels(valid_utf8(value)));
    }
    lxw_error error() const { return m_error; }

    lxw_format* title = nullptr;
    lxw_format* caption = nullptr;
    lxw_format* summary_title = nullptr;
    lxw_format* header = nullptr;
    lxw_format* left = nullptr;
    lxw_row_t last_data_row = kHeaderRow;

private:
    lxw_format* font(double size, bool bold) {
        lxw_format* format = workbook_add_format(m_book);
        format_set_font_size(format, size);
        if (bold) format_set_bold(format);
        return format;
    }
    void keep(lxw_error error) {
        if (m_error == LXW_NO_ERROR) m_error = error;
    }
    void widen(lxw_row_t row, lxw_col_t column, const std::string& value) {
        if (row >= kHeaderRow && row <= last_data_row && column < kColumns) {
            measure(column, value);
        }
    }

    lxw_workbook* m_book;
    lxw_worksheet* m_sheet = nullptr;
    lxw_error m_error = LXW_NO_ERROR;
    std::array<double, kColumns> m_widest{};
};

void fill(Sheet& sheet, const UsageReport& report, const ReportTexts& texts) {
    const auto n = static_cast<lxw_row_t>(texts.rows.size());
    const lxw_row_t r = n + 7;  // R = N + 8, counted from 0
    sheet.last_data_row = kHeaderRow + n;

    sheet.text(0, 0, kReportTitle, sheet.title);
    sheet.text(2, 0, "Period  :", sheet.caption);
    sheet.text(3, 0, "Network device    :", sheet.caption);
    sheet.blank(4, 0, sheet.caption);
    sheet.measure(0, "Period  :");
    sheet.measure(0, "Network device    :");
    sheet.text(2, 1, report.period);
    sheet.text(3, 1, report.device);

    for (lxw_col_t column = 0; column < kColumns; ++column) {
        sheet.text(kHeaderRow, column, kReportHeader[column], sheet.header);
    }
    for (lxw_row_t i = 0; i < n; ++i) {
        for (lxw_col_t column = 0; column < kColumns; ++column) {
            sheet.text(kHeaderRow + 1 + i, column, texts.rows[i][column]);
        }
    }
    sheet.fit_columns();

    sheet.text(r + 3, 0, "Summary", sheet.summary_title);
    sheet.text(r + 5, 0, "Connection count     :", sheet.caption);
    sheet.text(r + 6, 0, "Total Time / cost    :", sheet.caption);
    sheet.text(r + 7, 0, "Total Data /cost     :", sheet.caption);
    sheet.text(r + 8, 0, "Total cost           :", sheet.caption);
    sheet.number(r + 5, 2, report.summary.conn_count, sheet.left);
    sheet.text(r + 6, 2, texts.summary.time, sheet.left);
    sheet.text(r + 7, 2, texts.summary.traffic, sheet.left);
    sheet.text(r + 8, 2, texts.summary.total, sheet.left);
}

[[noreturn]] void fail(const std::string& path, const std::string& cause) {
    throw ReportError("The workbook " + path + " cannot be written: " + cause);
}

}  // namespace

void write_sheet_report(const UsageReport& report, const RegionalSettings& regional,
                        const std::string& path) {
    const ReportTexts texts = report_texts(report, regional);
    ScratchFile scratch;
    lxw_workbook* book = workbook_new(scratch.path().c_str());
    if (!book) fail(path, "the workbook cannot be created");
    lxw_error error;
    {
        Sheet sheet(book);
        fill(sheet, report, texts);
        error = sheet.error();
    }
    // Closing writes the file and frees the workbook, also after a failed cell.
    const lxw_error closed = workbook_close(book);
    if (error == LXW_NO_ERROR) error = closed;
    if (error != LXW_NO_ERROR) fail(path, lxw_strerror(error));
    try {
        replace_file_atomically(path, scratch.content());
    } catch (const std::exception& cause) {
        fail(path, cause.what());
    }
}

}  // namespace quorvane
