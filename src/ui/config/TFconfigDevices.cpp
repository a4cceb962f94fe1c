// The configuration dialog's device grid, and the deletion of a removed device's log rows.
#include <algorithm>

#include <QSignalBlocker>
#include <QTableWidget>

#include "config/IniFile.h"
#include "logdb/LogDatabase.h"
#include "traffic/TextTrim.h"
#include "ui/common/MessageBox.h"
#include "ui/config/TFconfig.h"

namespace quorvane {

namespace {

// The grid shows at least this many rows below its header, empty ones included.
constexpr int kLeastRows = 5;

}  // namespace

QString TFconfig::cell(int row, int column) const {
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item != nullptr ? item->text() : QString();
}

int TFconfig::data_rows() const {
    return m_grid->rowCount();
}

int TFconfig::selected_row() const {
    return m_grid->currentRow();
}

void TFconfig::select_row(int row) {
    // Selecting a row from the program loads nothing by itself; the caller does.
    const QSignalBlocker quiet(m_grid);
    m_grid->setCurrentCell(row, 0);
}

std::string TFconfig::selected_device() const {
    return cell(selected_row(), 0).toStdString();
}

void TFconfig::set_cell(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = m_grid->item(row, column)) {
        item->setText(text);
    } else {
        m_grid->setItem(row, column, new QTableWidgetItem(text));
    }
}

void TFconfig::fill_grid(const Tdev_list_arr& devices, const IniFile* dev_ini) {
    const QSignalBlocker quiet(m_grid);
    const int selected = selected_row();
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < 4; ++column) set_cell(row, column, QString());
    }
    const int rows = std::max(static_cast<int>(devices.size()), kLeastRows);
    m_grid->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 4; ++column) set_cell(row, column, QString());
    }
    for (int row = 0; row < static_cast<int>(devices.size()); ++row) {
        const Tdev_list& device = devices[static_cast<size_t>(row)];
        const bool logged = dev_ini->read_string(device.name, "log_option", "1") == "1";
        const bool in_tray = dev_ini->read_string(device.name, "tray_option", "1") == "1";
        set_cell(row, 0, QString::fromStdString(device.name));
        set_cell(row, 1, QString::fromStdString(device.state));
        set_cell(row, 2, logged ? "Logged" : "Not logged");
        set_cell(row, 3, in_tray ? "Included" : "Not included");
    }
    // The selection keeps its position, so it may now be on another device or an empty row.
    if (selected >= 0) m_grid->setCurrentCell(std::min(selected, rows - 1), 0);
}

void TFconfig::Load_cfg_devlist() {
    const TFconfigLinks& linked = links();
    const Tdev_list_arr devices = linked.device_list ? linked.device_list() : Tdev_list_arr{};
    const IniFile ini(dev_ini());
    fill_grid(devices, &ini);
}

void TFconfig::StringGrid1Click() {
    load_device_cfg();
}

void TFconfig::SpeedButton1Click() {
    // The fields below the grid keep what they show.
    Load_cfg_devlist();
}

void TFconfig::SpeedButton5Click() {
    Load_cfg_devlist();
    const int row = selected_row();
    if (trim_blanks(cell(row, 1).toStdString()) != kStateRemoved) {
        MessageBox::confirmation_ok(this, "Confirm", "You can not delete active/installed device ");
    } else {
        // The name as the log has it: a name with blanks around it is still that device.
        const std::string name = cell(row, 0).toStdString();
        const QString question = "Do you really want to delete \"" +
                                 QString::fromStdString(trim_blanks(name)) +
                                 "\" from the database ?";
        if (MessageBox::confirmation_ok_cancel(this, "Confirm", question) == MessageBox::Ok) {
            LogDatabase* log = links().log;
            if (log == nullptr) throw std::logic_error("The configuration dialog has no log");
            log->delete_device(name);
        }
    }
    // A device whose last log rows are gone and that is not present leaves the list.
    Load_cfg_devlist();
}

}  // namespace quorvane
