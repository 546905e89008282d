// Channels as rows: empty, insert, delete, move, copy as text and paste, over images.
// A channel moves whole: record bytes the grid does not show and its name slot.
#include "core/channels/channelrows.h"
#include "core/channels/channeltable.h"
#include "core/image/regions.h"
#include "coretest.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;

namespace {

// An image whose channel n (1..8) has a record and name slot of its own,
// every byte distinct (hidden bits and unused name bytes included), and
// whose channels 9..99 are empty with blank name slots.
MemoryImage numberedImage()
{
    MemoryImage image = filledImage(0xFF);
    for (int n = 1; n <= 8; ++n) {
        image.copyIn(region::channelRecord(n), hex("00254146") + hex("00254146") + hex("FFFFFFFF"));
        image.setByte(region::channelRecord(n) + 1, bcdEncode(n * 5)); // on the 5 kHz grid, n distinct
        image.setByte(region::channelRecord(n) + 12, quint8(0xC8 | (n % 3) | (n & 4) << 3)); // bits 3, 6, 7 set
        for (int k = 13; k < 16; ++k)
            image.setByte(region::channelRecord(n) + k, quint8(n * 16 + k));
        for (int k = 0; k < region::NameSlotSize; ++k)
            image.setByte(region::nameSlot(n) + k, quint8(k < 6 ? 'A' + n : 0x40 + n * 8 + k));
    }
    return image;
}

} // namespace

