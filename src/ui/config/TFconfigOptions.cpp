// The configuration dialog's INI operations: the general options (config/config.ini, the
// start-with-the-desktop entry and the tip window's check box) and the options of one
// device (its section of config/dev.ini). Each key is read or written by itself, in a fixed
// order; a failing write stops the operation, keeping what was written before it.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>

#include "config/AutostartEntry.h"
#include "config/Conversions.h"
#include "config/IniFile.h"
#include "traffic/TextTrim.h"
#include "ui/common/MessageBox.h"
#include "ui/common/WindowAlpha.h"
#include "ui/config/TFconfig.h"
#include "ui/tip/TFtip.h"

namespace quorvane {

namespace {

// The refusal of a price that is no plain number, or a negative one, naming the decimal
// separator of the regional settings that the amount is read with.
QString not_a_price(const std::string& separator) {
    const QString shown = QString::fromStdString(separator);
    return " Not a valid number format ,\n please use a plain number of 0 or more with \"" + shown +
           "\" as decimal separator  \n Ex : 12345" + shown + "98";
}

const char* flag(bool on) {
    return on ? "1" : "0";
}

// A list's index as stored; an index outside the list selects nothing.
void select_index(QComboBox* box, int index) {
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

}  // namespace

std::string TFconfig::config_ini() const {
    return links().data_dir + "/config/config.ini";
}

std::string TFconfig::dev_ini() const {
    return links().data_dir + "/config/dev.ini";
}

std::string TFconfig::autostart_file() const {
    if (!links().autostart_file.empty()) return links().autostart_file;
    return AutostartEntry::path_in(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
}

void TFconfig::save_general_cfg() {
    IniFile config(config_ini());
    config.write_string("general", "startminimized", flag(m_start_minimized->isChecked()));
    config.write_string("XXXXX", "startminimized111", "0");
    if (links().tip != nullptr) {
        config.write_string("general", "tipoftheday", flag(links().tip->CheckBox1()->isChecked()));
    }
    AutostartEntry entry(autostart_file());
    if (m_start_with_desktop->isChecked()) {
        const std::string executable = links().executable.empty()
                                           ? QCoreApplication::applicationFilePath().toStdString()
                                           : links().executable;
        entry.write(executable, links().data_dir);
    } else {
        entry.remove();
    }
}

void TFconfig::load_general_cfg() {
    const IniFile config(config_ini());
    m_start_with_desktop->setChecked(AutostartEntry(autostart_file()).is_on());
    m_start_minimized->setChecked(config.read_string("general", "startminimized", "0") == "1");
    if (links().tip != nullptr) {
        links().tip->CheckBox1()->setChecked(config.read_string("general", "tipoftheday", "0") ==
                                             "1");
    }
}

bool TFconfig::test_number(const std::string& text) {
    const std::string trimmed = trim_blanks(text);
    if (trimmed.empty()) return true;  // a blank amount counts as 0
    const std::string& separator = links().regional.decimal_separator;
    try {
        // A negative price would turn every cost into a credit: refused as text is.
        if (str_to_amount(trimmed, separator) >= 0) return true;
    } catch (const ConversionError&) {
    }
    MessageBox::confirmation_ok(this, "Confirm", not_a_price(separator));
    return false;
}

void TFconfig::save_device_cfg() {
    const std::string section = selected_device();
    IniFile dev(dev_ini());
    // A name that cannot be a section is refused before anything is asked or written.
    dev.check_section_name(section);
    const std::string time_cost = trim_blanks(m_time_cost->text().toStdString());
    if (test_number(time_cost)) {
        dev.write_string(section, "Time_cost", time_cost.empty() ? "0" : time_cost);
    }
    dev.write_string(section, "Time_cost_sat", std::to_string(m_time_unit->currentIndex()));
    const std::string bw_cost = trim_blanks(m_bw_cost->text().toStdString());
    if (test_number(bw_cost)) {
        dev.write_string(section, "Bw_cost", bw_cost.empty() ? "0" : bw_cost);
    }
    dev.write_string(section, "Bw_cost_sat", std::to_string(m_bw_unit->currentIndex()));
    dev.write_string(section, "Bw_opt", std::to_string(m_bw_opt->currentIndex()));
    dev.write_string(section, "log_option", m_do_not_log->isChecked() ? "0" : "1");
    dev.write_string(section, "tray_option", m_no_tray->isChecked() ? "0" : "1");
    save_budget(dev, section);
}

void TFconfig::load_device_cfg() {
    const std::string section = selected_device();
    const IniFile dev(dev_ini());
    // A name too long for the panel is shortened in its middle, the whole name in the
    // tool-tip: its beginning and its end both stay in sight.
    const QString name = QString::fromStdString(section);
    m_device_label->setText(
        m_device_label->fontMetrics().elidedText(name, Qt::ElideMiddle, m_device_label->width()));
    m_device_label->setToolTip(name);
    m_time_cost->setText(QString::fromStdString(dev.read_string(section, "Time_cost", "0")));
    select_index(m_time_unit, str_to_int(dev.read_string(section, "Time_cost_sat", "0")));
    m_bw_cost->setText(QString::fromStdString(dev.read_string(section, "Bw_cost", "0")));
    select_index(m_bw_unit, str_to_int(dev.read_string(section, "Bw_cost_sat", "0")));
    select_index(m_bw_opt, str_to_int(dev.read_string(section, "Bw_opt", "0")));
    m_do_not_log->setChecked(dev.read_string(section, "log_option", "1") == "0");
    m_no_tray->setChecked(dev.read_string(section, "tray_option", "1") == "0");
    load_budget(dev, section);
}

void TFconfig::SpeedButton4Click() {
    try {
        save_device_cfg();
    } catch (const IniNameError& error) {
        // The device's name holds a line break: say so, naming it; nothing was written.
        MessageBox::error(this, "config", QString::fromStdString(error.what()));
        return;
    }
    if (links().dev_cfg_changed) links().dev_cfg_changed();
    Load_cfg_devlist();
}

void TFconfig::SpeedButton2Click() {
    save_general_cfg();
    load_general_cfg();
    MessageBox::information(this, "Quorvane", "Configuration has been saved");
}

void TFconfig::set_alpha(QWidget* window, const QLineEdit* percent) {
    if (window == nullptr) return;
    // percent x 255 / 100, the division truncated; set_window_alpha keeps it within 0..255.
    const long long alpha =
        static_cast<long long>(str_to_int(percent->text().toStdString())) * 255 / 100;
    set_window_alpha(*window, static_cast<int>(std::clamp(alpha, -1LL, 256LL)));
}

void TFconfig::SpeedButton6Click() {
    set_alpha(links().meter, m_meter_percent);
}

void TFconfig::SpeedButton8Click() {
    set_alpha(links().stat, m_stat_percent);
}

}  // namespace quorvane
