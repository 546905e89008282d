// Cuts a channel CSV of either format that imports whole at a few places
// chosen by the input. A part that ends at a line end imports exactly the
// rows it holds (a channel it does not list is empty) or, holding no row, is
// refused; a part that ends anywhere inside a line is refused.
#include "core/channels/channelcodec.h"
#include "core/channels/csvfile.h"
#include "core/image/regions.h"
#include "core/text/csv.h"
#include "fuzzinput.h"

#include <QHash>
#include <QString>

#include <cstdint>

using namespace kdw;

namespace {

// True when the first `length` characters end with a line break outside quotes.
bool endsAtLineEnd(QStringView text, qsizetype length)
{
    if (length == 0 || (text[length - 1] != u'\n' && text[length - 1] != u'\r'))
        return false;
    return text.left(length).count(u'"') % 2 == 0;
}

// The channels the rows below the header name: the first cell of a grid row,
// the Location cell of a generic one.
QList<int> listedChannels(QStringView text)
{
    const CsvParseResult csv = parseCsv(text);
    QList<int> channels;
    const qsizetype column = csv.records.value(0).fields.indexOf(QStringLiteral("Location"));
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        if (!isBlankRecord(csv.records.at(r)))
            channels.append(csv.records.at(r).fields.value(std::max<qsizetype>(column, 0)).toInt());
    }
    return channels;
}

bool sameChannel(const MemoryImage &a, const MemoryImage &b, int n)
{
    return a.bytes(region::channelRecord(n), region::ChannelRecordSize)
               == b.bytes(region::channelRecord(n), region::ChannelRecordSize)
           && a.bytes(region::nameSlot(n), region::NameSlotSize) == b.bytes(region::nameSlot(n), region::NameSlotSize);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    MemoryImage start;
    start.fill(0xFF);
    const ChannelCsvImport whole = importChannelCsv(start, text, std::nullopt, Language::Eng, FrequencyRange{});
    if (!whole)
        return 0;
    const uint32_t seed = qHash(text);
    for (uint32_t k = 1; k <= 4; ++k) {
        const qsizetype cut = qsizetype((seed * k + k * 7919) % uint32_t(text.size()));
        const QString part = text.left(cut);
        const ChannelCsvImport imported = importChannelCsv(start, part, whole.format, Language::Eng, FrequencyRange{});
        if (!endsAtLineEnd(text, cut)) {
            fuzz::check(!imported && imported.image == start);
            continue;
        }
        const QList<int> listed = listedChannels(part);
        fuzz::check(bool(imported) == !listed.isEmpty());
        if (!imported)
            continue;
        for (int n = 1; n <= region::ChannelCount; ++n)
            fuzz::check(listed.contains(n) ? sameChannel(imported.image, whole.image, n)
                                           : isEmptyChannel(imported.image, n));
    }
    return 0;
}
