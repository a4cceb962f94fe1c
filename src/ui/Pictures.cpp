#include "ui/Pictures.h"

#include "ui/PictureCanvas.h"
#include "ui/PicturePainters.h"

namespace quorvane {

using canvas::square_icon;

namespace {

// The sizes each icon carries, so that every place it is shown gets a picture drawn for it.
constexpr std::initializer_list<int> kToolbarSides = {32, 41, 48, 64};
constexpr std::initializer_list<int> kTraySides = {16, 22, 24, 32, 48, 64};
constexpr std::initializer_list<int> kSmallSides = {16, 20, 24, 32, 48};
constexpr std::initializer_list<int> kApplicationSides = {16, 22, 24, 32, 48, 64, 128, 256};

using Painter = void (*)(QPainter&);

QIcon small_icon(Painter painter) {
    return square_icon(kSmallSides, paint::kSmallDesign, painter);
}

}  // namespace

QIcon toolbar_picture(ToolbarPicture which) {
    Painter painter = paint::configure;
    switch (which) {
        case ToolbarPicture::Configure:
            painter = paint::configure;
            break;
        case ToolbarPicture::Meter:
            painter = paint::meter;
            break;
        case ToolbarPicture::Statistic:
            painter = paint::statistic;
            break;
        case ToolbarPicture::Help:
            painter = paint::help;
            break;
        case ToolbarPicture::Home:
            painter = paint::home;
            break;
        case ToolbarPicture::Exit:
            painter = paint::exit;
            break;
        case ToolbarPicture::TuneUp:
            painter = paint::tune_up;
            break;
    }
    return square_icon(kToolbarSides, paint::kToolbarDesign, painter);
}

QIcon tray_picture(int index) {
    if (index < 0 || index > 3) index = 0;
    const bool download = index == 1 || index == 3;
    const bool upload = index == 2 || index == 3;
    return square_icon(kTraySides, paint::kSmallDesign,
                       [=](QPainter& p) { paint::tray(p, download, upload); });
}

QIcon device_picture(int index) {
    constexpr Painter painters[] = {paint::device_all, paint::device_modem, paint::device_ethernet,
                                    paint::device_loopback, paint::device_database};
    if (index < 0 || index > 4) index = 0;
    return small_icon(painters[index]);
}

QIcon filter_picture(FilterPicture which) {
    switch (which) {
        case FilterPicture::Erase:
            return small_icon(paint::erase);
        case FilterPicture::Export:
            return small_icon(paint::export_report);
        case FilterPicture::Show:
            break;
    }
    return small_icon(paint::show_log);
}

QPixmap banner_picture(const QSize& size) {
    QPixmap pixmap(size);
    if (pixmap.isNull()) return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint::banner(painter, size);
    return pixmap;
}

QPixmap logo_picture(int side) {
    return canvas::square_pixmap(side, paint::kLogoDesign, paint::logo);
}

QIcon application_icon() {
    return square_icon(kApplicationSides, paint::kLogoDesign, paint::logo);
}

QIcon close_picture() {
    return small_icon(paint::close_box);
}

}  // namespace quorvane
