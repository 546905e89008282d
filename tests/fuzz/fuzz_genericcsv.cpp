// Feeds arbitrary bytes as a generic channel CSV to the import over a plan of
// channels, placed by Location or in file order. A refused file leaves the
// image as it was; each row left out names its line and a reason; the rows
// taken hold frequencies inside the Frequency Range (never moved into it), and
// the export of the result, imported again, takes every row and changes nothing.
#include "core/channels/channelcodec.h"
#include "core/channels/genericcsv.h"
#include "core/image/regions.h"
#include "fuzzinput.h"

#include <QString>

#include <cstdint>

using namespace kdw;

namespace {

// Channels 1 and 3 in use (a name, Busy Lock and the bits the grid does not
// show that the import keeps), the rest empty.
MemoryImage startImage()
{
    MemoryImage image;
    image.fill(0xFF);
    image.copyIn(region::channelRecord(1),
                 QByteArrayView("\x00\x25\x21\x46\x00\x25\x21\x46\x85\x08\x23\x80\xED\x01\x02\x03", 16));
    image.copyIn(region::nameSlot(1), QByteArrayView("CH1\xFF\xFF\xFF\x11\x22", 8));
    image.copyIn(region::channelRecord(3),
                 QByteArrayView("\x00\x50\x00\x44\x25\x06\x45\x44\x54\xC7\xFF\xFF\xCA\xAA\xBB\xCC", 16));
    return image;
}

bool inRange(quint32 value, const FrequencyRange &range)
{
    return value >= range.lower && value <= range.upper;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const MemoryImage start = startImage();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const Language language = AllLanguages.at(size % AllLanguages.size());
    // A narrower range than the band on odd sizes, so the range is fuzzed at both.
    const FrequencyRange range = size % 2 ? FrequencyRange{43000000, 44000000} : FrequencyRange{};
    const GenericCsvOptions options
        = size % 3 ? GenericCsvOptions{} : GenericCsvOptions{GenericPlacement::InOrder, int(size % 99) + 1};
    const GenericCsvImport imported = importGenericChannelCsv(start, text, language, range, options);
    if (!imported) {
        fuzz::check(!imported.fault->reason.isEmpty() && imported.image == start);
        return 0;
    }
    for (const GenericCsvRefusal &row : imported.leftOut)
        fuzz::check(row.line >= 2 && !row.reason.isEmpty());
    int inUse = 0;
    for (int channel = 1; channel <= region::ChannelCount; ++channel) {
        if (isEmptyChannel(imported.image, channel))
            continue;
        ++inUse;
        const int base = region::channelRecord(channel);
        const quint32 tx = readFrequency(imported.image, base + record::TxFrequency);
        fuzz::check(inRange(readFrequency(imported.image, base + record::RxFrequency), range));
        fuzz::check(tx == 0 || inRange(tx, range));
    }
    fuzz::check(inUse == imported.taken);
    if (inUse == 0)
        return 0;
    const GenericCsvImport again
        = importGenericChannelCsv(imported.image, genericChannelCsv(imported.image), language, range);
    fuzz::check(bool(again) && again.leftOut.isEmpty() && again.changes.isEmpty() && again.image == imported.image);
    return 0;
}
