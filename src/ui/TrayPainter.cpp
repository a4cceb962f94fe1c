#include "ui/PictureCanvas.h"
#include "ui/PicturePainters.h"

namespace quorvane::paint {

using namespace canvas;

// Upload above, download below; an arrow is lit when its direction had traffic.
void tray(QPainter& p, bool download, bool upload) {
    auto arrow = [&p](const QRectF& box, bool up, bool lit) {
        const QColor tip = lit ? kYellow : QColor(150, 232, 140);
        const QColor tail = lit ? kOrange : kGreen.darker(115);
        p.setPen(QPen(lit ? kBrown : kDarkGreen, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(up ? vertical(box.top(), box.bottom(), tip, tail)
                      : vertical(box.top(), box.bottom(), tail, tip));
        p.drawPath(vertical_arrow(box, 4, 5, up));
    };
    arrow(QRectF(1.5, 0.5, 13, 7), true, upload);
    arrow(QRectF(1.5, 8.5, 13, 7), false, download);
}

}  // namespace quorvane::paint
