#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

namespace quorvane {

// Moves and resizes a window without a title bar: a press of the left button on any of
// the watched widgets hands the window to the system's move loop, or its resize loop
// when the press is near the window's edge. Where the system has no such loop (no window
// manager, the offscreen platform), the window follows the mouse itself until the button
// is released. Other buttons are left to the widgets.
class WindowMover : public QObject {
public:
    explicit WindowMover(QWidget* window);
    // Watches a widget of the window (the window itself included).
    void watch(QWidget* widget);

    // How close to the edge a press resizes rather than moves.
    static constexpr int kEdge = 4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Qt::Edges edges_at(QPoint window_pos) const;
    void follow(QPoint global_pos);

    QWidget* m_window;
    bool m_following = false;
    Qt::Edges m_edges;
    QPoint m_press;
    QRect m_start;
};

}  // namespace quorvane
