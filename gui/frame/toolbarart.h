#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>

namespace kdw {

inline constexpr int ToolbarImageSize = 18;

// The nine button images of the bundle's toolbar strip (162 x 18, 16 colours),
// in button order.
QList<QPixmap> toolbarImages();

// The same images for a toolbar of the given background colour: on a dark
// one, the black and navy strokes are drawn light so they stand out.
QList<QPixmap> toolbarImages(const QColor &background);

} // namespace kdw
