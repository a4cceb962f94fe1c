#include "ui/pictures/ConfigPictures.h"

#include "ui/pictures/PictureFiles.h"

namespace quorvane {

QIcon config_picture(ConfigPicture which) {
    const char* name = "config-refresh";
    switch (which) {
        case ConfigPicture::Refresh:
            name = "config-refresh";
            break;
        case ConfigPicture::Save:
            name = "config-save";
            break;
        case ConfigPicture::Delete:
            name = "config-delete";
            break;
        case ConfigPicture::Apply:
            name = "config-apply";
            break;
    }
    return pictures::icon(QString::fromLatin1(name), {16, 20, 24, 32, 48});
}

QPixmap tip_picture(int side) {
    return pictures::pixmap(QStringLiteral("tip-bulb"), QSize(side, side));
}

}  // namespace quorvane
