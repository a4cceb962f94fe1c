#include "ui/pictures/Pictures.h"

#include "ui/pictures/PictureFiles.h"

namespace quorvane {

using pictures::icon;

namespace {

// The sizes each icon carries, so that every place it is shown gets a picture drawn for it.
constexpr std::initializer_list<int> kToolbarSides = {32, 41, 48, 64};
constexpr std::initializer_list<int> kTraySides = {16, 22, 24, 32, 48, 64};
constexpr std::initializer_list<int> kSmallSides = {16, 20, 24, 32, 48};
constexpr std::initializer_list<int> kApplicationSides = {16, 22, 24, 32, 48, 64, 128, 256};

QIcon small_icon(const char* name) {
    return icon(QString::fromLatin1(name), kSmallSides);
}

}  // namespace

QIcon toolbar_picture(ToolbarPicture which) {
    const char* name = "toolbar-configure";
    switch (which) {
        case ToolbarPicture::Configure:
            name = "toolbar-configure";
            break;
        case ToolbarPicture::Meter:
            name = "toolbar-meter";
            break;
        case ToolbarPicture::Statistic:
            name = "toolbar-statistic";
            break;
        case ToolbarPicture::Help:
            name = "toolbar-help";
            break;
        case ToolbarPicture::Home:
            name = "toolbar-home";
            break;
        case ToolbarPicture::Exit:
            name = "toolbar-exit";
            break;
        case ToolbarPicture::TuneUp:
            name = "toolbar-tune-up";
            break;
    }
    return icon(QString::fromLatin1(name), kToolbarSides);
}

QIcon tray_picture(int index) {
    constexpr const char* names[] = {"tray-none", "tray-download", "tray-upload", "tray-both"};
    if (index < 0 || index > 3) index = 0;
    return icon(QString::fromLatin1(names[index]), kTraySides);
}

QIcon device_picture(int index) {
    constexpr const char* names[] = {"device-all", "device-modem", "device-ethernet",
                                     "device-loopback", "device-database"};
    if (index < 0 || index > 4) index = 0;
    return small_icon(names[index]);
}

QIcon filter_picture(FilterPicture which) {
    switch (which) {
        case FilterPicture::Erase:
            return small_icon("filter-erase");
        case FilterPicture::Export:
            return small_icon("filter-export");
        case FilterPicture::Chart:
            return small_icon("filter-chart");
        case FilterPicture::Show:
            break;
    }
    return small_icon("filter-show");
}

QPixmap banner_picture(const QSize& size) {
    return pictures::pixmap(QStringLiteral("banner"), size);
}

QPixmap logo_picture(int side) {
    return pictures::pixmap(QStringLiteral("logo"), QSize(side, side));
}

QIcon application_icon() {
    return icon(QStringLiteral("logo"), kApplicationSides);
}

QIcon close_picture() {
    return small_icon("close");
}

}  // namespace quorvane
