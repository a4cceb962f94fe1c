#pragma once

#include <QWidget>

#include <string>

#include "format/RegionalSettings.h"
#include "traffic/Tmibdata.h"

class QLabel;
class QTableWidget;
class QToolButton;

namespace quorvane {

class DropDownComboBox;

// The statistics window "Device statistic": a tool window with a two-column table of the
// twelve live figures of one device (stat_device), which the user picks in the device box
// at the bottom. Tag 1 (while the window is shown) asks the sampling cycle for update_stat
// every tick; closed or hidden it is 0 and the table keeps its last figures.
class TFstat : public QWidget {
    Q_OBJECT

public:
    explicit TFstat(QWidget* parent = nullptr);

    int Tag() const { return m_tag; }
    void set_Tag(int value) { m_tag = value; }

    // The device table the device box lists, and the regional settings of the figures.
    void set_device_table(const Tmibarray* devices) { m_devices = devices; }
    void set_regional(const RegionalSettings& regional) { m_regional = regional; }

    // Writes the figures of the record named stat_device (the last, if several are)
    // into the value column.
    void update_stat(const Tmibarray& devices);
    // Puts a device name into the device box, as the main window does when it sets
    // stat_device.
    void set_device_text(const std::string& name);
    // 0 invisible .. 255 opaque.
    void set_window_alpha(int alpha);

    void ComboBox1DropDown();
    void ComboBox1Click();
    void SpeedButton5Click();

    QTableWidget* StringGrid1() const { return m_grid; }
    DropDownComboBox* ComboBox1() const { return m_device_box; }
    QToolButton* SpeedButton5() const { return m_close_button; }
    // The text of a cell of the table.
    QString cell(int row, int column) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void build_grid();
    void build_device_box();

    int m_tag = 0;
    bool m_shown_once = false;
    const Tmibarray* m_devices = nullptr;
    RegionalSettings m_regional;

    QTableWidget* m_grid = nullptr;
    QLabel* m_label1 = nullptr;
    DropDownComboBox* m_device_box = nullptr;
    QToolButton* m_close_button = nullptr;
};

}  // namespace quorvane
