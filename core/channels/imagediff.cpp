#include "core/channels/imagediff.h"

#include "core/channels/channelcodec.h"
#include "core/channels/channeltable.h"
#include "core/image/regions.h"
#include "core/settings/settingvalues.h"
#include "core/text/localisedtext.h"

#include <algorithm>
#include <array>

namespace kdw {

namespace {

// The bits of each byte that a listed difference accounts for.
using Covered = std::array<quint8, MemoryImage::Size>;

void cover(Covered &covered, int offset, int length, quint8 mask = 0xFF)
{
    for (int k = 0; k < length; ++k)
        covered[std::size_t(offset) + std::size_t(k)] |= mask;
}

void coverChannel(Covered &covered, int channel)
{
    cover(covered, region::channelRecord(channel), region::ChannelRecordSize);
    cover(covered, region::nameSlot(channel), region::NameSlotSize);
}

void coverSetting(Covered &covered, const Setting &setting)
{
    if (const ChoiceField *choice = setting.choice())
        cover(covered, choice->offset, 1, choice->mask);
    else
        cover(covered, setting.text()->offset, setting.text()->length);
}

constexpr LocalisedText EmptyChannelText{u"empty", u"空", u"空"};

// The nine cells of a channel on one line; an empty name leaves no separator
// dangling at the end.
QString wholeChannel(const ChannelTexts &texts)
{
    QStringList cells(texts.begin(), texts.end());
    while (!cells.isEmpty() && cells.last().isEmpty())
        cells.removeLast();
    return cells.join(QStringLiteral(" / "));
}

// A long range shows its first bytes only; the address range says how long it is.
constexpr int ShownBytes = 16;

QString hexBytes(const MemoryImage &image, const ImageDiff::Bytes &range)
{
    const int length = std::min(range.end - range.start, ShownBytes);
    QString text = QString::fromLatin1(image.bytes(range.start, length).toHex(' ').toUpper());
    if (range.end - range.start > ShownBytes)
        text += QStringLiteral(" ...");
    return text;
}

QString address(int offset)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(offset, 4, 16, QLatin1Char('0')).toUpper();
}

// The channel (1..99) whose record or name slot holds `offset`; 0 for none.
int channelAt(int offset)
{
    const int records = region::ChannelCount * region::ChannelRecordSize;
    if (offset >= region::ChannelRecords && offset < region::ChannelRecords + records)
        return (offset - region::ChannelRecords) / region::ChannelRecordSize + 1;
    const int nameSlots = region::ChannelCount * region::NameSlotSize;
    if (offset >= region::NameSlots && offset < region::NameSlots + nameSlots)
        return (offset - region::NameSlots) / region::NameSlotSize + 1;
    return 0;
}

QString addressRange(const ImageDiff::Bytes &range)
{
    if (range.end - range.start == 1)
        return address(range.start);
    return address(range.start) + QStringLiteral("..") + address(range.end - 1);
}

} // namespace

ImageDiff diffImages(const MemoryImage &a, const MemoryImage &b, Language language)
{
    ImageDiff diff;
    Covered covered{};

    const ChannelTable tableA = channelTable(a, language);
    const ChannelTable tableB = channelTable(b, language);
    for (int channel = 1; channel <= region::ChannelCount; ++channel) {
        const ChannelTexts &rowA = tableA[std::size_t(channel - 1)];
        const ChannelTexts &rowB = tableB[std::size_t(channel - 1)];
        const bool emptyA = isEmptyChannel(a, channel), emptyB = isEmptyChannel(b, channel);
        if (emptyA != emptyB) {
            diff.channels.push_back({channel, ChannelField(0), emptyA ? QString() : wholeChannel(rowA),
                                     emptyB ? QString() : wholeChannel(rowB), true});
            coverChannel(covered, channel);
            continue;
        }
        bool listed = false;
        for (int field = 0; field < ChannelFieldCount; ++field) {
            if (rowA[std::size_t(field)] == rowB[std::size_t(field)])
                continue;
            diff.channels.push_back({channel, ChannelField(field), rowA[std::size_t(field)], rowB[std::size_t(field)]});
            listed = true;
        }
        if (listed)
            coverChannel(covered, channel);
    }

    for (const Setting &setting : settingTable()) {
        const QString textA = shownText(setting, a, language);
        const QString textB = shownText(setting, b, language);
        if (textA == textB)
            continue;
        diff.settings.push_back({&setting, textA, textB});
        coverSetting(covered, setting);
    }

    for (int offset = 0; offset < MemoryImage::Size; ++offset) {
        const bool differs = ((a.byte(offset) ^ b.byte(offset)) & ~covered[std::size_t(offset)]) != 0;
        if (!differs)
            continue;
        // A range stays within one channel, so that it can be named by it.
        if (!diff.bytes.empty() && diff.bytes.back().end == offset
            && channelAt(offset) == channelAt(diff.bytes.back().start))
            diff.bytes.back().end = offset + 1;
        else
            diff.bytes.push_back({offset, offset + 1});
    }
    return diff;
}

QList<DiffRow> diffRows(const ImageDiff &diff, const MemoryImage &a, const MemoryImage &b, Language language)
{
    QList<DiffRow> rows;
    const QStringList headers = gridHeaderTexts(language);
    const QString empty = EmptyChannelText.text(language);
    for (const ImageDiff::Channel &c : diff.channels) {
        const QString place = headers.at(0) + u' ' + QString::number(c.channel);
        if (c.whole)
            rows.append({place, {}, c.a.isEmpty() ? empty : c.a, c.b.isEmpty() ? empty : c.b});
        else
            rows.append({place, headers.at(c.field + 1), c.a, c.b});
    }
    for (const ImageDiff::Setting &s : diff.settings)
        rows.append({dialogCaption(s.setting->dialog), settingLabel(*s.setting), s.a, s.b});
    // Bytes of a channel no cell shows (an empty channel's, a hidden bit's)
    // are named by the channel, then by their addresses.
    for (const ImageDiff::Bytes &range : diff.bytes) {
        const int channel = channelAt(range.start);
        if (channel > 0)
            rows.append({headers.at(0) + u' ' + QString::number(channel), addressRange(range), hexBytes(a, range),
                         hexBytes(b, range)});
        else
            rows.append({addressRange(range), {}, hexBytes(a, range), hexBytes(b, range)});
    }
    return rows;
}

} // namespace kdw
