#include "widgets/TrendLabels.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace quorvane {

namespace {

QFont label_font(const TrendLook& look) {
    QFont font = look.font;
    if (font.pointSize() > 0) font.setPixelSize(font.pointSize());
    return font;
}

}  // namespace

void paint_value_label(QPainter& painter, const TrendLook& look, QPoint bottom_centre,
                       int64_t value, bool keep_inside) {
    const QString text = QString::number(value);
    const QFont font = label_font(look);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const bool rotated = look.options.has(toRotated);

    painter.save();
    painter.setFont(font);
    painter.setPen(look.font_color);
    QRect box;
    if (rotated) {
        int bottom = bottom_centre.y();
        if (keep_inside) bottom = std::max(bottom, width);
        painter.translate(bottom_centre.x() - height / 2, bottom);
        painter.rotate(-90);
        box = QRect(0, 0, width, height);
    } else {
        int top = bottom_centre.y() - height;
        if (keep_inside) top = std::max(top, 0);
        box = QRect(bottom_centre.x() - width / 2, top, width, height);
    }
    if (!look.options.has(toTransparent)) painter.fillRect(box, look.background);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace quorvane
