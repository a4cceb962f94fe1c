#pragma once

#include <optional>
#include <string>

namespace quorvane {

// What the report export asks of the person at the screen; the main window answers with
// its dialogs, a test with answers of its own.
class ExportPrompts {
public:
    virtual ~ExportPrompts() = default;
    // The save dialog, offering file_name; a name typed without an extension gets
    // default_extension. The chosen path, or nullopt when the dialog is cancelled.
    virtual std::optional<std::string> save_file_name(const std::string& default_extension,
                                                      const std::string& file_name) = 0;
    // A confirmation with OK and Cancel: true for OK.
    virtual bool confirm_ok_cancel(const std::string& text) = 0;
    // Why the workbook was not written, for the event log; the person sees only the
    // confirmation that offers the text report.
    virtual void sheet_failed(const std::string& reason) = 0;
    // Opens the saved workbook with the desktop's default application for it.
    virtual void open_workbook(const std::string& path) = 0;
    // A report, workbook or text, was written to path (for remembering its folder).
    virtual void report_saved(const std::string& path) { (void)path; }
};

}  // namespace quorvane
