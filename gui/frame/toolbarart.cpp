#include "gui/frame/toolbarart.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <array>
#include <vector>

namespace kdw {

namespace {

// The quoted strings of an XPM file's C array, comments skipped; none when a
// string holds an escape, which the reader's own parsing would treat apart.
QByteArrayList xpmStrings(const QByteArray &text)
{
    QByteArrayList strings;
    qsizetype i = text.indexOf('{');
    if (i < 0)
        return {};
    while (++i < text.size()) {
        if (text.at(i) == '/' && i + 1 < text.size() && text.at(i + 1) == '*') {
            i = text.indexOf("*/", i + 2);
            if (i < 0)
                return {};
            ++i;
        } else if (text.at(i) == '"') {
            const qsizetype end = text.indexOf('"', i + 1);
            if (end < 0)
                return {};
            strings.append(text.mid(i + 1, end - i - 1));
            if (strings.last().contains('\\'))
                return {};
            i = end;
        } else if (text.at(i) == '}') {
            break;
        }
    }
    return strings;
}

// Whether the strings hold what the header "width height colours
// characters-per-pixel" promises, so that the array reader reads only them.
bool holdsItsHeader(const QByteArrayList &strings)
{
    if (strings.isEmpty())
        return false;
    const QList<QByteArray> header = strings.first().simplified().split(' ');
    if (header.size() < 4)
        return false;
    bool ok[4] = {};
    const int width = header.at(0).toInt(&ok[0]);
    const int height = header.at(1).toInt(&ok[1]);
    const int colours = header.at(2).toInt(&ok[2]);
    const int perPixel = header.at(3).toInt(&ok[3]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || width <= 0 || height <= 0 || colours <= 0 || perPixel <= 0
        || perPixel > 4 || width > 4096 || height > 4096 || colours > 65536)
        return false;
    if (strings.size() < 1 + qsizetype(colours) + height)
        return false;
    for (qsizetype row = 1 + colours; row < 1 + colours + height; ++row) {
        if (strings.at(row).size() < qsizetype(width) * perPixel)
            return false;
    }
    return true;
}

// One character a pixel and colours as #RRGGBB or None, as the bundle's art
// has them: an indexed image with the colours in the order given, as Qt's
// reader makes it, read in one pass. Null for any other XPM.
QImage readPlainXpm(const QByteArrayList &strings)
{
    const QList<QByteArray> header = strings.first().simplified().split(' ');
    const int width = header.at(0).toInt();
    const int height = header.at(1).toInt();
    const int colours = header.at(2).toInt();
    if (header.at(3) != "1" || colours > 256)
        return {};
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    image.setColorCount(colours);
    std::array<int, 256> indexOf{};
    indexOf.fill(-1);
    for (int c = 0; c < colours; ++c) {
        const QByteArray &line = strings.at(1 + c);
        const QList<QByteArray> keys = line.mid(1).simplified().split(' ');
        if (line.size() < 2 || line.at(1) != ' ' || keys.size() != 2 || keys.at(0) != "c")
            return {};
        const auto key = uchar(line.at(0));
        if (indexOf.at(key) >= 0)
            return {};
        const QByteArray &value = keys.at(1);
        bool hex = value.size() == 7 && value.at(0) == '#';
        const uint rgb = hex ? value.mid(1).toUInt(&hex, 16) : 0;
        if (hex)
            image.setColor(c, 0xff000000U | rgb);
        else if (value.compare("None", Qt::CaseInsensitive) == 0)
            image.setColor(c, 0);
        else
            return {};
        indexOf.at(key) = c;
    }
    for (int y = 0; y < height; ++y) {
        const char *row = strings.at(1 + colours + y).constData();
        uchar *line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int index = indexOf.at(uchar(row[x]));
            if (index < 0)
                return {};
            line[x] = uchar(index);
        }
    }
    return image;
}

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
    QImage strip = readXpm(file).convertToFormat(QImage::Format_ARGB32);
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

QImage readXpm(const QString &file)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return QImage(file);
    const QByteArrayList strings = xpmStrings(source.readAll());
    if (!holdsItsHeader(strings))
        return QImage(file);
    QImage image = readPlainXpm(strings);
    if (image.isNull()) {
        std::vector<const char *> lines;
        lines.reserve(size_t(strings.size()));
        for (const QByteArray &line : strings)
            lines.push_back(line.constData());
        image = QImage(lines.data());
    }
    // The reader takes an "@2x" file for twice the density.
    static const bool plainDensity = !qEnvironmentVariableIsEmpty("QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING");
    const QString suffix = QFileInfo(file).baseName().right(3);
    if (!plainDensity && suffix.size() == 3 && suffix.at(0) == u'@' && suffix.at(1) >= u'2' && suffix.at(1) <= u'9'
        && suffix.at(2) == u'x')
        image.setDevicePixelRatio(suffix.at(1).unicode() - u'0');
    return image;
}

QIcon programIcon()
{
    const QString file = QStringLiteral(":/bundle/art/icon128.xpm");
    // On a denser screen an icon made from the file name also takes the
    // file's @2x drawing; on others it holds the file's one image.
    if (qApp->devicePixelRatio() > 1.0)
        return QIcon(file);
    return QIcon(QPixmap::fromImage(readXpm(file)));
}

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
