#pragma once

#include <QIcon>
#include <QPixmap>

namespace quorvane {

// The program's own pictures, SVG files built into the program: crisp at any size.
enum class ToolbarPicture { Configure, Meter, Statistic, Help, Home, Exit, TuneUp };
enum class FilterPicture { Erase, Export, Show, Chart };

// A toolbar button's picture, for a flat 41 by 41 button (drawn for 32 by 32 and larger).
QIcon toolbar_picture(ToolbarPicture which);
// The tray picture: 0 no traffic, 1 download, 2 upload, 3 both. Other values give 0.
QIcon tray_picture(int index);
// The device box's 16 by 16 pictures: 0 "All", 1 modem, 2 ethernet, 3 loopback,
// 4 database. Other values give 0.
QIcon device_picture(int index);
// The log filter's picture buttons: erase, export, show, chart.
QIcon filter_picture(FilterPicture which);
// The banner at the right of the toolbar, the product name with a traffic motif.
QPixmap banner_picture(const QSize& size);
// The logo of the about box and the window icon.
QPixmap logo_picture(int side);
QIcon application_icon();
// The about box's close button.
QIcon close_picture();

}  // namespace quorvane
