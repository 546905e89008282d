#include "testbytes.h"

#include "core/image/builtindefaults.h"
#include "core/image/regions.h"
#include "core/image/sinfile.h"
#include "core/image/transferranges.h"

#include <QTest>

namespace kdw::test {

MemoryImage overlay(MemoryImage base, const MemoryImage &source, const std::array<TransferRange, 5> &ranges)
{
    for (const TransferRange &r : ranges)
        base.copyIn(r.start, source.bytes(r.start, r.end - r.start));
    return base;
}

MemoryImage filledImage(quint8 value)
{
    MemoryImage image;
    image.fill(value);
    return image;
}

MemoryImage builtInDefaultsImage()
{
    MemoryImage image = filledImage(0xFF);
    applyBuiltInDefaults(image);
    return image;
}

MemoryImage factoryImage()
{
    MemoryImage image = filledImage(0xFF);
    const SinLoadResult factory = readSinFile(QStringLiteral(KDW_PROGRAM_DIR "/DEF_U01.sin"));
    if (factory.bytes)
        image.copyIn(*factory.bytes);
    else
        QTest::qFail("the build's DEF_U01.sin cannot be read", __FILE__, __LINE__);
    return image;
}

QByteArray patternBytes(int size, quint8 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int a = 0; a < size; ++a)
        bytes[a] = char((a * 31 + (a >> 8) * 7 + seed) & 0xFF);
    return bytes;
}

MemoryImage patternImage(quint8 seed)
{
    MemoryImage image;
    image.copyIn(patternBytes(MemoryImage::Size, seed));
    return image;
}

QStringList texts(QStringView joined)
{
    return joined.toString().split(u'|');
}

QByteArray writtenRanges(const QByteArray &memory)
{
    QByteArray bytes;
    for (const TransferRange &r : WriteRanges)
        bytes += memory.mid(r.start, r.end - r.start);
    return bytes;
}

QByteArray channelBytes(const MemoryImage &image, int channel)
{
    return image.bytes(region::channelRecord(channel), region::ChannelRecordSize)
           + image.bytes(region::nameSlot(channel), region::NameSlotSize);
}

QString firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (actual.at(i) != expected.at(i)) {
            return QStringLiteral("0x%1: %2 != %3")
                .arg(i, 4, 16, QLatin1Char('0'))
                .arg(quint8(actual.at(i)), 2, 16)
                .arg(quint8(expected.at(i)), 2, 16);
        }
    }
    return actual.size() == expected.size()
               ? QString()
               : QStringLiteral("%1 bytes, not %2").arg(actual.size()).arg(expected.size());
}

} // namespace kdw::test
