#include "core/channels/channelrows.h"

#include "core/channels/cellcommit.h"
#include "core/channels/channelcodec.h"
#include "core/image/regions.h"
#include "core/text/csv.h"
#include "core/text/localisedtext.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace kdw {

namespace {

constexpr LocalisedText PastLastChannel{u"there is no channel after 99", u"99 之后没有信道", u"99 之後沒有信道"};

// A channel's record and name slot together.
struct ChannelBytes
{
    std::array<quint8, region::ChannelRecordSize> record;
    std::array<quint8, region::NameSlotSize> name;
};

ChannelBytes takeChannel(const MemoryImage &image, int channel)
{
    ChannelBytes bytes;
    for (int k = 0; k < region::ChannelRecordSize; ++k)
        bytes.record[std::size_t(k)] = image.byte(region::channelRecord(channel) + k);
    for (int k = 0; k < region::NameSlotSize; ++k)
        bytes.name[std::size_t(k)] = image.byte(region::nameSlot(channel) + k);
    return bytes;
}

void putChannel(MemoryImage &image, int channel, const ChannelBytes &bytes)
{
    for (int k = 0; k < region::ChannelRecordSize; ++k)
        image.setByte(region::channelRecord(channel) + k, bytes.record[std::size_t(k)]);
    for (int k = 0; k < region::NameSlotSize; ++k)
        image.setByte(region::nameSlot(channel) + k, bytes.name[std::size_t(k)]);
}

bool isChannel(int channel)
{
    return channel >= 1 && channel <= region::ChannelCount;
}

// A spreadsheet puts a cell holding a tab, a line break or a quote in quotes
// and doubles the quotes inside.
QString unquoted(QStringView cell)
{
    if (cell.size() < 2 || !cell.startsWith(u'"') || !cell.endsWith(u'"'))
        return cell.toString();
    return cell.mid(1, cell.size() - 2).toString().replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

QList<QStringView> pastedLines(QStringView text)
{
    QList<QStringView> lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast(); // the line break after the last line
    return lines;
}

} // namespace

void emptyChannels(MemoryImage &image, const QList<int> &channels)
{
    for (int channel : channels) {
        if (!isChannel(channel))
            continue;
        for (int k = 0; k < region::ChannelRecordSize; ++k)
            image.setByte(region::channelRecord(channel) + k, 0xFF);
    }
}

bool insertChannel(MemoryImage &image, int at)
{
    if (!isChannel(at) || !isEmptyChannel(image, region::ChannelCount))
        return false;
    for (int channel = region::ChannelCount; channel > at; --channel)
        putChannel(image, channel, takeChannel(image, channel - 1));
    ChannelBytes blank;
    blank.record.fill(0xFF);
    blank.name.fill(0xFF);
    putChannel(image, at, blank);
    return true;
}

bool deleteChannels(MemoryImage &image, const QList<int> &channels)
{
    if (channels.isEmpty() || !std::all_of(channels.begin(), channels.end(), isChannel))
        return false;
    QList<ChannelBytes> kept;
    for (int channel = 1; channel <= region::ChannelCount; ++channel) {
        if (!channels.contains(channel))
            kept.append(takeChannel(image, channel));
    }
    ChannelBytes blank;
    blank.record.fill(0xFF);
    blank.name.fill(0xFF);
    for (int channel = 1; channel <= region::ChannelCount; ++channel)
        putChannel(image, channel, channel <= kept.size() ? kept.at(channel - 1) : blank);
    return true;
}

bool moveChannels(MemoryImage &image, const QList<int> &channels, int delta, QList<int> *moved)
{
    QList<int> sorted = channels;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.isEmpty() || (delta != -1 && delta != 1) || !isChannel(sorted.first() + delta)
        || !isChannel(sorted.last() + delta))
        return false;
    // Moving up, the topmost goes first, so each swaps with a neighbour that
    // stays; moving down, the lowest first.
    if (delta > 0)
        std::reverse(sorted.begin(), sorted.end());
    QList<int> result;
    for (int channel : sorted) {
        const ChannelBytes neighbour = takeChannel(image, channel + delta);
        putChannel(image, channel + delta, takeChannel(image, channel));
        putChannel(image, channel, neighbour);
        result.append(channel + delta);
    }
    std::sort(result.begin(), result.end());
    if (moved)
        *moved = result;
    return true;
}

bool arrangeChannels(MemoryImage &image, const QList<int> &places, const QList<int> &sources)
{
    QList<int> a = places;
    QList<int> b = sources;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    const bool valid = std::all_of(a.cbegin(), a.cend(), isChannel);
    if (a != b || !valid || std::adjacent_find(a.cbegin(), a.cend()) != a.cend())
        return false;
    // Taken whole before any is put back, so no channel is read after it was overwritten.
    QList<ChannelBytes> taken;
    taken.reserve(sources.size());
    for (int channel : sources)
        taken.append(takeChannel(image, channel));
    for (qsizetype i = 0; i < places.size(); ++i)
        putChannel(image, places.at(i), taken.at(i));
    return true;
}

QString channelRowsText(const MemoryImage &image, const QList<int> &channels, Language language)
{
    QString text;
    for (int channel : channels) {
        if (!isChannel(channel))
            continue;
        QStringList cells{QString::number(channel)};
        for (const QString &cell : channelTexts(image, channel, language))
            cells.append(cell);
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

bool holdsChannelRows(QStringView text)
{
    return text.contains(u'\t') || pastedLines(text).size() > 1;
}

PasteResult pasteChannelRows(MemoryImage &image, int first, QStringView text, Language language,
                             const FrequencyRange &range)
{
    PasteResult result;
    const QList<QStringView> lines = pastedLines(text);
    MemoryImage pasted = image;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int line = int(i + 1);
        int rxFreqColumn = 1;
        const auto fail = [&result, line, &rxFreqColumn](int column, const QString &message) {
            result.channels.clear();
            result.changes.clear();
            result.fault = PasteFault{line, column, rxFreqColumn, message};
            return result;
        };
        QStringView lineText = lines.at(i);
        if (lineText.endsWith(u'\r'))
            lineText.chop(1);
        QStringList cells;
        for (QStringView cell : lineText.split(u'\t'))
            cells.append(unquoted(cell));
        if (cells.size() > 1 + ChannelFieldCount)
            return fail(0, rowtext::TooManyCells.text(language));
        if (cells.size() == 1 + ChannelFieldCount) {
            rxFreqColumn = 2;
            const QString number = cells.takeFirst().trimmed();
            bool ok = false;
            const int n = number.toInt(&ok);
            if (!number.isEmpty() && (!ok || !isChannel(n)))
                return fail(0, rowtext::NotChannelNumber.text(language).arg(quotedCell(number)));
        }
        const int channel = first + int(i);
        if (!isChannel(channel))
            return fail(0, PastLastChannel.text(language));
        ChannelTexts row;
        const RowTyping typing = typeChannelRow(row, cells, readName(image, channel), language, range);
        if (const auto &fault = typing.fault)
            return fail(fault->field + 1, fault->message);
        storeChannelTexts(pasted, channel, row);
        result.channels.append(channel);
        for (const FrequencyChange &change : typing.changes)
            result.changes.append({channel, change});
    }
    image = pasted;
    return result;
}

} // namespace kdw
