#include "ui/common/WindowStacking.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quorvane {

void set_window_owner(QWidget* window, QWidget* owner) {
    if (window == nullptr || owner == nullptr) return;
    // A hidden owner (the main window in the tray) owns nothing: the window manager would
    // keep a window it owns out of sight with it.
    if (!owner->isVisible()) {
        if (QWindow* handle = window->windowHandle()) handle->setTransientParent(nullptr);
        return;
    }
    // Both need their native windows before one can own the other; without this the
    // toolkit gives a parentless window its hidden group leader as owner, and the window
    // manager stacks the window below the main window at the first click there.
    window->winId();
    owner->winId();
    QWindow* handle = window->windowHandle();
    QWindow* owner_handle = owner->window()->windowHandle();
    if (handle != nullptr && owner_handle != nullptr && handle != owner_handle) {
        handle->setTransientParent(owner_handle);
    }
}

void centre_on(QWidget* window, const QWidget* owner) {
    QRect area;
    if (owner != nullptr && owner->isVisible() && !owner->isMinimized()) {
        area = owner->frameGeometry();
    } else if (QScreen* screen = owner != nullptr && owner->screen() != nullptr
                                     ? owner->screen()
                                     : QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    // Frame to frame: the title bars count on both sides (move() places the frame).
    const QSize frame = window->frameGeometry().size();
    if (area.isValid()) window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void show_over(QWidget* window, QWidget* owner, Placement placement) {
    if (window == nullptr) return;
    set_window_owner(window, owner);
    const char* const placed = "quorvane_placed";
    if (!window->isVisible() &&
        (placement == Placement::every_opening || !window->property(placed).toBool())) {
        centre_on(window, owner);
        window->setProperty(placed, true);
    }
    bring_to_front(window);
}

void bring_to_front(QWidget* window) {
    if (window->isMinimized()) {
        window->showNormal();
    } else {
        window->show();
    }
    window->raise();
    window->activateWindow();
}

}  // namespace quorvane
