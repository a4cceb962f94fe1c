#include <QFont>
#include <QFontMetricsF>

#include "ui/PictureCanvas.h"
#include "ui/PicturePainters.h"

namespace quorvane::paint {

using namespace canvas;

namespace {

// Two traffic curves, read from the left: the rates of a few seconds, from 0 to 1.
constexpr qreal kDownload[] = {0.20, 0.35, 0.30, 0.55, 0.45, 0.70, 0.60, 0.40, 0.50, 0.80,
                               0.65, 0.90, 0.75, 0.55, 0.70, 0.95, 0.80, 0.60, 0.85, 0.70};
constexpr qreal kUpload[] = {0.10, 0.15, 0.12, 0.25, 0.20, 0.30, 0.22, 0.18, 0.28, 0.35,
                             0.25, 0.40, 0.30, 0.22, 0.32, 0.45, 0.35, 0.25, 0.38, 0.30};
constexpr int kPoints = sizeof(kDownload) / sizeof(kDownload[0]);

QPainterPath curve(const qreal (&values)[kPoints], const QRectF& area) {
    QPainterPath path;
    const qreal step = area.width() / (kPoints - 1);
    for (int k = 0; k < kPoints; ++k) {
        const QPointF point(area.left() + k * step, area.bottom() - values[k] * area.height());
        if (k == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

// A colour that fades in from the left of the area and out at its right.
QLinearGradient fading(const QRectF& area, QColor colour) {
    QLinearGradient gradient(area.left(), 0, area.right(), 0);
    const int alpha = colour.alpha();
    colour.setAlpha(0);
    gradient.setColorAt(0, colour);
    gradient.setColorAt(1, colour);
    colour.setAlpha(alpha);
    gradient.setColorAt(0.7, colour);
    return gradient;
}

}  // namespace

void logo(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(2, 62, QColor(84, 146, 242), kNavy));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3.5, 3.5, 57, 57), 12, 12);
    // A meter's dial, open at the bottom, its last stretch lit; the traffic arrows inside.
    const QRectF dial(12, 12, 40, 40);
    p.setPen(round_pen(Qt::white, 6));
    p.drawArc(dial, 225 * 16, -210 * 16);
    p.setPen(round_pen(kOrange, 6));
    p.drawArc(dial, 15 * 16, -60 * 16);
    p.setPen(QPen(kBrown, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(vertical(20, 44, kYellow, kOrange));
    p.drawPath(vertical_arrow(QRectF(21.5, 20, 10, 24), 9, 4.5, true));
    p.setPen(QPen(kDarkGreen, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(vertical(20, 44, kGreen, QColor(150, 232, 140)));
    p.drawPath(vertical_arrow(QRectF(32.5, 20, 10, 24), 9, 4.5, false));
}

void banner(QPainter& p, const QSize& size) {
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal unit = h / 45;
    p.fillRect(QRectF(0, 0, w, h), kWindow);

    // The name at the right, with the tray's two arrows before it.
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(qMax(1, qRound(24 * unit)));
    const QString name = "Quorvane";
    const qreal right = w - 10 * unit;
    const QPointF at(right - QFontMetricsF(font).horizontalAdvance(name), 28 * unit);
    const qreal arrows_left = at.x() - 19 * unit;

    // The traffic motif: a download area and an upload line, fading in from the left and
    // out before the arrows.
    const QRectF graph(0, h * 0.18, qMax(0.0, arrows_left - 4 * unit), h * 0.78);
    QPainterPath area = curve(kDownload, graph);
    const QPainterPath rim = area;
    area.lineTo(graph.right(), h);
    area.lineTo(graph.left(), h);
    area.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(fading(graph, QColor(kSky.red(), kSky.green(), kSky.blue(), 200)));
    p.drawPath(area);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(fading(graph, kBlue)), 1.4 * unit));
    p.drawPath(rim);
    p.setPen(QPen(QBrush(fading(graph, kOrange)), 1.2 * unit));
    p.drawPath(curve(kUpload, graph));

    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(at + QPointF(unit, unit), name);
    p.setPen(kNavy);
    p.drawText(at, name);

    QFont small("DejaVu Sans");
    small.setPixelSize(qMax(1, qRound(9 * unit)));
    const QString line = "network usage meter";
    p.setFont(small);
    p.setPen(kSteel);
    p.drawText(QPointF(right - QFontMetricsF(small).horizontalAdvance(line), 40 * unit), line);

    p.setPen(QPen(kBrown, unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(vertical(8 * unit, 20 * unit, kYellow, kOrange));
    p.drawPath(vertical_arrow(QRectF(arrows_left, 8 * unit, 11 * unit, 12 * unit), 6 * unit,
                              5 * unit, true));
    p.setPen(QPen(kDarkGreen, unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(vertical(22 * unit, 34 * unit, kGreen, QColor(150, 232, 140)));
    p.drawPath(vertical_arrow(QRectF(arrows_left, 22 * unit, 11 * unit, 12 * unit), 6 * unit,
                              5 * unit, false));
}

}  // namespace quorvane::paint
