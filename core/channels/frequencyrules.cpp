#include "core/channels/frequencyrules.h"

#include "core/channels/channelcodec.h"
#include "core/image/regions.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace kdw {

namespace {

constexpr quint32 Step5kHz = 500; // units of 10 Hz
constexpr quint32 Step6k25Hz = 625;

// A run of decimal digits from `i` as MHz in units of 10 Hz, saturating.
std::optional<quint32> megahertzRun(QStringView text, qsizetype &i)
{
    const qsizetype start = i;
    quint64 value = 0;
    constexpr quint64 limit = std::numeric_limits<quint32>::max();
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<quint64>(value * 10 + (text[i].unicode() - u'0'), limit);
    if (i == start)
        return std::nullopt;
    return quint32(std::min<quint64>(value * 100000, limit));
}

} // namespace

FrequencyRange frequencyRangeFromItem(QStringView item)
{
    qsizetype i = 0;
    const auto lower = megahertzRun(item, i);
    const qsizetype gap = i;
    while (i < item.size() && !(item[i] >= u'0' && item[i] <= u'9'))
        ++i;
    const auto upper = i > gap ? megahertzRun(item, i) : std::nullopt;
    if (!lower || !upper)
        return FrequencyRange{};
    return FrequencyRange{*lower, *upper};
}

QStringList frequencyRangeItems()
{
    return {QStringLiteral("400-470MHz")};
}

FrequencyRange chosenFrequencyRange(const MemoryImage &image)
{
    const QStringList items = frequencyRangeItems();
    const int index = image.byte(region::FrequencyRangeIndex);
    return frequencyRangeFromItem(items.value(index < items.size() ? index : 0));
}

QString rangeBoundText(quint32 value)
{
    return value % 100000 == 0 ? QString::number(value / 100000) : frequencyText(value);
}

quint32 clampFrequency(quint32 value, const FrequencyRange &range)
{
    if (value == 0)
        return 0;
    if (value > range.upper)
        value = range.upper;
    if (value < range.lower)
        value = range.lower;
    return value;
}

quint32 snapToChannelStep(quint32 value)
{
    const quint32 r5 = value % Step5kHz;
    const quint32 r6 = value % Step6k25Hz;
    if (r5 == 0 || r6 == 0)
        return value;
    return value - (r5 > r6 ? r6 : r5);
}

quint32 committedFrequency(QStringView typed, const FrequencyRange &range)
{
    return snapToChannelStep(clampFrequency(frequencyFromText(typed), range));
}

} // namespace kdw
