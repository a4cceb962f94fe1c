#include "ui/PictureCanvas.h"
#include "ui/PicturePainters.h"

namespace quorvane::paint {

using namespace canvas;

// Erase: an eraser, half rubber, half sleeve.
void erase(QPainter& p) {
    p.setPen(round_pen(kSteel, 1));
    p.drawLine(QPointF(2, 14.5), QPointF(14, 14.5));
    p.save();
    p.translate(8, 8);
    p.rotate(-40);
    const QColor edge(110, 30, 40);
    p.setPen(QPen(edge, 0.9));
    p.setBrush(vertical(-3, 3, QColor(250, 120, 130), QColor(200, 50, 64)));
    p.drawRoundedRect(QRectF(-7, -3, 6, 6), 1.2, 1.2);
    p.setBrush(vertical(-3, 3, Qt::white, kSky));
    p.drawRoundedRect(QRectF(-1.5, -3, 8.5, 6), 1.2, 1.2);
    p.restore();
}

// Export: a sheet with an arrow leaving it.
void export_report(QPainter& p) {
    p.setPen(QPen(kSteel, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{2.5, 1.5}, {8.5, 1.5}, {11.5, 4.5}, {11.5, 14.5}, {2.5, 14.5}}));
    p.setBrush(kSilver);
    p.drawPolygon(QPolygonF({{8.5, 1.5}, {8.5, 4.5}, {11.5, 4.5}}));
    p.setPen(QPen(kGreen, 1));
    for (qreal y : {6.5, 9.0, 11.5}) p.drawLine(QPointF(4, y), QPointF(8.5, y));
    p.setPen(QPen(kDarkGreen, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(vertical(6, 14, kGreen.lighter(130), kGreen.darker(110)));
    p.drawPolygon(QPolygonF(
        {{15.5, 10.5}, {11.5, 6.5}, {11.5, 9}, {7.5, 9}, {7.5, 12}, {11.5, 12}, {11.5, 14.5}}));
}

// Show: a magnifying glass.
void show_log(QPainter& p) {
    p.setPen(round_pen(kBrown, 3));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.2, 14.2));
    QRadialGradient glass(QPointF(5, 5), 6);
    glass.setColorAt(0, Qt::white);
    glass.setColorAt(1, kSky);
    p.setPen(QPen(kNavy, 1.7));
    p.setBrush(glass);
    p.drawEllipse(QPointF(6.5, 6.5), 4.6, 4.6);
}

// The about box's close button: a tick on a green disc.
void close_box(QPainter& p) {
    QRadialGradient disc(QPointF(6, 5), 9);
    disc.setColorAt(0, kGreen.lighter(140));
    disc.setColorAt(1, kGreen.darker(120));
    p.setPen(QPen(kDarkGreen, 1));
    p.setBrush(disc);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setPen(round_pen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{4.6, 8.3}, {7, 10.7}, {11.4, 5.6}}));
}

}  // namespace quorvane::paint
