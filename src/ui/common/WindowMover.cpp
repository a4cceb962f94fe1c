#include "ui/common/WindowMover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace quorvane {

namespace {

Qt::CursorShape cursor_for(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling = (edges & Qt::LeftEdge) == bool(edges & Qt::TopEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal) return Qt::SizeHorCursor;
    if (vertical) return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

}  // namespace

WindowMover::WindowMover(QWidget* window) : QObject(window), m_window(window) {}

void WindowMover::watch(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

Qt::Edges WindowMover::edges_at(QPoint pos) const {
    Qt::Edges edges;
    if (pos.x() < kEdge) edges |= Qt::LeftEdge;
    if (pos.x() >= m_window->width() - kEdge) edges |= Qt::RightEdge;
    if (pos.y() < kEdge) edges |= Qt::TopEdge;
    if (pos.y() >= m_window->height() - kEdge) edges |= Qt::BottomEdge;
    return edges;
}

void WindowMover::follow(QPoint global_pos) {
    const QPoint delta = global_pos - m_press;
    if (!m_edges) {
        m_window->move(m_start.topLeft() + delta);
        return;
    }
    QRect target = m_start;
    const QSize least = m_window->minimumSize().expandedTo(QSize(1, 1));
    if (m_edges & Qt::LeftEdge)
        target.setLeft(std::min(m_start.left() + delta.x(), m_start.right() - least.width() + 1));
    if (m_edges & Qt::RightEdge) target.setRight(m_start.right() + delta.x());
    if (m_edges & Qt::TopEdge)
        target.setTop(std::min(m_start.top() + delta.y(), m_start.bottom() - least.height() + 1));
    if (m_edges & Qt::BottomEdge) target.setBottom(m_start.bottom() + delta.y());
    target.setSize(target.size().expandedTo(least));
    m_window->setGeometry(target);
}

bool WindowMover::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return false;
            const QPoint global = mouse->globalPosition().toPoint();
            m_edges = edges_at(m_window->mapFromGlobal(global));
            QWindow* handle = m_window->windowHandle();
            const bool system = handle != nullptr && (m_edges ? handle->startSystemResize(m_edges)
                                                              : handle->startSystemMove());
            m_following = !system;
            m_press = global;
            m_start = m_window->geometry();
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint global = mouse->globalPosition().toPoint();
            if (m_following && (mouse->buttons() & Qt::LeftButton)) {
                follow(global);
                return true;
            }
            widget->setCursor(cursor_for(edges_at(m_window->mapFromGlobal(global))));
            return false;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
            m_following = false;
            return true;
        default:
            return false;
    }
}

}  // namespace quorvane
