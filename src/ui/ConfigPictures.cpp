#include "ui/ConfigPictures.h"

#include "ui/PictureCanvas.h"

namespace quorvane {

using namespace canvas;

namespace {

constexpr qreal kDesign = 16;
constexpr std::initializer_list<int> kSides = {16, 20, 24, 32, 48};

// Refresh: two arrows chasing each other round a circle.
void refresh(QPainter& p) {
    p.setPen(round_pen(kBlue, 2));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(2.5, 2.5, 11, 11);
    p.drawArc(ring, 30 * 16, 150 * 16);
    p.drawArc(ring, 210 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawPolygon(QPolygonF({{1, 5.5}, {5.5, 5.5}, {2.2, 9.2}}));
    p.drawPolygon(QPolygonF({{15, 10.5}, {10.5, 10.5}, {13.8, 6.8}}));
}

// Save: a diskette.
void save(QPainter& p) {
    p.setPen(QPen(kNavy, 1));
    p.setBrush(vertical(1, 15, kBlue.lighter(130), kBlue));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(kSteel);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(9, 2.5, 2, 3));
    p.setBrush(kSilver);
    p.setPen(QPen(kNavy, 0.8));
    p.drawRect(QRectF(3.5, 9, 9, 5.5));
}

// Delete: a red cross.
void remove(QPainter& p) {
    p.setPen(round_pen(kRed.darker(130), 4.2));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    p.setPen(round_pen(kRed.lighter(115), 2.6));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// Apply: a green tick.
void apply(QPainter& p) {
    p.setPen(round_pen(kDarkGreen, 3.6));
    p.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
    p.setPen(round_pen(kGreen, 2));
    p.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
}

// The tip's light bulb, in a square of 32 units.
void bulb(QPainter& p) {
    QRadialGradient glass(QPointF(13, 10), 12);
    glass.setColorAt(0, Qt::white);
    glass.setColorAt(0.35, kYellow);
    glass.setColorAt(1, kOrange);
    p.setPen(QPen(kBrown, 1.2));
    p.setBrush(glass);
    QPainterPath shape;
    shape.moveTo(11, 21);
    shape.cubicTo(11, 17, 5, 15, 5, 10.5);
    shape.cubicTo(5, 5, 10, 1.5, 16, 1.5);
    shape.cubicTo(22, 1.5, 27, 5, 27, 10.5);
    shape.cubicTo(27, 15, 21, 17, 21, 21);
    shape.closeSubpath();
    p.drawPath(shape);
    p.setBrush(vertical(21, 28, kSilver, kSteel));
    p.setPen(QPen(kSteel.darker(130), 1));
    p.drawRoundedRect(QRectF(11, 21, 10, 6), 1.5, 1.5);
    p.drawLine(QPointF(11.5, 23.5), QPointF(20.5, 23.5));
    p.setBrush(kSteel.darker(130));
    p.drawRoundedRect(QRectF(13.5, 27, 5, 3), 1.5, 1.5);
    p.setPen(round_pen(kBrown, 1));
    p.drawPolyline(QPolygonF({{13, 20}, {14.5, 13}, {16, 15}, {17.5, 13}, {19, 20}}));
}

}  // namespace

QIcon config_picture(ConfigPicture which) {
    void (*painter)(QPainter&) = refresh;
    switch (which) {
        case ConfigPicture::Refresh:
            painter = refresh;
            break;
        case ConfigPicture::Save:
            painter = save;
            break;
        case ConfigPicture::Delete:
            painter = remove;
            break;
        case ConfigPicture::Apply:
            painter = apply;
            break;
    }
    return square_icon(kSides, kDesign, painter);
}

QPixmap tip_picture(int side) {
    return square_pixmap(side, 32, bulb);
}

}  // namespace quorvane
