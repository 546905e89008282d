#pragma once

#include <QColor>
#include <QIcon>
#include <QList>

namespace kdw {

inline constexpr int ToolbarImageSize = 18;

// The nine button images of the bundle's toolbar strip (162 x 18, 16 colours),
// in button order, for a toolbar of the given background colour: on a dark
// one, the black and navy strokes are drawn light so they stand out. Each icon
// also holds the strip drawn at twice the size, for a screen of device pixel
// ratio 2 and above.
QList<QIcon> toolbarIcons(const QColor &background);

} // namespace kdw
