#pragma once

#include <QList>
#include <QPixmap>

namespace kdw {

inline constexpr int ToolbarImageSize = 18;

// The nine button images of the bundle's toolbar strip (162 x 18, 16 colours),
// in button order.
QList<QPixmap> toolbarImages();

} // namespace kdw
