#include "core/image/builtindefaults.h"

#include "core/image/regions.h"
#include "core/program/userfiles.h"

#include <QFile>

#include <utility>

namespace kdw {

void applyBuiltInDefaults(MemoryImage &image)
{
    static constexpr std::pair<int, quint8> bytes[] = {
        {0x063C, 0x3C}, {0x1810, 0x94}, // PTT ID display off, key lock manual, backlight auto, scan CO, names off
        {0x1811, 0xFF},                 // battery save, beep, single radio on
        {0x1812, 0xF9},                 // STE 120 phase shift, reverse off
        {0x1813, 0xFC},                 // emergency call off
        {0x1814, 0x05},                 // SQL 5
        {0x1815, 0x00},                 // VOX off
        {0x1816, 0x04},                 // step 25 kHz
        {0x1818, 0xFD},                 // manual power on, password off, frequency mode on, radio on
        {0x1819, 0x02},                 // first digit delay 100 ms
        {0x181A, 0x02},                 // digit interval 75 ms
        {0x181B, 0x02},                 // digit delay 75 ms
        {0x181C, 0x03},                 // VOX delay 1.5 s
        {0x181D, 0xFF},                 // side tone on
        {0x1821, 0x00},                 // APO off
        {0x1822, 0x00},                 // priority channel off
        {0x1824, 0x02},                 // TOT 60 s
        {0x1829, 0x00},                 // receive alarm off
        {0x182D, 0xFF}, {0x1D40, 0xFC}, // PTT ID off
    };
    for (const auto &[offset, value] : bytes)
        image.setByte(offset, value);

    image.copyIn(region::ModelName, QByteArrayView("KDW417", region::ModelNameLength));
    // Default power-on password 000000 (digit values, one per byte); the
    // password switch is off.
    for (int i = 0; i < region::PowerOnPasswordLength; ++i)
        image.setByte(region::PowerOnPassword + i, 0x00);
}

void makeNewImage(MemoryImage &image, const QString &programDirectory)
{
    image.fill(0xFF);
    QFile file(lookUpUserFile(programDirectory, DefaultFileName.toString()));
    if (file.open(QIODevice::ReadOnly))
        image.copyIn(file.read(MemoryImage::Size));
    else
        applyBuiltInDefaults(image);
}

} // namespace kdw
