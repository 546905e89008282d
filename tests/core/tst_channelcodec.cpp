// Channel bytes <-> grid texts: decimal scaling, frequencies, tones, flags,
// names, whole records and the frequency editor's commit rules.
#include "channels/channeltable.h"
#include "channels/decimalscale.h"
#include "channels/frequencyrules.h"
#include "channels/tonelist.h"
#include "coretest.h"

#include <QRandomGenerator>
#include <QTest>
#include <limits>

using namespace kdw;
using namespace kdw::test;

namespace {

constexpr qint64 Max64 = std::numeric_limits<qint64>::max();

QStringList shownFlags(quint8 flags, quint8 lang)
{
    return {busyLockText(flags, lang), powerText(flags, lang), scanAddText(flags, lang), bandwidthText(flags, lang)};
}

int storedFlags(int previous, const QStringList &texts)
{
    return kdw::flagsFromTexts(quint8(previous), texts.at(0), texts.at(1), texts.at(2), texts.at(3));
}

} // namespace

class TestChannelCodec : public QObject
{
    Q_OBJECT

private slots:
    void decimalScaling_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected"); // scaled by 10^5
        QTest::newRow("exact") << u"462.125"_qs << qint64(46212500);
        QTest::newRow("truncates, no rounding") << u"462.1249999"_qs << qint64(46212499);
        QTest::newRow("15 digits round up") << u"462.124999999999999"_qs << qint64(46212500);
        QTest::newRow("binary 0.1 steps") << u"446.00625"_qs << qint64(44600625);
        QTest::newRow("negative truncates toward zero") << u"-12.345678"_qs << qint64(-1234567);
        QTest::newRow("leading space and plus, trailing junk") << u"  +462.125MHz"_qs << qint64(46212500);
        QTest::newRow("fraction only") << u".5"_qs << qint64(50000);
        QTest::newRow("exponent without digits") << u"462e+x"_qs << qint64(46200000);
        QTest::newRow("letters") << u"abc"_qs << qint64(0);
        QTest::newRow("nan is no number") << u"nan"_qs << qint64(0);
        QTest::newRow("inf is no number") << u"inf"_qs << qint64(0);
        QTest::newRow("hex is zero then junk") << u"0x1A"_qs << qint64(0);
        QTest::newRow("huge saturates") << u"1e300"_qs << Max64;
        QTest::newRow("beyond double saturates") << u"1e999"_qs << Max64;
        QTest::newRow("negative beyond double") << u"-1e999"_qs << std::numeric_limits<qint64>::min();
        QTest::newRow("below double is zero") << u"1e-999"_qs << qint64(0);
        QTest::newRow("exponent of 20 digits") << u"1e99999999999999999999"_qs << Max64;
        QTest::newRow("rounded past the top saturates") << u"92233720368547.75807"_qs << Max64;
        QTest::newRow("just below the top") << u"92233720368547.7"_qs << qint64(9223372036854770000);
    }

    void decimalScaling()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QCOMPARE(decimalScale(text, 5), expected);
    }

    // Typed text -> stored bytes -> shown text.
    void frequencies_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("462.125") << u"462.125"_qs << hex("00252146") << u"462.12500"_qs;
        QTest::newRow("lowest digit") << u"0.00001"_qs << hex("01000000") << u"0.00001"_qs;
        QTest::newRow("largest BCD") << u"999.99999"_qs << hex("99999999") << u"999.99999"_qs;
        QTest::newRow("junk") << u"x1"_qs << hex("00000000") << u"0.00000"_qs;
        QTest::newRow("negative") << u"-462.125"_qs << hex("00000000") << u"0.00000"_qs;
        QTest::newRow("ninth digit dropped") << u"1234.56789"_qs << hex("89674523") << u"234.56789"_qs;
        QTest::newRow("huge: 32 bits") << u"1e300"_qs << hex("95729694") << u"949.67295"_qs;
    }

    void frequencies()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        MemoryImage image;
        writeFrequency(image, 4, kdw::frequencyFromText(typed));
        QCOMPARE(image.bytes(4, 4), bytes);
        QCOMPARE(frequencyText(readFrequency(image, 4)), shown);
    }

    // Bytes no editor writes still show as a text.
    void unlistedBytesShow()
    {
        MemoryImage image;
        image.copyIn(0,
            hex("0000FF40" // nibbles above 9
                "997F" // CTCSS, nibbles above 9
                "1200" // high 00: Off, low ignored
                "12FF" // high FF: Off, low ignored
                "00BF00FE")); // DCS normal and inverted tops
        QCOMPARE(frequencyText(readFrequency(image, 0)), u"416.50000"_qs);
        QStringList shown;
        for (int offset = 4; offset < 14; offset += 2)
            shown << toneText(readTone(image, offset), 0);
        QCOMPARE(shown, texts(u"859.9|Off|Off|D4500N|D4400I"));
    }

    void toneFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("lowHigh"); // empty: the bytes are left as they were
        QTest::newRow("Off of another language") << u"關"_qs << hex("FFFF");
        QTest::newRow("off is case-sensitive") << u"off"_qs << hex("0000");
        QTest::newRow("88.5") << u"88.5"_qs << hex("8508");
        QTest::newRow("D023N") << u"D023N"_qs << hex("2380");
        QTest::newRow("D754I") << u"D754I"_qs << hex("54C7");
        QTest::newRow("N wins over I") << u"D023IN"_qs << hex("2380");
        QTest::newRow("no N or I keeps bytes") << u"D023n"_qs << QByteArray();
        QTest::newRow("negative code") << u"D-5N"_qs << hex("0080");
        QTest::newRow("huge code clamps") << u"D99999999999999999999N"_qs << hex("99BE");
        QTest::newRow("huge inverted stays DCS") << u"D99999I"_qs << hex("99FE");
        QTest::newRow("junk is CTCSS 0") << u"Tone"_qs << hex("0000");
        QTest::newRow("negative CTCSS") << u"-88.5"_qs << hex("0000");
        QTest::newRow("huge CTCSS clamps") << u"1e300"_qs << hex("9999");
        QTest::newRow("nan CTCSS") << u"nan"_qs << hex("0000");
    }

    void toneFromText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, lowHigh);
        const auto code = kdw::toneFromText(text);
        QCOMPARE(code.has_value(), !lowHigh.isEmpty());
        if (code) {
            MemoryImage image;
            writeTone(image, 8, *code);
            QCOMPARE(image.bytes(8, 2), lowHigh);
        }
    }

    // Every item of the tone editor stores a code that shows as the same item.
    void toneListRoundTrip()
    {
        for (quint8 lang = 0; lang < 3; ++lang) {
            const QStringList list = toneList(lang);
            QCOMPARE(list.size(), 265);
            const QStringList marks {list.first(), list.at(1), list.at(51), list.at(158), list.last()};
            QCOMPARE(
                marks, texts(QStringList {u"Off"_qs, u"关"_qs, u"關"_qs}.at(lang) + u"|67.0|D017N|D017I|D754I"_qs));
            for (const QString &item : list) {
                const auto code = kdw::toneFromText(item);
                QVERIFY2(code && toneText(*code, lang) == item && isToneListText(item), qPrintable(item));
            }
        }
    }

    void flagTexts_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("texts"); // Busy Lock|Power|Scan Add|Bandwidth
        QTest::addColumn<bool>("shown"); // the grid shows `flags` as `texts`
        QTest::addColumn<int>("stored"); // the flags the texts store over `flags`
        QTest::newRow("eng set") << 0x35 << 0 << u"Carrier|High|Add|Wide"_qs << true << 0x35;
        QTest::newRow("eng clear, bits 3 6 7 kept") << 0xC8 << 0 << u"Off|Low|Del|Narrow"_qs << true << 0xC8;
        QTest::newRow("chs QDT") << 0x02 << 1 << u"信令|低|删除|窄"_qs << true << 0x02;
        QTest::newRow("cht set") << 0x35 << 2 << u"載波|高|添加|寬"_qs << true << 0x35;
        QTest::newRow("cht clear") << 0x00 << 2 << u"關|低|刪除|窄"_qs << true << 0x00;
        QTest::newRow("busy 3 shows empty, stores 0") << 0x03 << 0 << u"|Low|Del|Narrow"_qs << true << 0x00;
        QTest::newRow("choice texts clear owned bits") << 0x37 << 2 << u"關閉|低|刪除|窄"_qs << false << 0x00;
        QTest::newRow("lowercase is unknown: Add") << 0x37 << 0 << u"carrier|high|del|wide"_qs << false << 0x10;
        QTest::newRow("texts of any language") << 0x10 << 0 << u"Off|Low|删除|Narrow"_qs << false << 0x00;
    }

    void flagTexts()
    {
        QFETCH(int, flags);
        QFETCH(int, lang);
        QFETCH(QString, texts);
        QFETCH(bool, shown);
        QFETCH(int, stored);
        if (shown)
            QCOMPARE(shownFlags(quint8(flags), quint8(lang)), kdw::test::texts(texts));
        QCOMPARE(storedFlags(flags, kdw::test::texts(texts)), stored);
    }

    // An item's position carries its meaning: item k of a choice list stores the
    // same value in every language, and shows again as the cell text of that value.
    void choiceItemsStoreTheirPosition()
    {
        const QList<QList<int>> values
            = {{0x00, 0x01, 0x02}, {record::PowerBit, 0x00}, {record::ScanAddBit, 0x00}, {record::BandwidthBit, 0x00}};
        for (quint8 lang = 0; lang < 3; ++lang) {
            for (int column = 0; column < 4; ++column) {
                const auto field = ChannelField(BusyLockField + column);
                const QStringList items = choiceItems(field, lang);
                QCOMPARE(items.size(), values.at(column).size());
                for (qsizetype k = 0; k < items.size(); ++k) {
                    QStringList chosen = texts(u"Off|Low|Del|Narrow");
                    chosen[column] = items.at(k);
                    const int flags = storedFlags(0, chosen);
                    QCOMPARE(flags, values.at(column).at(k));
                    QVERIFY(isChoiceText(field, items.at(k)));
                    if (field != BusyLockField || k != 0) // Busy Lock Off shows shorter
                        QCOMPARE(shownFlags(quint8(flags), lang).at(column), items.at(k));
                }
            }
        }
        QCOMPARE(choiceItems(BusyLockField, 1).first(), u"关闭"_qs);
        QVERIFY(!isChoiceText(PowerField, u"Carrier"));
    }

    void names_data()
    {
        QTest::addColumn<QByteArray>("slot"); // 8 bytes
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored"); // the slot after storing `typed`
        QTest::newRow("padded with FF, 6 and 7 kept")
            << hex("FFFFFFFFFFFF1234") << u""_qs << u"AB12"_qs << hex("41423132FFFF1234");
        QTest::newRow("six, no terminator")
            << hex("4348414E30310102") << u"CHAN01"_qs << u"CHAN01"_qs << hex("4348414E30310102");
        QTest::newRow("seventh ignored") << hex("FFFFFFFFFFFFAAAA") << u""_qs << u"ABCDEFG"_qs
                                         << hex("414243444546AAAA");
        QTest::newRow("stops at FF") << hex("4142FF4344FF0000") << u"AB"_qs << u"AB"_qs << hex("4142FFFFFFFF0000");
        QTest::newRow("00 ends the shown name")
            << hex("4142004344FFFFFF") << u"AB"_qs << u"AB"_qs << hex("4142FFFFFFFFFFFF");
        QTest::newRow("high bytes round-trip") << hex("80E9FE41FFFFFFFF") << u"\u0080\u00E9\u00FEA"_qs
                                               << u"\u0080\u00E9\u00FEA"_qs << hex("80E9FE41FFFFFFFF");
    }

    void names()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        MemoryImage image;
        image.copyIn(region::nameSlot(7), slot);
        QCOMPARE(readName(image, 7), shown);
        writeName(image, 7, typed);
        QCOMPARE(image.bytes(region::nameSlot(7), 9), stored + '\0'); // the next slot stays
    }

    void emptyRecordShowsNothing()
    {
        MemoryImage image;
        image.copyIn(region::channelRecord(3), hex("00252146002521468508412535"));
        image.copyIn(region::nameSlot(3), QByteArray("CH3"));
        QCOMPARE(channelTexts(image, 3, 0)[NameField], u"CH3"_qs);
        image.setByte(region::channelRecord(3) + 3, 0xFF);
        QVERIFY(isEmptyChannel(image, 3));
        QCOMPARE(channelTexts(image, 3, 0), ChannelTexts {});
    }

    void storeEmptyRowLeavesName()
    {
        MemoryImage image;
        image.copyIn(region::nameSlot(5), QByteArray("NAME5\xFF\x07\x08", 8));
        storeChannelTexts(image, 5, ChannelTexts {QString(), u"462.12500"_qs});
        QCOMPARE(image.bytes(region::channelRecord(5), 16), QByteArray(16, '\xFF'));
        QCOMPARE(image.bytes(region::nameSlot(5), 8), QByteArray("NAME5\xFF\x07\x08", 8));
    }

    // Empty cells beside an Rx Freq store Tx 0, CTCSS 0, flags Off/Low/Add/Narrow
    // (bits 3, 6, 7 kept), no name; record bytes 13-15 stay.
    void storeEmptyTexts()
    {
        MemoryImage image = filledImage(0xFF);
        storeChannelTexts(image, 2, ChannelTexts {u"462.12500"_qs});
        QCOMPARE(image.bytes(region::channelRecord(2), 16), hex("002521460000000000000000D8FFFFFF"));
        QCOMPARE(image.bytes(region::nameSlot(2), 8), QByteArray(8, '\xFF'));
    }

    void frequencyCommit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("committed");
        QTest::newRow("above range") << u"480"_qs << u"470.00000"_qs;
        QTest::newRow("below range") << u"390"_qs << u"400.00000"_qs;
        QTest::newRow("tiny positive clamps up") << u"0.00001"_qs << u"400.00000"_qs;
        QTest::newRow("huge clamps") << u"1e300"_qs << u"470.00000"_qs;
        QTest::newRow("zero deletes") << u"0"_qs << QString();
        QTest::newRow("negative deletes") << u"-462"_qs << QString();
        QTest::newRow("nan deletes") << u"nan"_qs << QString();
        QTest::newRow("inf deletes") << u"inf"_qs << QString();
        QTest::newRow("6.25 grid kept") << u"462.0125"_qs << u"462.01250"_qs;
        QTest::newRow("tie goes to 5 kHz") << u"462.0030"_qs << u"462.00000"_qs;
        QTest::newRow("nearer 5 kHz below") << u"462.0060"_qs << u"462.00500"_qs;
        QTest::newRow("nearer 6.25 kHz below") << u"462.0070"_qs << u"462.00625"_qs;
        QTest::newRow("truncated before snap") << u"462.124999"_qs << u"462.12000"_qs;
    }

    void frequencyCommit()
    {
        QFETCH(QString, typed);
        QFETCH(QString, committed);
        QCOMPARE(committedFrequencyText(typed, FrequencyRange {}), committed);
    }

    void frequencyRangeItem_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<quint32>("lower");
        QTest::addColumn<quint32>("upper");
        QTest::newRow("136 to 174") << u"136 to 174 MHz"_qs << quint32(13600000) << quint32(17400000);
        QTest::newRow("no second number: default") << u"136MHz"_qs << quint32(40000000) << quint32(47000000);
        QTest::newRow("leading letter: default") << u"x136-174"_qs << quint32(40000000) << quint32(47000000);
        QTest::newRow("saturates") << u"99999999999-1"_qs << quint32(0xFFFFFFFF) << quint32(100000);
    }

    void frequencyRangeItem()
    {
        QFETCH(QString, item);
        QFETCH(quint32, lower);
        QFETCH(quint32, upper);
        QCOMPARE(frequencyRangeFromItem(item), (FrequencyRange {lower, upper}));
    }

    // Random images shown as texts and stored back keep every byte the store
    // owns, except where the shown text cannot carry the bytes (Off with a low
    // byte, nibbles above 9, Busy Lock 3, a name cut at 0x00).
    void randomImagesRoundTrip()
    {
        auto *random = QRandomGenerator::global();
        const auto bcd = [random] { return bcdEncode(int(random->bounded(100))); };
        const QStringList tones = toneList(0);
        for (int round = 0; round < 50; ++round) {
            MemoryImage image;
            for (int i = 0; i < MemoryImage::Size; ++i)
                image.setByte(i, quint8(random->bounded(256)));
            for (int channel = 1; channel <= region::ChannelCount; ++channel) {
                const int base = region::channelRecord(channel);
                if (random->bounded(5) == 0) {
                    image.setByte(base + 3, 0xFF);
                    continue;
                }
                for (int k = 0; k < 8; ++k)
                    image.setByte(base + k, bcd());
                for (const int tone : {base + 8, base + 10}) {
                    const ToneCode unlisted {bcdEncode(1 + int(random->bounded(79))), bcd()};
                    const auto listed = kdw::toneFromText(tones.at(random->bounded(ToneListSize)));
                    writeTone(image, tone, random->bounded(3) ? *listed : unlisted);
                }
                if ((image.byte(base + record::Flags) & record::BusyLockMask) == 3)
                    image.setByte(base + record::Flags, image.byte(base + record::Flags) & 0xFE);
                const int length = int(random->bounded(7));
                for (int k = 0; k < 6; ++k)
                    image.setByte(region::nameSlot(channel) + k, k < length ? quint8(1 + random->bounded(0xFE)) : 0xFF);
            }
            MemoryImage expected = image;
            writeGridStoreFixedBytes(expected);
            for (int channel = 1; channel <= region::ChannelCount; ++channel) {
                if (isEmptyChannel(image, channel))
                    expected.copyIn(region::channelRecord(channel), QByteArray(16, '\xFF'));
            }
            MemoryImage stored = image;
            storeChannelTable(stored, channelTable(image, quint8(round % 3)), image.byte(region::ModelIndex),
                image.byte(region::FrequencyRangeIndex));
            QCOMPARE(firstDifference(stored, expected), QString());
        }
    }

    void gridStoreFixedBytes()
    {
        MemoryImage image = filledImage(0xFF);
        ChannelTable table;
        table[0] = row(u"462.12500|462.12500|88.5|D023N|Carrier|High|Add|Wide|CH1");
        storeChannelTable(image, table, 0, 0);
        QCOMPARE(image.bytes(region::channelRecord(1), 16), hex("002521460025214685082380FDFFFFFF"));
        QCOMPARE(image.bytes(region::nameSlot(1), 8), QByteArray("CH1\xFF\xFF\xFF\xFF\xFF", 8));
        QCOMPARE(image.bytes(region::channelRecord(2), 98 * 16), QByteArray(98 * 16, '\xFF'));
        QCOMPARE(image.bytes(0x0630, 16), hex("0000504300005043FFFFFFFF3FFFFFFF"));
        QCOMPARE(image.bytes(0x1810, 8), hex("FF78FFFFFFFFFF00"));
        QCOMPARE(image.bytes(0x1D10, 4), QByteArray(4, '\0'));
        QCOMPARE(image.bytes(0x1FD0, 2), QByteArray(2, '\0'));
        QCOMPARE(cells(channelTable(image, 0)[0]), cells(table[0]));
    }
};

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channelcodec.moc"
