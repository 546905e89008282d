// Sort Channels over images and the find match over the grid's texts. A
// sorted channel moves whole: record bytes the grid does not show and its
// name slot go with it, and nothing else in the image changes.
#include "core/channels/channelcodec.h"
#include "core/channels/channelfind.h"
#include "core/channels/channelsort.h"
#include "core/image/regions.h"
#include "coretest.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;

Q_DECLARE_METATYPE(kdw::SortKey)

namespace {

// Rx, Tx, Rx tone, Tx tone and name of channels 1..8; "" is an empty channel.
const QStringList &plan()
{
    static const QStringList rows{
        u"450|455|67.0|100.0|Beta"_qs, u"440|445|D023N|D023N|alpha"_qs, u""_qs,
        u"460|440|Off|88.5|"_qs,       u"440|450|D023I|Off|Gamma"_qs,   u"430|430|254.1|Off|beta"_qs,
        u"470|470|D754N|Off|"_qs,      u"445|445|67.0|Off|Delta"_qs,
    };
    return rows;
}

// The plan stored as the grid stores it, every channel then given record
// bytes 13..15, flag bits 3, 6 and 7 and name bytes 6 and 7 of its own; the
// empty channel 3 keeps a name in its slot.
MemoryImage planImage()
{
    MemoryImage image = filledImage(0xFF);
    for (int n = 1; n <= int(plan().size()); ++n) {
        const QStringList f = plan().at(n - 1).split(u'|');
        if (f.size() == 5)
            storeChannelTexts(image, n, row(u"%1|%2|%3|%4|Off|High|Add|Wide|%5"_qs.arg(f[0], f[1], f[2], f[3], f[4])));
        else
            writeName(image, n, u"GHOST");
        const int record = region::channelRecord(n);
        for (int k = 13; k < 16; ++k)
            image.setByte(record + k, quint8(n * 16 + k));
        if (f.size() == 5)
            image.setByte(record + record::Flags, quint8(image.byte(record + record::Flags) | (n & 1 ? 0xC8 : 0x40)));
        image.setByte(region::nameSlot(n) + 6, quint8(n));
        image.setByte(region::nameSlot(n) + 7, quint8(0x80 + n));
    }
    return image;
}

ChannelTable planTable()
{
    return channelTable(planImage(), Language::Eng);
}

// "2:1" is channel 2, field 1 (Tx Freq).
QStringList cellNames(const QList<ChannelCell> &cells)
{
    QStringList names;
    for (const ChannelCell &cell : cells)
        names << u"%1:%2"_qs.arg(cell.channel).arg(int(cell.field));
    return names;
}

} // namespace

