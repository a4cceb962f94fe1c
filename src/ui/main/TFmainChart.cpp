// The main window's part in the usage chart: the chart button of the log filter (enabled
// while the database view is selected), the tray's "Usage chart", and the chart following
// every refresh of the database view while it is open.
#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include "traffic/TrafficEngine.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/Forms.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/LogGridModel.h"
#include "ui/main/SummaryPanel.h"
#include "ui/main/TFmain.h"
#include "ui/main/TrayIcon.h"
#include "usage/TariffBook.h"
#include "usage/UsageBars.h"

namespace quorvane {

void TFmain::connect_chart() {
    QToolButton* button = m_filter->chart_button();
    button->setEnabled(m_display_mode->Radiofrimdatabase()->isChecked());
    connect(m_display_mode->Radiofrimdatabase(), &QRadioButton::toggled, button,
            &QToolButton::setEnabled);
    auto open = [this] { command([this] { SpeedButton6Click(); }); };
    connect(button, &QToolButton::clicked, this, open);
    connect(m_tray->UsageChart1(), &QAction::triggered, this, open);
}

void TFmain::SpeedButton6Click() {
    if (!m_forms || !m_forms->Ftuneup) return;
    // A command of the database view: the chart shows what the grid has just been filled with.
    // An open chart follows the refresh by itself.
    const bool open = m_forms->Ftuneup->isVisible();
    create_log_filter();
    Grid_from_Database(m_log_summary);
    if (!open) update_chart();
    show_window(m_forms->Ftuneup.get());
}

void TFmain::follow_chart() {
    if (m_forms && m_forms->Ftuneup && m_forms->Ftuneup->isVisible()) update_chart();
}

void TFmain::update_chart() {
    TariffBook tariffs(m_engine->dev_ini_path(), m_context.regional);
    const UsageBars bars = usage_bars(m_grid_model->log_rows(), m_grid_filter, tariffs);
    m_forms->Ftuneup->show_usage(bars, m_summary->Label23()->text().toStdString(),
                                 m_summary->Label7()->text().toStdString(), m_context.regional);
}

}  // namespace quorvane
