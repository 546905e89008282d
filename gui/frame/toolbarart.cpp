#include "gui/frame/toolbarart.h"

#include <QImage>

namespace kdw {

QList<QPixmap> toolbarImages()
{
    const QPixmap strip(QStringLiteral(":/bundle/art/toolbar128.xpm"));
    QList<QPixmap> images;
    for (int x = 0; x + ToolbarImageSize <= strip.width(); x += ToolbarImageSize)
        images.append(strip.copy(x, 0, ToolbarImageSize, ToolbarImageSize));
    return images;
}

QList<QPixmap> toolbarImages(const QColor &background)
{
    QList<QPixmap> images = toolbarImages();
    if (background.lightness() >= 128)
        return images;
    for (QPixmap &pixmap : images) {
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = QColor::fromRgba(line[x]);
                // Black strokes turn light grey, navy ones light blue.
                if (colour.alpha() == 0 || colour.red() != 0 || colour.green() != 0 || colour.blue() > 0x80)
                    continue;
                line[x] = colour.blue() != 0 ? qRgb(0x8f, 0xb4, 0xff) : qRgb(0xe0, 0xe0, 0xe0);
            }
        }
        pixmap = QPixmap::fromImage(image);
    }
    return images;
}

} // namespace kdw
