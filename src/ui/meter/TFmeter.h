#pragma once

#include <QWidget>

#include <vector>

#include "format/RegionalSettings.h"
#include "traffic/Tmibdata.h"

class QAction;
class QLabel;
class QMenu;

namespace quorvane {

class TrendGraph;
class WindowMover;

// The meter: a small window without a title bar that stays on top and draws the download
// rate of one device (meter_device) as a red line over its upload rate as a lime area,
// with both rates and the top of the scale written over the graph. It is moved by
// dragging anywhere in it and resized at its edges; its right-click menu chooses the
// device, hides it (the feed goes on), exits it (the graph is cleared and the feed stops)
// and switches staying on top. Tag 1 asks the sampling cycle for update_meter every tick.
class TFmeter : public QWidget {
    Q_OBJECT

public:
    explicit TFmeter(QWidget* parent = nullptr);

    int Tag() const { return m_tag; }
    void set_Tag(int value) { m_tag = value; }

    // The device table the device menu lists, and the regional settings of the figures.
    void set_device_table(const Tmibarray* devices) { m_devices = devices; }
    void set_regional(const RegionalSettings& regional) { m_regional = regional; }

    // Enters the rates of every record named meter_device into the graph and the labels.
    void update_meter(const Tmibarray& devices);
    // 0 invisible .. 255 opaque.
    void set_window_alpha(int alpha);

    // The menu and its commands.
    void PopupMenu1Popup();
    void popupdeviceclick(QAction* item);
    void Hide1Click();
    void Exit1Click();
    void Stayontop1Click();
    void N3D1Click();
    void Bar1Click();
    void Line1Click();
    void Fillcolor1Click();

    TrendGraph* downloadtrend() const { return m_graph; }
    QLabel* Label1() const { return m_label1; }  // download rate
    QLabel* Label4() const { return m_label4; }  // upload rate
    QLabel* Label5() const { return m_label5; }  // the device
    QLabel* Label6() const { return m_label6; }  // top of the scale
    QMenu* PopupMenu1() const { return m_menu; }
    QMenu* Networkdevice1() const { return m_device_menu; }
    QMenu* Graphtype1() const { return m_graph_type_menu; }
    QAction* Hide1() const { return m_hide; }
    QAction* Exit1() const { return m_exit; }
    QAction* Stayontop1() const { return m_stay_on_top; }
    const std::vector<QAction*>& device_items() const { return m_device_items; }

    // The window's frame, where a press resizes.
    static constexpr int kBorder = 2;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build_face();
    void build_menu();
    void place_children();
    // The download label stands right of the upload label, however wide that one is.
    void place_rate_labels();

    int m_tag = 0;
    const Tmibarray* m_devices = nullptr;
    RegionalSettings m_regional;

    QWidget* m_client = nullptr;
    TrendGraph* m_graph = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    WindowMover* m_mover = nullptr;

    QMenu* m_menu = nullptr;
    QMenu* m_device_menu = nullptr;
    QMenu* m_graph_type_menu = nullptr;
    QAction* m_hide = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_stay_on_top = nullptr;
    std::vector<QAction*> m_device_items;
};

}  // namespace quorvane
