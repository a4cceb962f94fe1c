#include <cmath>

#include <QtMath>

#include "ui/PictureCanvas.h"
#include "ui/PicturePainters.h"

namespace quorvane::paint {

using namespace canvas;

// "All": a globe.
void device_all(QPainter& p) {
    QRadialGradient sea(QPointF(6, 5.5), 9);
    sea.setColorAt(0, QColor(150, 200, 255));
    sea.setColorAt(1, kBlue.darker(120));
    p.setPen(QPen(kNavy, 1));
    p.setBrush(sea);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 2.8, 6.5);
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(2.6, 4.8), QPointF(13.4, 4.8));
    p.drawLine(QPointF(2.6, 11.2), QPointF(13.4, 11.2));
}

// A dial-up modem: a box with its lights under a telephone handset.
void device_modem(QPainter& p) {
    p.setPen(QPen(kNavy, 1));
    p.setBrush(vertical(7, 14, kSilver.lighter(108), kSteel));
    p.drawRoundedRect(QRectF(1.5, 7.5, 13, 6), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    const QColor lights[] = {kGreen.lighter(120), kYellow, kGreen.lighter(120)};
    for (int k = 0; k < 3; ++k) {
        p.setBrush(lights[k]);
        p.drawEllipse(QPointF(4.5 + 2.5 * k, 10.8), 0.95, 0.95);
    }
    p.setBrush(kNavy);
    p.drawRect(QRectF(11, 10.3, 2, 1));
    p.setPen(round_pen(kNavy, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath handle;
    handle.moveTo(4, 5);
    handle.quadTo(8, 1, 12, 5);
    p.drawPath(handle);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawRoundedRect(QRectF(1.8, 4, 4, 2.6), 1, 1);
    p.drawRoundedRect(QRectF(10.2, 4, 4, 2.6), 1, 1);
}

// Ethernet: the front of a network socket with its contacts.
void device_ethernet(QPainter& p) {
    p.setPen(QPen(kNavy, 1));
    p.setBrush(vertical(1, 15, QColor(150, 170, 200), kSteel.darker(110)));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(26, 31, 42));
    p.drawPolygon(QPolygonF({{3.5, 4.5},
                             {12.5, 4.5},
                             {12.5, 10.5},
                             {10.5, 10.5},
                             {10.5, 12.5},
                             {5.5, 12.5},
                             {5.5, 10.5},
                             {3.5, 10.5}}));
    p.setBrush(QColor(236, 190, 60));
    for (int k = 0; k < 4; ++k) p.drawRect(QRectF(4.5 + 2 * k, 4.5, 1, 2.5));
}

// The loopback interface: an arrow running round in a circle.
void device_loopback(QPainter& p) {
    const QColor violet(112, 72, 200);
    const QRectF ring(3, 3, 10, 10);
    const qreal start = 60;
    const qreal span = 270;
    p.setPen(QPen(violet, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(ring, qRound(start * 16), qRound(span * 16));
    // The head at the end of the arc, pointing on along the circle.
    const qreal end = qDegreesToRadians(start + span);
    const QPointF at(8 + 5 * std::cos(end), 8 - 5 * std::sin(end));
    const QPointF along(-std::sin(end), -std::cos(end));
    const QPointF across(along.y(), -along.x());
    p.setPen(QPen(violet.darker(130), 0.6));
    p.setBrush(violet);
    p.drawPolygon(QPolygonF({at + along * 3.2, at + across * 2.6, at - across * 2.6}));
}

// A device that only the log still knows: a database drum.
void device_database(QPainter& p) {
    const QColor amber(236, 160, 40);
    const QColor edge(130, 74, 6);
    QLinearGradient side(2, 0, 14, 0);
    side.setColorAt(0, amber.darker(125));
    side.setColorAt(0.4, amber.lighter(125));
    side.setColorAt(1, amber.darker(140));
    QPainterPath drum;
    drum.moveTo(2.5, 4);
    drum.lineTo(2.5, 12);
    drum.arcTo(QRectF(2.5, 10, 11, 4), 180, 180);
    drum.lineTo(13.5, 4);
    drum.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(side);
    p.drawPath(drum);
    p.setBrush(Qt::NoBrush);
    for (qreal y : {6.7, 9.4}) p.drawArc(QRectF(2.5, y - 2, 11, 4), 180 * 16, 180 * 16);
    p.setBrush(amber.lighter(150));
    p.drawEllipse(QRectF(2.5, 2, 11, 4));
}

}  // namespace quorvane::paint
