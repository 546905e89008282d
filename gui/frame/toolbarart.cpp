#include "gui/frame/toolbarart.h"

#include <QImage>
#include <QPixmap>

namespace kdw {

namespace {

// Black strokes turn light grey, navy ones light blue.
void lightenStrokes(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(line[x]);
            if (colour.alpha() == 0 || colour.red() != 0 || colour.green() != 0 || colour.blue() > 0x80)
                continue;
            line[x] = colour.blue() != 0 ? qRgb(0x8f, 0xb4, 0xff) : qRgb(0xe0, 0xe0, 0xe0);
        }
    }
}

// The strip of `scale` device pixels per image pixel, cut into its buttons.
// Read as an image: a pixmap would swap in the @2x file by itself.
QList<QPixmap> buttonImages(const QString &file, int scale, bool dark)
{
    QImage strip = QImage(file).convertToFormat(QImage::Format_ARGB32);
    if (dark)
        lightenStrokes(strip);
    const int size = ToolbarImageSize * scale;
    QList<QPixmap> images;
    for (int x = 0; x + size <= strip.width(); x += size) {
        QPixmap pixmap = QPixmap::fromImage(strip.copy(x, 0, size, size));
        pixmap.setDevicePixelRatio(scale);
        images.append(pixmap);
    }
    return images;
}

} // namespace

QList<QIcon> toolbarIcons(const QColor &background)
{
    const bool dark = background.lightness() < 128;
    const QList<QPixmap> single = buttonImages(QStringLiteral(":/bundle/art/toolbar128.xpm"), 1, dark);
    const QList<QPixmap> twice = buttonImages(QStringLiteral(":/bundle/art/toolbar128@2x.xpm"), 2, dark);
    QList<QIcon> icons;
    for (qsizetype i = 0; i < single.size(); ++i) {
        QIcon icon(single.at(i));
        if (i < twice.size())
            icon.addPixmap(twice.at(i));
        icons.append(icon);
    }
    return icons;
}

} // namespace kdw
