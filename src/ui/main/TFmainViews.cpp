// The main window's views: the devices online now, the log from the database, the log
// filter, the device box and the erase.
#include <QDate>
#include <QToolButton>

#include "logdb/LogDatabase.h"
#include "traffic/TrafficEngine.h"
#include "ui/common/MessageBox.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/GridTexts.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/LogGrid.h"
#include "ui/main/LogGridModel.h"
#include "ui/main/SummaryPanel.h"
#include "ui/main/TFmain.h"
#include "usage/CostModel.h"
#include "usage/DatabaseView.h"
#include "usage/DeviceList.h"
#include "usage/LogFilterRules.h"
#include "usage/SummaryTexts.h"
#include "usage/TariffBook.h"
#include "usage/TariffBookCache.h"

#include <QRadioButton>

namespace quorvane {

void TFmain::Grid_now_online() {
    const int selected = m_grid->selected_row();
    // The name the selected row gets this tick; the summary is of the last online device of
    // that name from the selected row on.
    std::vector<GridRowTexts> rows;
    for (const Tmibdata& device : m_engine->mibarray()) {
        if (is_online_now(device)) rows.push_back(online_row_texts(device, m_context.regional));
    }
    const bool has_selection = selected >= 0 && selected < static_cast<int>(rows.size());
    const std::string selected_name = has_selection ? rows[selected][kDeviceColumn] : "";

    // The tariffs are read again only when the device options file changed.
    if (!m_online_tariffs)
        m_online_tariffs =
            std::make_unique<TariffBookCache>(m_engine->dev_ini_path(), m_context.regional);
    TariffBook* tariffs = nullptr;
    int64_t seconds = 0, charged = 0, time_cost = 0, traffic_cost = 0;
    int row = 0;
    for (const Tmibdata& device : m_engine->mibarray()) {
        if (!is_online_now(device)) continue;
        if (has_selection && row >= selected && device.deventry == selected_name) {
            try {
                if (!tariffs) tariffs = &m_online_tariffs->current();
                const ConnectionCost cost =
                    connection_cost(tariffs->tariff_of(device.deventry), device.online_time,
                                    device.dload_total, device.uload_total);
                seconds = device.online_time;
                charged = cost.charged_bytes;
                time_cost = round_half_even(cost.time_amount);
                traffic_cost = round_half_even(cost.traffic_amount);
            } catch (...) {
                // The rows up to this one are shown; the labels keep their texts.
                rows.resize(static_cast<size_t>(row) + 1);
                m_grid_model->set_texts(std::move(rows));
                throw;
            }
        }
        ++row;
    }
    m_grid_model->set_texts(std::move(rows));
    m_summary->set_period("--");
    m_summary->show_summary(
        summary_texts("1", seconds, charged, time_cost, traffic_cost, m_context.regional));
    m_summary->set_device(QString::fromStdString(selected_name));
}

void TFmain::create_log_filter() {
    FilterBoxes boxes = m_filter->boxes();
    BuiltLogFilter built;
    try {
        built = quorvane::create_log_filter(boxes);
    } catch (...) {
        // A day corrected before the failure keeps its corrected text.
        m_filter->show_days(boxes);
        throw;
    }
    m_filter->show_days(boxes);
    m_grid_filter = built.filter;
    m_summary->set_period(QString::fromStdString(built.caption));
}

void TFmain::Grid_from_Database(Tlog_summary& summary) {
    if (m_display_mode->now_online()) {
        m_display_mode->Radiofrimdatabase()->setChecked(true);
        m_filter->SpeedButton1()->setEnabled(true);
        m_filter->SpeedButton10()->setEnabled(true);
    }
    TariffBook tariffs(m_engine->dev_ini_path(), m_context.regional);
    DatabaseView view;
    try {
        view = read_database_view(*m_log, m_grid_filter, tariffs);
    } catch (DatabaseViewError& error) {
        // The rows placed before the failing tariff stay; the summary keeps its texts.
        m_grid_model->set_log_rows(std::move(error.rows));
        throw;
    }
    m_grid_model->set_log_rows(std::move(view.rows));
    summary = view.summary;
    m_summary->show_summary(summary_texts(summary, m_context.regional));
    m_summary->set_device(m_filter->ComboBoxEx1()->currentText());
}

void TFmain::SpeedButton5Click() {
    create_log_filter();
    Grid_from_Database(m_log_summary);
}

void TFmain::RadiofrimdatabaseClick() {
    create_log_filter();
    Grid_from_Database(m_log_summary);
    m_filter->SpeedButton1()->setEnabled(true);
    m_filter->SpeedButton10()->setEnabled(true);
}

void TFmain::RadionowonlineClick() {
    m_filter->SpeedButton1()->setEnabled(false);
    m_filter->SpeedButton10()->setEnabled(false);
}

void TFmain::ComboBoxEx1Enter() {
    TDialupEntriesArray phone_book;
    m_context.ports.dialup.read_dialup_entries(phone_book);
    m_filter->ComboBoxEx1()->set_devices(
        build_device_list(phone_book, m_engine->mibarray(), *m_log));
}

void TFmain::SpeedButton1Click() {
    if (MessageBox::question_yes_cancel(
            this, "Confirm", "Do you really want to erase all log that shows in the grid ?") !=
        MessageBox::Yes) {
        return;
    }
    create_log_filter();
    // The connections still in the device table are spared: their rows are being written.
    std::vector<std::string> in_progress;
    for (const Tmibdata& device : m_engine->mibarray()) {
        if (!device.devuniqueid.empty()) in_progress.push_back(device.devuniqueid);
    }
    m_log->erase(m_grid_filter, in_progress);
    Grid_from_Database(m_log_summary);
}

}  // namespace quorvane
