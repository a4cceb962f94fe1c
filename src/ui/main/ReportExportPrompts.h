#pragma once

#include <string>

#include "platform/EventLog.h"
#include "usage/ExportPrompts.h"

class QWidget;

namespace quorvane {

// The report export's questions as the main window asks them: the save dialog "Save As" in
// the user's home folder, the confirmation box "Confirm" with OK and Cancel, the workbook
// opened with the desktop's application, and the reason a workbook failed written to the
// event log under the application's source.
class ReportExportPrompts : public ExportPrompts {
public:
    ReportExportPrompts(QWidget* parent, EventLog& event_log, std::string source);

    std::optional<std::string> save_file_name(const std::string& default_extension,
                                              const std::string& file_name) override;
    bool confirm_ok_cancel(const std::string& text) override;
    void sheet_failed(const std::string& reason) override;
    void open_workbook(const std::string& path) override;

private:
    QWidget* m_parent;
    EventLog& m_event_log;
    std::string m_source;
};

}  // namespace quorvane
