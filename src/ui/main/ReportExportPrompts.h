#pragma once

#include <string>

#include "platform/EventLog.h"
#include "usage/ExportPrompts.h"

class QWidget;

namespace quorvane {

// The report export's questions as the main window asks them: the save dialog "Save As" in
// the folder a report was last written to (kept as `lastfolder` in section `report` of the
// given config.ini; the user's home folder before the first, or without a config.ini), the
// confirmation box "Confirm" with OK and Cancel, the workbook opened with the desktop's
// application, and the reason a workbook failed written to the event log under the
// application's source.
class ReportExportPrompts : public ExportPrompts {
public:
    ReportExportPrompts(QWidget* parent, EventLog& event_log, std::string source,
                        std::string config_ini = {});

    std::optional<std::string> save_file_name(const std::string& default_extension,
                                              const std::string& file_name) override;
    bool confirm_ok_cancel(const std::string& text) override;
    void sheet_failed(const std::string& reason) override;
    void open_workbook(const std::string& path) override;
    // Keeps the folder of a report that was written, for the next dialog.
    void report_saved(const std::string& path) override;

private:
    QWidget* m_parent;
    EventLog& m_event_log;
    std::string m_source;
    std::string m_config_ini;
};

}  // namespace quorvane
