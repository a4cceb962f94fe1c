#pragma once

#include <initializer_list>

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quorvane::pictures {

// The program's pictures are SVG files built into the executable (svg/, under
// ":/pictures/"). Each is rendered once for each size it is asked for, and kept: a picture
// asked for again, as the tray's on every tick, costs a lookup.

// An icon with one pixmap for each side, drawn for that side.
QIcon icon(const QString& name, std::initializer_list<int> sides);
// One pixmap of the given size; the picture is stretched to it.
QPixmap pixmap(const QString& name, const QSize& size);

}  // namespace quorvane::pictures
