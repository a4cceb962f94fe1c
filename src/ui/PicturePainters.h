#pragma once

#include <QPainter>
#include <QSize>

// The painters behind the program's pictures. Each draws into a design square whose
// side is given with its group; the canvas scales it to the pixmap's size.
namespace quorvane::paint {

// The toolbar's pictures, in a square of 32 units.
inline constexpr qreal kToolbarDesign = 32;
void configure(QPainter& p);
void meter(QPainter& p);
void statistic(QPainter& p);
void help(QPainter& p);
void home(QPainter& p);
void exit(QPainter& p);
void tune_up(QPainter& p);

// The small pictures (tray, device box, filter buttons, the about box's close button),
// in a square of 16 units.
inline constexpr qreal kSmallDesign = 16;
void tray(QPainter& p, bool download, bool upload);
void device_all(QPainter& p);
void device_modem(QPainter& p);
void device_ethernet(QPainter& p);
void device_loopback(QPainter& p);
void device_database(QPainter& p);
void erase(QPainter& p);
void export_report(QPainter& p);
void show_log(QPainter& p);
void close_box(QPainter& p);

// The logo, in a square of 64 units.
inline constexpr qreal kLogoDesign = 64;
void logo(QPainter& p);

// The toolbar's banner, in pixels of the given size.
void banner(QPainter& p, const QSize& size);

}  // namespace quorvane::paint
