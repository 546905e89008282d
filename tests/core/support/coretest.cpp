#include "coretest.h"

#include "core/image/regions.h"

#include <QTest>

namespace kdw::test {

ChannelTexts row(QStringView joined)
{
    const QStringList list = texts(joined);
    ChannelTexts result;
    // A row of another width fails the test instead of writing past the row.
    if (list.size() != ChannelFieldCount) {
        QTest::qFail(qPrintable(QStringLiteral("a row has %1 texts, not %2").arg(list.size()).arg(ChannelFieldCount)),
                     __FILE__, __LINE__);
        return result;
    }
    std::copy(list.begin(), list.end(), result.begin());
    return result;
}

QStringList cells(const ChannelTexts &row)
{
    return {row.begin(), row.end()};
}

void checkChannelLayout(const MemoryImage &image, const MemoryImage &source, const QList<int> &layout)
{
    for (int n = 1; n <= region::ChannelCount; ++n) {
        const int from = n <= layout.size() ? layout.at(n - 1) : n;
        const QByteArray want = from ? channelBytes(source, from) : QByteArray(24, char(0xFF));
        QVERIFY2(channelBytes(image, n) == want,
                 qPrintable(u"channel %1 does not hold channel %2"_qs.arg(n).arg(from)));
    }
    MemoryImage rest = image;
    MemoryImage restSource = source;
    for (int n = 1; n <= region::ChannelCount; ++n) {
        for (MemoryImage *m : {&rest, &restSource}) {
            m->copyIn(region::channelRecord(n), QByteArray(16, 0));
            m->copyIn(region::nameSlot(n), QByteArray(8, 0));
        }
    }
    QCOMPARE(firstDifference(rest, restSource), QString());
}

} // namespace kdw::test
