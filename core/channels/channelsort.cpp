#include "core/channels/channelsort.h"

#include "core/channels/channelcodec.h"
#include "core/channels/channelrows.h"
#include "core/image/regions.h"

#include <algorithm>

namespace kdw {

namespace {

// Off, CTCSS, DCS normal, DCS inverted, then the tone's number: the place of
// a tone in the tone list, and a place for tones the list does not hold.
int toneRank(ToneCode code)
{
    constexpr int KindStep = 100000; // above any tone number
    int kind = 0;
    switch (toneKind(code)) {
    case ToneKind::Off: kind = 0; break;
    case ToneKind::Ctcss: kind = 1; break;
    case ToneKind::Dcs: kind = isInvertedDcs(code) ? 3 : 2; break;
    }
    return kind * KindStep + toneNumber(code);
}

struct ChannelKey
{
    int channel = 0;
    bool empty = false;
    qint64 first = 0;  // frequency, or the Rx tone's rank
    qint64 second = 0; // the Tx tone's rank
    QString name;
};

ChannelKey keyOf(const MemoryImage &image, int channel, SortKey key)
{
    ChannelKey k;
    k.channel = channel;
    k.empty = isEmptyChannel(image, channel);
    const int record = region::channelRecord(channel);
    switch (key) {
    case SortKey::RxFrequency: k.first = readFrequency(image, record + record::RxFrequency); break;
    case SortKey::TxFrequency: k.first = readFrequency(image, record + record::TxFrequency); break;
    case SortKey::Name: k.name = readName(image, channel); break;
    case SortKey::Tone:
        k.first = toneRank(readTone(image, record + record::RxTone));
        k.second = toneRank(readTone(image, record + record::TxTone));
        break;
    }
    return k;
}

// Below zero when a goes before b in ascending order, zero when they tie.
int compareAscending(const ChannelKey &a, const ChannelKey &b)
{
    if (const int byName = a.name.compare(b.name, Qt::CaseInsensitive))
        return byName;
    if (a.first != b.first)
        return a.first < b.first ? -1 : 1;
    if (a.second != b.second)
        return a.second < b.second ? -1 : 1;
    return 0;
}

bool isValidPlaces(const QList<int> &places)
{
    QList<int> sorted = places;
    std::sort(sorted.begin(), sorted.end());
    return std::adjacent_find(sorted.cbegin(), sorted.cend()) == sorted.cend()
           && std::all_of(sorted.cbegin(), sorted.cend(),
                          [](int channel) { return channel >= 1 && channel <= region::ChannelCount; });
}

} // namespace

int usedChannelCount(const MemoryImage &image)
{
    int used = 0;
    for (int channel = 1; channel <= region::ChannelCount; ++channel)
        used += isEmptyChannel(image, channel) ? 0 : 1;
    return used;
}

QList<int> sortPlaces(const QList<int> &selected)
{
    QList<int> places;
    for (int channel : selected) {
        if (channel >= 1 && channel <= region::ChannelCount && !places.contains(channel))
            places.append(channel);
    }
    if (places.size() < 2) {
        places.clear();
        for (int channel = 1; channel <= region::ChannelCount; ++channel)
            places.append(channel);
    }
    std::sort(places.begin(), places.end());
    return places;
}

QList<int> sortedChannels(const MemoryImage &image, const QList<int> &places, SortKey key, Qt::SortOrder order)
{
    QList<ChannelKey> keys;
    keys.reserve(places.size());
    for (int channel : places)
        keys.append(keyOf(image, channel, key));
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(keys.begin(), keys.end(), [descending](const ChannelKey &a, const ChannelKey &b) {
        if (a.empty != b.empty)
            return b.empty;
        if (a.name.isEmpty() != b.name.isEmpty())
            return b.name.isEmpty();
        const int c = compareAscending(a, b);
        return descending ? c > 0 : c < 0;
    });
    QList<int> channels;
    channels.reserve(keys.size());
    for (const ChannelKey &k : keys)
        channels.append(k.channel);
    return channels;
}

bool sortChannels(MemoryImage &image, const QList<int> &places, SortKey key, Qt::SortOrder order)
{
    if (!isValidPlaces(places))
        return false;
    QList<int> ascending = places;
    std::sort(ascending.begin(), ascending.end());
    return arrangeChannels(image, ascending, sortedChannels(image, ascending, key, order));
}

} // namespace kdw
