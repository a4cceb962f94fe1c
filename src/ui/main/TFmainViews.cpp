// The main window's views: the devices online now, the log from the database, the log
// filter, the device box and the erase.
#include <QDate>
#include <QToolButton>

#include "logdb/LogDatabase.h"
#include "traffic/TrafficEngine.h"
#include "ui/common/MessageBox.h"
#include "ui/main/BudgetMonitor.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/GridTexts.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/LogGrid.h"
#include "ui/main/LogGridModel.h"
#include "ui/main/SummaryPanel.h"
#include "ui/main/TFmain.h"
#include "ui/main/ViewErrors.h"
#include "usage/CostModel.h"
#include "usage/DatabaseView.h"
#include "usage/DeviceList.h"
#include "usage/LogFilterRules.h"
#include "usage/LogRowTexts.h"
#include "usage/SummaryTexts.h"
#include "usage/TariffBook.h"
#include "usage/TariffBookCache.h"

#include <QRadioButton>

namespace quorvane {

void TFmain::Grid_now_online() {
    const int selected = m_grid->selected_row();
    // The name the selected row gets this tick; the summary is of the last online device of
    // that name from the selected row on.
    std::vector<GridRowTexts> rows = m_online_texts.rows(m_engine->mibarray(), m_context.regional);
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
        check_period_order(built);
    } catch (const FilterBoxError& error) {
        // A day corrected before the failure keeps its corrected text; the box to blame
        // turns red.
        m_filter->show_days(boxes);
        m_filter->mark_bad_box(error.box, view_error_text(error, m_context.regional));
        throw;
    } catch (...) {
        m_filter->show_days(boxes);
        m_filter->mark_bad_box(FilterBox::none);
        throw;
    }
    m_filter->show_days(boxes);
    m_filter->mark_bad_box(FilterBox::none);
    m_grid_filter = built.filter;
    // The period in the regional short date format, as the grid shows its dates.
    std::string caption = built.caption;
    if (const auto& dates = built.filter.dates) {
        caption = shown_date(dates->from, m_context.regional) + " to " +
                  shown_date(dates->to, m_context.regional);
    }
    m_summary->set_period(QString::fromStdString(caption));
}

void TFmain::Grid_from_Database(Tlog_summary& summary) {
    // Erase and export follow the mode (wired in TFmainCommands.cpp).
    const bool was_now_online = m_display_mode->now_online();
    if (was_now_online) m_display_mode->Radiofrimdatabase()->setChecked(true);
    TariffBook tariffs(m_engine->dev_ini_path(), m_context.regional);
    DatabaseView view;
    try {
        view = read_database_view(*m_log, m_grid_filter, tariffs);
    } catch (DatabaseViewError& error) {
        // The rows up to the one that failed stay; the summary has no figures.
        m_grid_model->set_log_rows(std::move(error.rows));
        show_no_summary(m_summary);
        throw;
    } catch (...) {
        // A failed query keeps the database view as it was; coming from the devices
        // online now, the grid is emptied rather than left with that other view.
        if (was_now_online) {
            m_grid_model->clear();
            show_no_summary(m_summary);
        }
        throw;
    }
    m_grid_model->set_log_rows(std::move(view.rows));
    summary = view.summary;
    m_summary->show_summary(summary_texts(summary, m_context.regional));
    m_summary->set_device(m_filter->ComboBoxEx1()->currentText());
    follow_chart();
}

// The database view's commands show what went wrong (a filter box, a period, a device's
// prices, the database) and then end as every command does, in the event log.
void TFmain::SpeedButton5Click() {
    refresh_database_view();
}

void TFmain::refresh_database_view() {
    try {
        create_log_filter();
        Grid_from_Database(m_log_summary);
    } catch (const std::exception& error) {
        show_view_error(this, error, m_context.regional);
        throw;
    }
}

void TFmain::RadiofrimdatabaseClick() {
    try {
        create_log_filter();
        Grid_from_Database(m_log_summary);
    } catch (const std::exception& error) {
        // The mode is the database's now: a grid still holding the devices online is
        // emptied, and the summary has no figures.
        if (m_grid_model->log_rows().empty()) {
            m_grid_model->clear();
            show_no_summary(m_summary);
        }
        show_view_error(this, error, m_context.regional);
        throw;
    }
}

void TFmain::RadionowonlineClick() {
    // Erase and export follow the mode alone (TFmainCommands.cpp).
    m_display_mode->Radionowonline()->setChecked(true);
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
    try {
        create_log_filter();
        // The connections still in the device table are spared: their rows are being
        // written.
        std::vector<std::string> in_progress;
        for (const Tmibdata& device : m_engine->mibarray()) {
            if (!device.devuniqueid.empty()) in_progress.push_back(device.devuniqueid);
        }
        m_log->erase(m_grid_filter, in_progress);
        m_budgets->settings_changed();  // the month to date is read again without the erased rows
        Grid_from_Database(m_log_summary);
    } catch (const std::exception& error) {
        show_view_error(this, error, m_context.regional);
        throw;
    }
}

}  // namespace quorvane
