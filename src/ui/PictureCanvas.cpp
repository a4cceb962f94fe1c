#include "ui/PictureCanvas.h"

namespace quorvane::canvas {

QPixmap square_pixmap(int side, qreal design, const Painting& painting) {
    QPixmap pixmap(side, side);
    if (pixmap.isNull()) return pixmap;
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / design, side / design);
    painting(painter);
    return pixmap;
}

QIcon square_icon(std::initializer_list<int> sides, qreal design, const Painting& painting) {
    QIcon icon;
    for (int side : sides) icon.addPixmap(square_pixmap(side, design, painting));
    return icon;
}

QLinearGradient vertical(qreal y0, qreal y1, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(0, y0, 0, y1);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QPainterPath vertical_arrow(const QRectF& box, qreal head, qreal stem, bool up) {
    const qreal mid = box.center().x();
    const qreal half = stem / 2;
    // Drawn pointing up; a mirror about the box's middle row turns it down.
    const qreal tip = box.top();
    const qreal base = box.top() + head;
    QPainterPath path;
    path.moveTo(mid, tip);
    path.lineTo(box.right(), base);
    path.lineTo(mid + half, base);
    path.lineTo(mid + half, box.bottom());
    path.lineTo(mid - half, box.bottom());
    path.lineTo(mid - half, base);
    path.lineTo(box.left(), base);
    path.closeSubpath();
    if (up) return path;
    QTransform mirror;
    mirror.translate(0, box.top() + box.bottom());
    mirror.scale(1, -1);
    return mirror.map(path);
}

QPen round_pen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace quorvane::canvas
