#pragma once

#include <QIcon>
#include <QPixmap>

namespace quorvane {

// The pictures of the configuration dialog's and the tip window's buttons, SVG files like the
// program's other pictures.
enum class ConfigPicture { Refresh, Save, Delete, Apply };

// A 16 by 16 button picture (drawn also for larger sides).
QIcon config_picture(ConfigPicture which);
// The tip window's light bulb.
QPixmap tip_picture(int side);

}  // namespace quorvane
