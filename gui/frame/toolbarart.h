#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QString>

namespace kdw {

inline constexpr int ToolbarImageSize = 18;

// The nine button images of the bundle's toolbar strip (162 x 18, 16 colours),
// in button order, for a toolbar of the given background colour: on a dark
// one, the black and navy strokes are drawn light so they stand out. Each icon
// also holds the strip drawn at twice the size, for a screen of device pixel
// ratio 2 and above.
QList<QIcon> toolbarIcons(const QColor &background);

// An XPM file of the bundle as Qt's XPM reader reads it, without an image
// reader: one would first load every image format plugin to ask each whether
// it knows the file. A file whose strings do not hold the rows and colours its
// header gives is left to the image reader, which refuses it as before.
QImage readXpm(const QString &file);

// The window's icon: the bundle's icon file, as an icon made from its name.
QIcon programIcon();

} // namespace kdw
