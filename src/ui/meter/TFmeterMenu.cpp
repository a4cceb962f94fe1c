// The meter's right-click menu: the device submenu, built afresh at each opening, hide,
// the hidden graph type submenu, exit and stay on top.
#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>

#include <algorithm>

#include "ui/common/LiveDevices.h"
#include "ui/meter/TFmeter.h"
#include "widgets/TrendGraph.h"

namespace quorvane {

namespace {

// A device name as a menu caption: an ampersand is shown, not taken as a shortcut mark.
QString caption_of(const std::string& name) {
    return QString::fromStdString(name).replace('&', "&&");
}

}  // namespace

void TFmeter::build_menu() {
    m_menu = new QMenu(this);
    m_menu->setObjectName("PopupMenu1");
    connect(m_menu, &QMenu::aboutToShow, this, &TFmeter::PopupMenu1Popup);

    m_device_menu = m_menu->addMenu("Network device");
    m_device_menu->setObjectName("Networkdevice1");
    m_hide = m_menu->addAction("Hide", this, &TFmeter::Hide1Click);
    m_hide->setObjectName("Hide1");

    m_graph_type_menu = m_menu->addMenu("Graph type");
    m_graph_type_menu->setObjectName("Graphtype1");
    m_graph_type_menu->addAction("3D", this, &TFmeter::N3D1Click)->setObjectName("N3D1");
    m_graph_type_menu->addAction("Bar", this, &TFmeter::Bar1Click)->setObjectName("Bar1");
    m_graph_type_menu->addAction("Line", this, &TFmeter::Line1Click)->setObjectName("Line1");
    m_graph_type_menu->addAction("Fill color", this, &TFmeter::Fillcolor1Click)
        ->setObjectName("Fillcolor1");
    m_graph_type_menu->menuAction()->setVisible(false);

    m_exit = m_menu->addAction("Exit", this, &TFmeter::Exit1Click);
    m_exit->setObjectName("Exit1");
    m_stay_on_top = m_menu->addAction("Stay on top");
    m_stay_on_top->setObjectName("Stayontop1");
    m_stay_on_top->setCheckable(true);
    m_stay_on_top->setChecked(true);
    // Choosing the item toggles its check mark; the window follows the mark.
    connect(m_stay_on_top, &QAction::triggered, this, [this](bool on) {
        const bool visible = isVisible();
        const QRect place = geometry();
        setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides the window
        if (visible) {
            setGeometry(place);
            show();
        }
    });
}

void TFmeter::contextMenuEvent(QContextMenuEvent* event) {
    m_menu->popup(event->globalPos());
}

void TFmeter::PopupMenu1Popup() {
    for (QAction* item : m_device_items) delete item;
    m_device_items.clear();
    try {
        if (m_devices == nullptr) return;
        for (const Tmibdata& device : *m_devices) {
            auto* item = new QAction(caption_of(device.deventry), m_device_menu);
            item->setData(QString::fromStdString(device.deventry));
            connect(item, &QAction::triggered, this, [this, item] { popupdeviceclick(item); });
            m_device_menu->addAction(item);
            m_device_items.push_back(item);
        }
    } catch (const std::exception&) {
        // The menu opens with the items made so far.
    }
}

void TFmeter::popupdeviceclick(QAction* item) {
    if (std::find(m_device_items.begin(), m_device_items.end(), item) == m_device_items.end())
        return;
    // The device named by the item, as the table held it when the menu opened: the table
    // may have changed since, while the menu was open.
    const QString name = item->data().toString();
    m_label5->setText(name);
    meter_device = name.toStdString();
    m_graph->ClearValues();
    m_graph->ClearTwinValues();
}

void TFmeter::Hide1Click() {
    m_tag = 1;  // the feed goes on while hidden
    close();
}

void TFmeter::Exit1Click() {
    m_graph->ClearValues();
    m_graph->ClearTwinValues();
    m_tag = 0;
    close();
}

void TFmeter::Stayontop1Click() {
    m_stay_on_top->trigger();
}

void TFmeter::N3D1Click() {
    m_graph->set_Style(ts3D);
}
void TFmeter::Bar1Click() {
    m_graph->set_Style(tsBar);
}
void TFmeter::Line1Click() {
    m_graph->set_Style(tsLine);
}
void TFmeter::Fillcolor1Click() {
    m_graph->set_Style(tsFilled);
}

}  // namespace quorvane
