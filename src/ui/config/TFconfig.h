#pragma once

#include <string>

#include <QDialog>

#include "ui/common/GeneralOptionsSaver.h"
#include "ui/config/TFconfigLinks.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace quorvane {

// The configuration dialog: per device the tariffs, the charged direction and whether the
// device is logged and lights the tray icon; in general whether the program starts with the
// desktop session and starts minimised; and the deletion of a removed device's log rows.
// Created hidden at start-up and shown modally (exec()). It keeps no data of its own: the
// device part is read from config/dev.ini at every showing and every click on a device
// row, and each save button writes at once. The INI operations live in TFconfigOptions.cpp,
// the device grid in TFconfigDevices.cpp.
class TFconfig : public QDialog, public GeneralOptionsSaver {
    Q_OBJECT

public:
    explicit TFconfig(QWidget* parent = nullptr);

    // Start-up's wiring; until it is called the INI operations throw std::logic_error.
    void attach(TFconfigLinks links);
    bool attached() const { return m_attached; }

    // The stores.
    void save_general_cfg() override;
    void load_general_cfg();
    void save_device_cfg();
    void load_device_cfg();
    bool test_number(const std::string& text);
    void Load_cfg_devlist();

    // The event handlers.
    void FormShow();
    void StringGrid1Click();
    void SpeedButton1Click();  // refresh the device grid
    void SpeedButton2Click();  // save the general options (also the hidden page's save)
    void SpeedButton3Click();  // close without saving
    void SpeedButton4Click();  // save the device options
    void SpeedButton5Click();  // delete a removed device's log rows
    void SpeedButton6Click();  // the meter window's opacity
    void SpeedButton8Click();  // the statistics window's opacity

    QTabWidget* PageControl1() const { return m_pages; }
    QTableWidget* StringGrid1() const { return m_grid; }
    QLabel* Label17() const { return m_device_label; }
    QLineEdit* Edit1() const { return m_time_cost; }
    QComboBox* ComboBox2() const { return m_time_unit; }
    QLineEdit* Edit2() const { return m_bw_cost; }
    QComboBox* ComboBox3() const { return m_bw_unit; }
    QComboBox* ComboBox1() const { return m_bw_opt; }
    QCheckBox* CheckBox3() const { return m_do_not_log; }
    QCheckBox* CheckBox4() const { return m_no_tray; }
    QLineEdit* budget_cost() const { return m_budget_cost; }
    QLineEdit* budget_mbytes() const { return m_budget_mbytes; }
    QCheckBox* CheckBox1() const { return m_start_with_desktop; }
    QCheckBox* CheckBox2() const { return m_start_minimized; }
    QLineEdit* Edit3() const { return m_meter_percent; }
    QLineEdit* Edit4() const { return m_stat_percent; }
    QToolButton* SpeedButton(int number) const;

    // The text of a grid cell ("" past the rows), and the number of rows below the header.
    QString cell(int row, int column) const;
    int data_rows() const;
    // The selected row of the grid, 0 for the first row below the header; -1 for none.
    int selected_row() const;
    void select_row(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build_device_page(QWidget* page);
    void build_general_page(QWidget* page);
    void build_meter_page(QWidget* page);
    // The monthly budget fields of the device page (TFconfigBudget.cpp).
    void build_budget_fields(QWidget* box);
    void save_budget(class IniFile& dev, const std::string& section);
    void load_budget(const class IniFile& dev, const std::string& section);
    void FormCreate();
    // Rows for the devices (at least five), their options read from `dev_ini`.
    void fill_grid(const Tdev_list_arr& devices, const class IniFile* dev_ini);
    void set_cell(int row, int column, const QString& text);
    const TFconfigLinks& links() const;
    std::string config_ini() const;
    std::string dev_ini() const;
    std::string autostart_file() const;
    std::string selected_device() const;
    static void set_alpha(QWidget* window, const QLineEdit* percent);

    TFconfigLinks m_links;
    bool m_attached = false;

    QTabWidget* m_pages = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_device_label = nullptr;
    QLineEdit* m_time_cost = nullptr;
    QComboBox* m_time_unit = nullptr;
    QLineEdit* m_bw_cost = nullptr;
    QComboBox* m_bw_unit = nullptr;
    QComboBox* m_bw_opt = nullptr;
    QCheckBox* m_do_not_log = nullptr;
    QCheckBox* m_no_tray = nullptr;
    QLineEdit* m_budget_cost = nullptr;
    QLineEdit* m_budget_mbytes = nullptr;
    QCheckBox* m_start_with_desktop = nullptr;
    QCheckBox* m_start_minimized = nullptr;
    QLineEdit* m_meter_percent = nullptr;
    QLineEdit* m_stat_percent = nullptr;
};

}  // namespace quorvane
