#pragma once

#include <QMouseEvent>
#include <QWidget>

#include "traffic/EngineFixture.h"
#include "ui/common/LiveDevices.h"
#include "ui/meter/TFmeter.h"
#include "ui/stat/TFstat.h"

namespace quorvane::test {

// Feeds the two windows as the sampling cycle's observer does: each only while its Tag
// is 1.
struct WindowFeed : SamplingObserver {
    WindowFeed(TFmeter& meter, TFstat& stat) : meter(meter), stat(stat) {}
    bool wants_meter() const override { return meter.Tag() == 1; }
    void update_meter(const Tmibarray& devices) override { meter.update_meter(devices); }
    bool wants_stat() const override { return stat.Tag() == 1; }
    void update_stat(const Tmibarray& devices) override { stat.update_stat(devices); }
    TFmeter& meter;
    TFstat& stat;
};

// The meter and the statistics window over a real engine on a fake machine with two
// Ethernet devices, LAN (index 2) and WAN (index 3), both online after one tick.
class LiveViewFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        meter_device.clear();
        stat_device.clear();
        for (auto* window : {static_cast<QWidget*>(&meter), static_cast<QWidget*>(&stat)})
            window->hide();
        meter.set_device_table(&engine->mibarray());
        stat.set_device_table(&engine->mibarray());
        engine->set_observer(&feed);
        net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
        net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
        tick();
    }
    // Bytes that pass an interface between two ticks.
    void traffic(uint32_t index, uint32_t down, uint32_t up) {
        net.row(index).dwInOctets += down;
        net.row(index).dwOutOctets += up;
    }
    // One tick with that traffic on an interface.
    void tick_with(uint32_t index, uint32_t down, uint32_t up) {
        traffic(index, down, up);
        tick();
    }

    TFmeter meter;
    TFstat stat;
    WindowFeed feed{meter, stat};
};

// A mouse event at a point of the screen, as the window system delivers it to a widget.
inline void send_mouse(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButton button,
                       Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), button,
                      buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A press of a button at a point of a widget, a move by an offset and the release.
inline void drag(QWidget* widget, QPoint local, QPoint offset,
                 Qt::MouseButton button = Qt::LeftButton) {
    const QPoint start = widget->mapToGlobal(local);
    send_mouse(widget, QEvent::MouseButtonPress, start, button, button);
    send_mouse(widget, QEvent::MouseMove, start + offset, Qt::NoButton, button);
    send_mouse(widget, QEvent::MouseButtonRelease, start + offset, button, Qt::NoButton);
}

}  // namespace quorvane::test