class TestChannelSort : public QObject
{
    Q_OBJECT

private slots:
    void sort_data()
    {
        QTest::addColumn<SortKey>("key");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("layout"); // channels 1.. after, by source channel
        const QList<int> none;
        QTest::newRow("Rx up, equal Rx keep their order")
            << SortKey::RxFrequency << false << none << QList<int>{6, 2, 5, 8, 1, 4, 7, 3};
        QTest::newRow("Rx down, equal Rx keep their order")
            << SortKey::RxFrequency << true << none << QList<int>{7, 4, 1, 8, 2, 5, 6, 3};
        QTest::newRow("Tx up") << SortKey::TxFrequency << false << none << QList<int>{6, 4, 2, 8, 5, 1, 7, 3};
        QTest::newRow("Tx down") << SortKey::TxFrequency << true << none << QList<int>{7, 1, 5, 2, 8, 4, 6, 3};
        QTest::newRow("name up, case ignored, unnamed after named")
            << SortKey::Name << false << none << QList<int>{2, 1, 6, 8, 5, 4, 7, 3};
        QTest::newRow("name down, unnamed still after named")
            << SortKey::Name << true << none << QList<int>{5, 8, 1, 6, 2, 4, 7, 3};
        QTest::newRow("tone up: Off, CTCSS, DCS N, DCS I, Tx tone next")
            << SortKey::Tone << false << none << QList<int>{4, 8, 1, 6, 2, 7, 5, 3};
        QTest::newRow("tone down") << SortKey::Tone << true << none << QList<int>{5, 7, 2, 6, 1, 8, 4, 3};
        QTest::newRow("selected rows only, their empty one last")
            << SortKey::RxFrequency << false << QList<int>{6, 2, 3, 5} << QList<int>{1, 6, 2, 4, 5, 3, 7, 8};
        QTest::newRow("selected rows apart")
            << SortKey::Name << true << QList<int>{1, 8} << QList<int>{8, 2, 3, 4, 5, 6, 7, 1};
        QTest::newRow("one selected row sorts every channel")
            << SortKey::RxFrequency << false << QList<int>{4} << QList<int>{6, 2, 5, 8, 1, 4, 7, 3};
    }
    void sort()
    {
        QFETCH(SortKey, key);
        QFETCH(bool, descending);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, layout);
        const MemoryImage source = planImage();
        MemoryImage image = source;
        QVERIFY(sortChannels(image, sortPlaces(selected), key, descending ? Qt::DescendingOrder : Qt::AscendingOrder));
        checkChannelLayout(image, source, layout);
    }

    // Places outside 1..99 or named twice change nothing.
    void badPlacesRefused()
    {
        const MemoryImage source = planImage();
        for (const QList<int> &places : {QList<int>{0, 2}, QList<int>{2, 100}, QList<int>{2, 5, 2}}) {
            MemoryImage image = source;
            QVERIFY(!sortChannels(image, places, SortKey::Name, Qt::AscendingOrder));
            QCOMPARE(firstDifference(image, source), QString());
        }
    }

    // Names, frequency texts and tone texts hold the text, ignoring case;
    // Busy Lock and the other choice cells are not searched.
    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("frequency") << u"445"_qs << QStringList{u"2:1"_qs, u"8:0"_qs, u"8:1"_qs};
        QTest::newRow("name, case ignored") << u"BETA"_qs << QStringList{u"1:8"_qs, u"6:8"_qs};
        QTest::newRow("DCS") << u"d023"_qs << QStringList{u"2:2"_qs, u"2:3"_qs, u"5:2"_qs};
        QTest::newRow("Off in tone cells only")
            << u"off"_qs << QStringList{u"4:2"_qs, u"5:3"_qs, u"6:3"_qs, u"7:3"_qs, u"8:3"_qs};
        QTest::newRow("no cell") << u"Wide"_qs << QStringList{};
        QTest::newRow("nothing typed") << u""_qs << QStringList{};
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, cells);
        QCOMPARE(cellNames(findCells(planTable(), text)), cells);
    }

    // From a cell: the match there or the next one, wrapping past channel 99;
    // the next and previous matches wrap at both ends.
    void findWraps()
    {
        const QList<ChannelCell> matches = findCells(planTable(), u"445");
        QCOMPARE(matchAtOrAfter(matches, {1, NameField}), 0);
        QCOMPARE(matchAtOrAfter(matches, {2, TxFreqField}), 0);
        QCOMPARE(matchAtOrAfter(matches, {2, RxToneField}), 1);
        QCOMPARE(matchAtOrAfter(matches, {9, RxFreqField}), 0);
        QCOMPARE(matchAtOrAfter({}, {1, RxFreqField}), -1);
        QCOMPARE(steppedMatch(3, 2, 1), 0);
        QCOMPARE(steppedMatch(3, 0, -1), 2);
        QCOMPARE(steppedMatch(3, 1, 1), 2);
        QCOMPARE(steppedMatch(3, -1, 1), 0);
        QCOMPARE(steppedMatch(3, -1, -1), 2);
        QCOMPARE(steppedMatch(0, -1, 1), -1);
    }
};

QTEST_GUILESS_MAIN(TestChannelSort)
#include "tst_channelsort.moc"
