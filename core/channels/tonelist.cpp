#include "core/channels/tonelist.h"

#include "core/channels/channeltexts.h"

#include <algorithm>
#include <vector>

namespace kdw {

namespace {

QString ctcssText(quint16 tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

QString dcsText(quint16 code, QChar polarity)
{
    return QStringLiteral("D%1%2").arg(code, 3, 10, QLatin1Char('0')).arg(polarity);
}

// The list without its Off item, built once.
const QStringList &toneItems()
{
    static const QStringList items = [] {
        QStringList list;
        list.reserve(ToneListSize - 1);
        for (const quint16 tone : CtcssTones)
            list.append(ctcssText(tone));
        for (const QChar polarity : {QChar(u'N'), QChar(u'I')}) {
            for (const quint16 code : DcsCodes)
                list.append(dcsText(code, polarity));
        }
        return list;
    }();
    return items;
}

// The same items sorted, for a lookup in logarithmic time: the grid store and
// the plan check ask for every channel.
const std::vector<QString> &sortedToneItems()
{
    static const std::vector<QString> sorted = [] {
        std::vector<QString> items(toneItems().begin(), toneItems().end());
        std::sort(items.begin(), items.end());
        return items;
    }();
    return sorted;
}

} // namespace

QStringList toneList(Language language)
{
    QStringList list{channeltext::Off.text(language)};
    list.append(toneItems());
    return list;
}

bool isToneListText(QStringView text)
{
    const std::vector<QString> &items = sortedToneItems();
    return channeltext::Off.matchesAny(text) || std::binary_search(items.begin(), items.end(), text);
}

} // namespace kdw