class TestChannelRows : public QObject
{
    Q_OBJECT

private slots:
    void rowOperations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QList<int>>("layout"); // channels 1.. after, by source channel (0: blank)
        QTest::addColumn<QList<int>>("moved");
        QTest::newRow("insert at 2") << u"insert"_qs << QList<int>{2} << true << QList<int>{1, 0, 2, 3, 4, 5, 6, 7, 8}
                                     << QList<int>{};
        QTest::newRow("insert at 1") << u"insert"_qs << QList<int>{1} << true << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}
                                     << QList<int>{};
        QTest::newRow("move one up") << u"up"_qs << QList<int>{3} << true << QList<int>{1, 3, 2, 4} << QList<int>{2};
        QTest::newRow("move a block down")
            << u"down"_qs << QList<int>{2, 3} << true << QList<int>{1, 4, 2, 3, 5} << QList<int>{3, 4};
        QTest::newRow("move apart rows up")
            << u"up"_qs << QList<int>{2, 5} << true << QList<int>{2, 1, 3, 5, 4, 6} << QList<int>{1, 4};
        QTest::newRow("move up at the top refused")
            << u"up"_qs << QList<int>{1, 4} << false << QList<int>{1, 2, 3, 4, 5} << QList<int>{};
        QTest::newRow("move down at the bottom refused")
            << u"down"_qs << QList<int>{99} << false << QList<int>{1, 2} << QList<int>{};
        QTest::newRow("move into an empty channel")
            << u"down"_qs << QList<int>{8} << true << QList<int>{1, 2, 3, 4, 5, 6, 7, 9, 8} << QList<int>{9};
        QTest::newRow("delete one") << u"delete"_qs << QList<int>{3} << true << QList<int>{1, 2, 4, 5, 6, 7, 8, 0}
                                    << QList<int>{};
        QTest::newRow("delete apart rows, the first among them")
            << u"delete"_qs << QList<int>{1, 5, 6} << true << QList<int>{2, 3, 4, 7, 8, 0, 0, 0} << QList<int>{};
        QTest::newRow("delete outside 1..99 refused")
            << u"delete"_qs << QList<int>{4, 100} << false << QList<int>{} << QList<int>{};
    }
    void rowOperations()
    {
        QFETCH(QString, operation);
        QFETCH(QList<int>, channels);
        QFETCH(bool, done);
        QFETCH(QList<int>, layout);
        QFETCH(QList<int>, moved);
        const MemoryImage source = numberedImage();
        MemoryImage image = source;
        QList<int> newPlaces;
        bool result = false;
        if (operation == u"insert")
            result = insertChannel(image, channels.first());
        else if (operation == u"delete")
            result = deleteChannels(image, channels);
        else
            result = moveChannels(image, channels, operation == u"up" ? -1 : 1, &newPlaces);
        QCOMPARE(result, done);
        if (!done) {
            QCOMPARE(firstDifference(image, source), QString());
            return;
        }
        checkChannelLayout(image, source, layout);
        if (operation == u"up" || operation == u"down")
            QCOMPARE(newPlaces, moved);
    }

    // Insert needs room: with channel 99 in use nothing moves.
    void insertRefusedWhenTheLastChannelIsUsed()
    {
        MemoryImage image = numberedImage();
        image.copyIn(region::channelRecord(99), channelBytes(image, 1).left(16));
        const MemoryImage before = image;
        QVERIFY(!insertChannel(image, 5));
        QCOMPARE(firstDifference(image, before), QString());
    }

    // Delete empties the records as the grid store does, the name slots
    // untouched, and nothing else.
    void emptyKeepsNameSlots()
    {
        const MemoryImage source = numberedImage();
        MemoryImage image = source;
        emptyChannels(image, {2, 4, 120});
        MemoryImage want = source;
        for (int n : {2, 4})
            want.copyIn(region::channelRecord(n), QByteArray(16, char(0xFF)));
        QCOMPARE(firstDifference(image, want), QString());
    }

    // Copied rows pasted elsewhere give the same grid texts; a spreadsheet's
    // text (CRLF, no number column, a quoted cell, a final line break) goes
    // through the rules of typing: clamp, snap, defaults of a new channel.
    // Each frequency that clamp or snap changed is named, in the order pasted.
    // A bad line anywhere refuses the whole paste, naming the line and the
    // grid's column (0: the channel number or the line as a whole). Which
    // cell texts are refused, and why: tst_cli gridErrors, through the same
    // typing of a row.
    void paste_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<QStringList>("rows"); // the channels' texts after, '|'-separated
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("fault"); // line:column of a refused paste
        QTest::newRow("spreadsheet lines")
            << u"480\t\tD023N\t\"67.0\"\tCarrier\tLow\tDel\tNarrow\tA\"B\r\n462.0110\t462.0030\r\n\r\n"_qs << 20
            << QStringList{u"470.00000|470.00000|D023N|67.0|Carrier|Low|Del|Narrow|A\"B"_qs,
                           u"462.01000|462.00000|Off|Off|Off|High|Add|Wide|"_qs, u"||||||||"_qs}
            << QStringList{u"Channel 20, Rx Freq: 480 became 470.00000"_qs,
                           u"Channel 21, Rx Freq: 462.0110 became 462.01000"_qs,
                           u"Channel 21, Tx Freq: 462.0030 became 462.00000"_qs}
            << QString();
        const QStringList none;
        QTest::newRow("numbered lines, Chinese texts")
            << u"7\t450\t451\t关\t关\t载波\t高\t删除\t窄\tX\n"_qs << 99
            << QStringList{u"450.00000|451.00000|Off|Off|Carrier|High|Del|Narrow|X"_qs} << none << QString();
        QTest::newRow("refused: tone not in the list") << u"450\n451\t\t77.7\n"_qs << 1 << none << none << u"2:3"_qs;
        QTest::newRow("refused: name too long") << u"450\t\t\t\t\t\t\t\tABCDEFG"_qs << 1 << none << none << u"1:9"_qs;
        QTest::newRow("refused: bad channel number") << u"CH\t450\t\t\t\t\t\t\t\t"_qs << 1 << none << none << u"1:0"_qs;
        QTest::newRow("refused: eleven cells") << u"1\t450\t\t\t\t\t\t\t\t\t"_qs << 1 << none << none << u"1:0"_qs;
        QTest::newRow("refused: past channel 99") << u"450\n451\n"_qs << 99 << none << none << u"2:0"_qs;
    }
    void paste()
    {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, changes);
        QFETCH(QString, fault);
        MemoryImage image = numberedImage();
        const MemoryImage before = image;
        const PasteResult result = pasteChannelRows(image, first, text, Language::Eng);
        QCOMPARE(result.fault ? u"%1:%2"_qs.arg(result.fault->line).arg(result.fault->column) : QString(), fault);
        if (result.fault) {
            QVERIFY(!result.fault->message.isEmpty());
            QCOMPARE(firstDifference(image, before), QString());
            return;
        }
        QCOMPARE(result.channels.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i)
            QCOMPARE(cells(channelTexts(image, first + int(i), Language::Eng)).join(u'|'), rows.at(i));
        QStringList told;
        for (const PastedChange &pasted : result.changes)
            told.append(channelChangeText(pasted.channel, pasted.change, Language::Eng));
        QCOMPARE(told, changes);
    }

    void copyThenPasteElsewhere()
    {
        MemoryImage image = numberedImage();
        const QString copied = channelRowsText(image, {2, 3, 4}, Language::Cht);
        QCOMPARE(copied.count(u'\n'), 3);
        QVERIFY(copied.startsWith(u"2\t"_qs));
        QCOMPARE(copied.section(u'\n', 0, 0).count(u'\t'), 9);
        QVERIFY(pasteChannelRows(image, 50, copied, Language::Cht));
        for (int k = 0; k < 3; ++k)
            QCOMPARE(cells(channelTexts(image, 50 + k, Language::Cht)),
                     cells(channelTexts(image, 2 + k, Language::Cht)));
    }

    // What the paste key in an open cell editor takes as rows rather than as
    // the cell's value.
    void rowsOrAValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rows");
        QTest::newRow("a value") << u"446.5"_qs << false;
        QTest::newRow("a value and its line break") << u"446.5\r\n"_qs << false;
        QTest::newRow("a name with blanks") << u"A B "_qs << false;
        QTest::newRow("one line of cells") << u"446.5\t446.5"_qs << true;
        QTest::newRow("two lines") << u"446.5\n447.5"_qs << true;
        QTest::newRow("two lines, Windows breaks") << u"446.5\r\n447.5\r\n"_qs << true;
        QTest::newRow("nothing") << QString() << false;
    }
    void rowsOrAValue()
    {
        QFETCH(QString, text);
        QFETCH(bool, rows);
        QCOMPARE(holdsChannelRows(text), rows);
    }
};

QTEST_GUILESS_MAIN(TestChannelRows)
#include "tst_channelrows.moc"
