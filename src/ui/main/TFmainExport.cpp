// The main window's export of the database view as a usage report.
#include <QLabel>

#include "ui/main/DeviceComboBox.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/LogGridModel.h"
#include "ui/main/ReportExportPrompts.h"
#include "ui/main/SummaryPanel.h"
#include "ui/main/TFmain.h"
#include "usage/ReportExport.h"

namespace quorvane {

void TFmain::SpeedButton10Click() {
    // The report covers exactly the rows the grid has just been filled with; an error in the
    // filter or the query ends the command before any dialog, saying what went wrong.
    refresh_database_view();
    UsageReport report;
    report.period = m_summary->Label7()->text().toStdString();
    report.device = m_filter->ComboBoxEx1()->currentText().toStdString();
    report.rows = m_grid_model->log_rows().copies();
    report.summary = m_log_summary;
    ReportExportPrompts prompts(this, m_context.event_log, m_context.application_source,
                                m_context.data_dir + "/config/config.ini");
    export_report(report, m_context.regional, m_context.ports.clock.now(), prompts);
}

}  // namespace quorvane
