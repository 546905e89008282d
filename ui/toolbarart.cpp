#include "ui/toolbarart.h"

namespace kdw {

QList<QPixmap> toolbarImages()
{
    const QPixmap strip(QStringLiteral(":/bundle/art/toolbar128.xpm"));
    QList<QPixmap> images;
    for (int x = 0; x + ToolbarImageSize <= strip.width(); x += ToolbarImageSize)
        images.append(strip.copy(x, 0, ToolbarImageSize, ToolbarImageSize));
    return images;
}

} // namespace kdw
