#include <cmath>

#include <QtMath>

#include "ui/PictureCanvas.h"
#include "ui/PicturePainters.h"

namespace quorvane::paint {

using namespace canvas;

namespace {

// A gear wheel with a hole in its middle.
QPainterPath gear(QPointF centre, qreal outer, qreal root, int teeth, qreal hole) {
    auto at = [&](qreal degrees, qreal radius) {
        const qreal a = qDegreesToRadians(degrees);
        return QPointF(centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a));
    };
    const qreal step = 360.0 / teeth;
    QPainterPath path;
    for (int k = 0; k < teeth; ++k) {
        const qreal a = k * step + step / 4;
        const QPointF first = at(a - step * 0.30, root);
        if (k == 0)
            path.moveTo(first);
        else
            path.lineTo(first);
        path.lineTo(at(a - step * 0.16, outer));
        path.lineTo(at(a + step * 0.16, outer));
        path.lineTo(at(a + step * 0.30, root));
    }
    path.closeSubpath();
    path.addEllipse(centre, hole, hole);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

}  // namespace

void configure(QPainter& p) {
    p.setPen(QPen(kBrown, 1));
    p.setBrush(vertical(16, 32, kYellow, kOrange));
    p.drawPath(gear({24, 24}, 7.2, 5.4, 7, 1.8));
    p.setPen(QPen(kNavy, 1.1));
    p.setBrush(vertical(1, 25, QColor(176, 196, 226), kSteel));
    p.drawPath(gear({13, 13}, 12, 9.4, 8, 3.6));
}

void meter(QPainter& p) {
    const QPointF centre(16, 17);
    p.setPen(QPen(kNavy, 1.6));
    p.setBrush(vertical(3, 31, Qt::white, kSilver));
    p.drawEllipse(centre, 13.5, 13.5);
    // The scale runs from the lower left over the top to the lower right.
    const QRectF band(6, 7, 20, 20);
    const struct {
        QColor colour;
        int from;
    } parts[] = {{kGreen, 210}, {kYellow, 130}, {kRed, 50}};
    for (const auto& part : parts) {
        p.setPen(QPen(part.colour, 3.2, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(band, part.from * 16, -80 * 16);
    }
    const qreal needle = qDegreesToRadians(62.0);
    p.setPen(round_pen(kRed.darker(130), 2));
    p.drawLine(centre, centre + QPointF(9.5 * std::cos(needle), -9.5 * std::sin(needle)));
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawEllipse(centre, 2.4, 2.4);
    p.drawRoundedRect(QRectF(11.5, 22.5, 9, 3.5), 1, 1);
}

void statistic(QPainter& p) {
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(vertical(2, 30, Qt::white, QColor(234, 240, 250)));
    p.drawRoundedRect(QRectF(4.5, 2.5, 23, 27), 2, 2);
    p.setPen(round_pen(kSteel, 1.6));
    p.drawLine(QPointF(8.5, 7), QPointF(23.5, 7));
    p.drawLine(QPointF(8.5, 10.5), QPointF(17.5, 10.5));
    const struct {
        QRectF bar;
        QColor colour;
    } bars[] = {{{8.5, 17, 4, 9}, kBlue}, {{14, 13, 4, 13}, kOrange}, {{19.5, 19, 4, 7}, kGreen}};
    for (const auto& bar : bars) {
        p.setPen(QPen(bar.colour.darker(150), 0.8));
        p.setBrush(bar.colour);
        p.drawRect(bar.bar);
    }
    p.setPen(QPen(kNavy, 1.2));
    p.drawLine(QPointF(7.5, 26), QPointF(24.5, 26));
}

void help(QPainter& p) {
    QRadialGradient ball(QPointF(12, 10), 18);
    ball.setColorAt(0, QColor(120, 172, 255));
    ball.setColorAt(1, kNavy);
    p.setPen(QPen(kNavy.darker(130), 1));
    p.setBrush(ball);
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    QPainterPath mark;
    const QRectF bow(11, 7.5, 10, 10);
    mark.arcMoveTo(bow, 165);
    mark.arcTo(bow, 165, -225);
    mark.quadTo(QPointF(16, 17.5), QPointF(16, 20.5));
    p.setPen(round_pen(Qt::white, 3.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 25.2), 2.1, 2.1);
}

void home(QPainter& p) {
    const QColor roof(224, 84, 56);
    const QColor roof_edge(122, 30, 18);
    p.setPen(QPen(roof_edge, 1));
    p.setBrush(roof.darker(115));
    p.drawRect(QRectF(21, 5.5, 3.5, 7));
    p.setPen(QPen(QColor(138, 106, 64), 1.1));
    p.setBrush(kCream);
    p.drawRect(QRectF(6.5, 14.5, 19, 14.5));
    p.setPen(QPen(roof_edge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(3, 16, roof.lighter(120), roof.darker(120)));
    p.drawPolygon(QPolygonF({{16, 3}, {30, 16}, {2, 16}}));
    p.setPen(QPen(kNavy.darker(120), 0.8));
    p.setBrush(kNavy);
    p.drawRect(QRectF(11, 20, 5.5, 9));
    p.setBrush(kSky);
    p.drawRect(QRectF(19.5, 18.5, 4.5, 4.5));
    p.drawLine(QPointF(21.75, 18.5), QPointF(21.75, 23));
    p.drawLine(QPointF(19.5, 20.75), QPointF(24, 20.75));
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(15, 24.5), 0.8, 0.8);
}

void exit(QPainter& p) {
    const QColor wood(201, 138, 74);
    const QColor edge(90, 58, 26);
    p.setPen(QPen(edge, 1.4));
    p.setBrush(vertical(3, 29, Qt::white, kSky));
    p.drawRect(QRectF(3.5, 3.5, 13, 25));
    p.setPen(QPen(edge, 1));
    p.setBrush(vertical(4, 30, wood, wood.darker(150)));
    p.drawPolygon(QPolygonF({{3.5, 3.5}, {11, 6}, {11, 30.5}, {3.5, 28.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(9.4, 17.5), 1, 1);
    p.setPen(round_pen(kRed, 3.6));
    p.drawLine(QPointF(14.5, 17), QPointF(23.5, 17));
    p.setPen(QPen(kRed, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({{30, 17}, {22.5, 10.5}, {22.5, 23.5}}));
}

void tune_up(QPainter& p) {
    p.setPen(round_pen(kSteel, 2));
    for (qreal x : {9.0, 16.0, 23.0}) p.drawLine(QPointF(x, 4.5), QPointF(x, 27.5));
    const struct {
        QPointF centre;
        QColor colour;
    } knobs[] = {{{9, 20}, kBlue}, {{16, 10}, kOrange}, {{23, 16}, kGreen}};
    for (const auto& knob : knobs) {
        p.setPen(QPen(knob.colour.darker(160), 1));
        p.setBrush(vertical(knob.centre.y() - 2.5, knob.centre.y() + 2.5, knob.colour.lighter(130),
                            knob.colour));
        p.drawRoundedRect(QRectF(knob.centre - QPointF(3.8, 2.5), QSizeF(7.6, 5)), 1.2, 1.2);
    }
}

}  // namespace quorvane::paint
