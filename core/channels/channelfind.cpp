#include "core/channels/channelfind.h"

namespace kdw {

namespace {

constexpr ChannelField SearchedFields[] = {RxFreqField, TxFreqField, RxToneField, TxToneField, NameField};

bool isBefore(ChannelCell a, ChannelCell b)
{
    return a.channel != b.channel ? a.channel < b.channel : a.field < b.field;
}

} // namespace

QList<ChannelCell> findCells(const ChannelTable &table, QStringView text)
{
    QList<ChannelCell> matches;
    if (text.isEmpty())
        return matches;
    for (int channel = 1; channel <= int(table.size()); ++channel) {
        const ChannelTexts &row = table[std::size_t(channel - 1)];
        for (ChannelField field : SearchedFields) {
            if (row[std::size_t(field)].contains(text, Qt::CaseInsensitive))
                matches.append({channel, field});
        }
    }
    return matches;
}

qsizetype matchAtOrAfter(const QList<ChannelCell> &matches, ChannelCell from)
{
    for (qsizetype i = 0; i < matches.size(); ++i) {
        if (!isBefore(matches.at(i), from))
            return i;
    }
    return matches.isEmpty() ? -1 : 0;
}

qsizetype steppedMatch(qsizetype count, qsizetype current, int step)
{
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        return step < 0 ? count - 1 : 0;
    return ((current + step) % count + count) % count;
}

} // namespace kdw
