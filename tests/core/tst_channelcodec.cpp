#include "channels/channelcodec.h"
#include "channels/channeltable.h"
#include "channels/decimalscale.h"
#include "channels/frequencyrules.h"
#include "channels/tonelist.h"
#include "image/regions.h"

#include <QRandomGenerator>
#include <QTest>

using namespace kdw;

namespace {

QByteArray recordBytes(const MemoryImage &image, int channel, int offset, int length)
{
    return image.bytes(region::channelRecord(channel) + offset, length);
}

// "offset: actual != expected" for the first differing byte, empty when equal.
QString firstDifference(const MemoryImage &actual, const MemoryImage &expected)
{
    for (int i = 0; i < MemoryImage::Size; ++i) {
        if (actual.byte(i) != expected.byte(i))
            return QStringLiteral("0x%1: %2 != %3").arg(i, 4, 16).arg(actual.byte(i), 2, 16).arg(expected.byte(i), 2, 16);
    }
    return {};
}

MemoryImage blankImage()
{
    MemoryImage image;
    image.fill(0xFF);
    return image;
}

} // namespace

class TestChannelCodec : public QObject
{
    Q_OBJECT

private slots:
    void decimalScaling_data();
    void decimalScaling();
    void frequencyBytes_data();
    void frequencyBytes();
    void frequencyFromText_data();
    void frequencyFromText();
    void toneTexts_data();
    void toneTexts();
    void toneFromText_data();
    void toneFromText();
    void toneListRoundTrip();
    void flagTexts_data();
    void flagTexts();
    void flagsFromTexts_data();
    void flagsFromTexts();
    void choiceItemsStoreTheirPosition();
    void names_data();
    void names();
    void emptyRecordShowsNothing();
    void storeEmptyRowLeavesName();
    void storeUnknownTexts();
    void frequencyCommit_data();
    void frequencyCommit();
    void frequencyRangeItem_data();
    void frequencyRangeItem();
    void randomImagesRoundTrip();
    void gridStoreFixedBytes();
};

void TestChannelCodec::decimalScaling_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("exact") << u"462.125"_qs << 5 << qint64(46212500);
    QTest::newRow("truncates, no rounding") << u"462.1249999"_qs << 5 << qint64(46212499);
    QTest::newRow("15 digits round up") << u"462.124999999999999"_qs << 5 << qint64(46212500);
    QTest::newRow("binary 0.1 steps") << u"446.00625"_qs << 5 << qint64(44600625);
    QTest::newRow("ctcss") << u"88.5"_qs << 1 << qint64(885);
    QTest::newRow("ctcss truncates") << u"88.59"_qs << 1 << qint64(885);
    QTest::newRow("leading space and plus") << u"  +12.5"_qs << 1 << qint64(125);
    QTest::newRow("negative truncates to zero") << u"-0.000009"_qs << 5 << qint64(0);
    QTest::newRow("negative") << u"-12.34"_qs << 1 << qint64(-123);
    QTest::newRow("trailing junk") << u"462.125MHz"_qs << 5 << qint64(46212500);
    QTest::newRow("fraction only") << u".5"_qs << 1 << qint64(5);
    QTest::newRow("point only") << u"."_qs << 1 << qint64(0);
    QTest::newRow("exponent") << u"4.62125e2"_qs << 5 << qint64(46212500);
    QTest::newRow("dangling exponent") << u"462e"_qs << 5 << qint64(46200000);
    QTest::newRow("dangling signed exponent") << u"462e+x"_qs << 5 << qint64(46200000);
    QTest::newRow("empty") << QString() << 5 << qint64(0);
    QTest::newRow("letters") << u"abc"_qs << 5 << qint64(0);
    QTest::newRow("nan is no number") << u"nan"_qs << 5 << qint64(0);
    QTest::newRow("inf is no number") << u"inf"_qs << 5 << qint64(0);
    QTest::newRow("hex is zero then junk") << u"0x1A"_qs << 5 << qint64(0);
    QTest::newRow("huge saturates") << u"1e300"_qs << 5 << std::numeric_limits<qint64>::max();
    QTest::newRow("overflow saturates") << u"1e999"_qs << 5 << std::numeric_limits<qint64>::max();
    QTest::newRow("negative overflow") << u"-1e999"_qs << 5 << std::numeric_limits<qint64>::min();
    QTest::newRow("underflow") << u"1e-999"_qs << 5 << qint64(0);
    QTest::newRow("huge exponent digits") << u"1e99999999999999999999"_qs << 5
                                          << std::numeric_limits<qint64>::max();
    QTest::newRow("rounded past the top saturates") << u"92233720368547.75807"_qs << 5
                                                     << std::numeric_limits<qint64>::max();
    QTest::newRow("just below the top") << u"92233720368547.7"_qs << 5 << qint64(9223372036854770000);
}

void TestChannelCodec::decimalScaling()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(qint64, expected);
    QCOMPARE(decimalScale(text, decimals), expected);
}

void TestChannelCodec::frequencyBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("value");
    QTest::newRow("462.125") << QByteArray::fromHex("00252146") << u"462.12500"_qs << quint32(46212500);
    QTest::newRow("pairs in order") << QByteArray::fromHex("00251246") << u"461.22500"_qs << quint32(46122500);
    QTest::newRow("zero") << QByteArray::fromHex("00000000") << u"0.00000"_qs << quint32(0);
    QTest::newRow("lowest digit") << QByteArray::fromHex("01000000") << u"0.00001"_qs << quint32(1);
    QTest::newRow("largest BCD") << QByteArray::fromHex("99999999") << u"999.99999"_qs << quint32(99999999);
    QTest::newRow("nibbles unchecked") << QByteArray::fromHex("0000FF40") << u"416.50000"_qs
                                       << quint32(41650000);
}

void TestChannelCodec::frequencyBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(quint32, value);
    MemoryImage image;
    image.copyIn(4, bytes);
    QCOMPARE(readFrequency(image, 4), value);
    QCOMPARE(frequencyText(value), text);
    if (bytes != QByteArray::fromHex("0000FF40")) {
        MemoryImage stored;
        writeFrequency(stored, 4, kdw::frequencyFromText(text));
        QCOMPARE(stored.bytes(4, 4), bytes);
    }
}

void TestChannelCodec::frequencyFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("462.125") << u"462.125"_qs << QByteArray::fromHex("00252146");
    QTest::newRow("empty") << QString() << QByteArray::fromHex("00000000");
    QTest::newRow("junk") << u"x1"_qs << QByteArray::fromHex("00000000");
    QTest::newRow("negative") << u"-462.125"_qs << QByteArray::fromHex("00000000");
    QTest::newRow("ninth digit dropped") << u"1234.56789"_qs << QByteArray::fromHex("89674523");
    QTest::newRow("huge saturates to 32 bits") << u"1e300"_qs << QByteArray::fromHex("95729694");
}

void TestChannelCodec::frequencyFromText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    MemoryImage image;
    writeFrequency(image, 0, kdw::frequencyFromText(text));
    QCOMPARE(image.bytes(0, 4), bytes);
}

void TestChannelCodec::toneTexts_data()
{
    QTest::addColumn<QByteArray>("lowHigh");
    QTest::addColumn<QStringList>("texts"); // eng, chs, cht
    const QStringList off{u"Off"_qs, u"关"_qs, u"關"_qs};
    QTest::newRow("off FF") << QByteArray::fromHex("FFFF") << off;
    QTest::newRow("off high 00, low ignored") << QByteArray::fromHex("1200") << off;
    QTest::newRow("off high FF, low ignored") << QByteArray::fromHex("12FF") << off;
    QTest::newRow("67.0") << QByteArray::fromHex("7006") << QStringList(3, u"67.0"_qs);
    QTest::newRow("254.1") << QByteArray::fromHex("4125") << QStringList(3, u"254.1"_qs);
    QTest::newRow("ctcss top") << QByteArray::fromHex("997F") << QStringList(3, u"859.9"_qs);
    QTest::newRow("D023N") << QByteArray::fromHex("2380") << QStringList(3, u"D023N"_qs);
    QTest::newRow("D754N") << QByteArray::fromHex("5487") << QStringList(3, u"D754N"_qs);
    QTest::newRow("D023I") << QByteArray::fromHex("23C0") << QStringList(3, u"D023I"_qs);
    QTest::newRow("D754I") << QByteArray::fromHex("54C7") << QStringList(3, u"D754I"_qs);
    QTest::newRow("DCS normal top") << QByteArray::fromHex("00BF") << QStringList(3, u"D4500N"_qs);
    QTest::newRow("DCS inverted top") << QByteArray::fromHex("00FE") << QStringList(3, u"D4400I"_qs);
}

void TestChannelCodec::toneTexts()
{
    QFETCH(QByteArray, lowHigh);
    QFETCH(QStringList, texts);
    MemoryImage image;
    image.copyIn(8, lowHigh);
    for (quint8 lang = 0; lang < 3; ++lang)
        QCOMPARE(toneText(readTone(image, 8), lang), texts.at(lang));
}

void TestChannelCodec::toneFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("lowHigh"); // empty: bytes left as they were
    QTest::newRow("Off") << u"Off"_qs << QByteArray::fromHex("FFFF");
    QTest::newRow("关") << u"关"_qs << QByteArray::fromHex("FFFF");
    QTest::newRow("關") << u"關"_qs << QByteArray::fromHex("FFFF");
    QTest::newRow("off is case-sensitive") << u"off"_qs << QByteArray::fromHex("0000");
    QTest::newRow("88.5") << u"88.5"_qs << QByteArray::fromHex("8508");
    QTest::newRow("254.1") << u"254.1"_qs << QByteArray::fromHex("4125");
    QTest::newRow("D023N") << u"D023N"_qs << QByteArray::fromHex("2380");
    QTest::newRow("D754I") << u"D754I"_qs << QByteArray::fromHex("54C7");
    QTest::newRow("N wins over I") << u"D023IN"_qs << QByteArray::fromHex("2380");
    QTest::newRow("no letter keeps bytes") << u"D12"_qs << QByteArray();
    QTest::newRow("lowercase n keeps bytes") << u"D023n"_qs << QByteArray();
    QTest::newRow("no digits") << u"DN"_qs << QByteArray::fromHex("0080");
    QTest::newRow("negative code") << u"D-5N"_qs << QByteArray::fromHex("0080");
    QTest::newRow("four digits") << u"D1234N"_qs << QByteArray::fromHex("348C");
    QTest::newRow("huge code clamps") << u"D99999999999999999999N"_qs << QByteArray::fromHex("99BE");
    QTest::newRow("huge inverted clamps") << u"D99999I"_qs << QByteArray::fromHex("99FE");
    QTest::newRow("empty is CTCSS 0") << QString() << QByteArray::fromHex("0000");
    QTest::newRow("junk is CTCSS 0") << u"Tone"_qs << QByteArray::fromHex("0000");
    QTest::newRow("negative CTCSS") << u"-88.5"_qs << QByteArray::fromHex("0000");
    QTest::newRow("huge CTCSS clamps") << u"1e300"_qs << QByteArray::fromHex("9999");
    QTest::newRow("nan CTCSS") << u"nan"_qs << QByteArray::fromHex("0000");
}

void TestChannelCodec::toneFromText()
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

void TestChannelCodec::toneListRoundTrip()
{
    for (quint8 lang = 0; lang < 3; ++lang) {
        const QStringList list = toneList(lang);
        QCOMPARE(list.size(), 265);
        QCOMPARE(list.first(), QStringList({u"Off"_qs, u"关"_qs, u"關"_qs}).at(lang));
        QCOMPARE(list.at(1), u"67.0"_qs);
        QCOMPARE(list.at(50), u"254.1"_qs);
        QCOMPARE(list.at(51), u"D017N"_qs);
        QCOMPARE(list.at(157), u"D754N"_qs);
        QCOMPARE(list.at(158), u"D017I"_qs);
        QCOMPARE(list.last(), u"D754I"_qs);
        for (const QString &item : list) {
            const auto code = kdw::toneFromText(item);
            QVERIFY2(code.has_value(), qPrintable(item));
            QCOMPARE(toneText(*code, lang), item);
            QVERIFY(isToneListText(item));
        }
    }
    // Every stored tone decodes to its list item.
    for (const quint16 t : CtcssTones)
        QCOMPARE(toneText(ToneCode{bcdEncode(t / 100), bcdEncode(t % 100)}, 0),
                 QString::number(t / 10.0, 'f', 1));
    for (const quint16 d : DcsCodes) {
        QCOMPARE(toneText(ToneCode{quint8(0x80 + d / 100), bcdEncode(d % 100)}, 0),
                 QStringLiteral("D%1N").arg(d, 3, 10, QLatin1Char('0')));
        QCOMPARE(toneText(ToneCode{quint8(0xC0 + d / 100), bcdEncode(d % 100)}, 0),
                 QStringLiteral("D%1I").arg(d, 3, 10, QLatin1Char('0')));
    }
    QVERIFY(isToneListText(u"關"));
    QVERIFY(!isToneListText(u"88.6"));
    QVERIFY(!isToneListText(u"D023"));
}

void TestChannelCodec::flagTexts_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<quint8>("lang");
    QTest::addColumn<QStringList>("texts"); // busy, power, scan, bandwidth
    QTest::newRow("eng all set") << 0x35 << quint8(0) << QStringList{u"Carrier"_qs, u"High"_qs, u"Add"_qs, u"Wide"_qs};
    QTest::newRow("eng all clear") << 0xC8 << quint8(0) << QStringList{u"Off"_qs, u"Low"_qs, u"Del"_qs, u"Narrow"_qs};
    QTest::newRow("eng QDT") << 0x02 << quint8(0) << QStringList{u"QDT"_qs, u"Low"_qs, u"Del"_qs, u"Narrow"_qs};
    QTest::newRow("busy 3 has no text") << 0x03 << quint8(0) << QStringList{QString(), u"Low"_qs, u"Del"_qs, u"Narrow"_qs};
    QTest::newRow("chs set") << 0x35 << quint8(1) << QStringList{u"载波"_qs, u"高"_qs, u"添加"_qs, u"宽"_qs};
    QTest::newRow("chs clear") << 0x02 << quint8(1) << QStringList{u"信令"_qs, u"低"_qs, u"删除"_qs, u"窄"_qs};
    QTest::newRow("cht set") << 0x35 << quint8(2) << QStringList{u"載波"_qs, u"高"_qs, u"添加"_qs, u"寬"_qs};
    QTest::newRow("cht clear") << 0x00 << quint8(2) << QStringList{u"關"_qs, u"低"_qs, u"刪除"_qs, u"窄"_qs};
}

void TestChannelCodec::flagTexts()
{
    QFETCH(int, flags);
    QFETCH(quint8, lang);
    QFETCH(QStringList, texts);
    const auto f = quint8(flags);
    QCOMPARE((QStringList{busyLockText(f, lang), powerText(f, lang), scanAddText(f, lang),
                          bandwidthText(f, lang)}),
             texts);
}

void TestChannelCodec::flagsFromTexts_data()
{
    QTest::addColumn<int>("previous");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("expected");
    QTest::newRow("eng set") << 0x00 << QStringList{u"Carrier"_qs, u"High"_qs, u"Add"_qs, u"Wide"_qs} << 0x35;
    QTest::newRow("eng clear keeps 3,6,7") << 0xFF << QStringList{u"Off"_qs, u"Low"_qs, u"Del"_qs, u"Narrow"_qs} << 0xC8;
    QTest::newRow("QDT") << 0x00 << QStringList{u"QDT"_qs, u"Low"_qs, u"Del"_qs, u"Narrow"_qs} << 0x02;
    QTest::newRow("busy 3 becomes 0") << 0x03 << QStringList{QString(), u"Low"_qs, u"Del"_qs, u"Narrow"_qs} << 0x00;
    QTest::newRow("chs set") << 0x00 << QStringList{u"载波"_qs, u"高"_qs, u"添加"_qs, u"宽"_qs} << 0x35;
    QTest::newRow("chs choice off, QDT") << 0x01 << QStringList{u"关闭"_qs, u"低"_qs, u"删除"_qs, u"窄"_qs} << 0x00;
    QTest::newRow("chs 信令") << 0x00 << QStringList{u"信令"_qs, u"低"_qs, u"删除"_qs, u"窄"_qs} << 0x02;
    QTest::newRow("cht set") << 0x00 << QStringList{u"載波"_qs, u"高"_qs, u"添加"_qs, u"寬"_qs} << 0x35;
    QTest::newRow("cht clear") << 0x37 << QStringList{u"關閉"_qs, u"低"_qs, u"刪除"_qs, u"窄"_qs} << 0x00;
    QTest::newRow("unknown texts") << 0x37 << QStringList{u"x"_qs, u"x"_qs, u"x"_qs, u"x"_qs} << 0x10;
    QTest::newRow("empty texts") << 0x00 << QStringList(4) << 0x10;
    QTest::newRow("case-sensitive") << 0x00 << QStringList{u"carrier"_qs, u"high"_qs, u"del"_qs, u"wide"_qs} << 0x10;
    QTest::newRow("simplified Del text in cht") << 0x10 << QStringList{u"Off"_qs, u"Low"_qs, u"删除"_qs, u"Narrow"_qs} << 0x00;
}

void TestChannelCodec::flagsFromTexts()
{
    QFETCH(int, previous);
    QFETCH(QStringList, texts);
    QFETCH(int, expected);
    QCOMPARE(int(kdw::flagsFromTexts(quint8(previous), texts.at(0), texts.at(1), texts.at(2), texts.at(3))),
             expected);
}

// An item's position carries its meaning: item k of a choice list stores the
// same value in every language, and shows again as the cell text of that value.
void TestChannelCodec::choiceItemsStoreTheirPosition()
{
    struct Column
    {
        ChannelField field;
        QList<quint8> values; // flag bits per item position
    };
    const Column columns[] = {
        {BusyLockField, {0x00, 0x01, 0x02}},
        {PowerField, {record::PowerBit, 0x00}},
        {ScanAddField, {record::ScanAddBit, 0x00}},
        {BandwidthField, {record::BandwidthBit, 0x00}},
    };
    for (quint8 lang = 0; lang < 3; ++lang) {
        for (const Column &column : columns) {
            const QStringList items = choiceItems(column.field, lang);
            QCOMPARE(items.size(), column.values.size());
            for (qsizetype k = 0; k < items.size(); ++k) {
                QVERIFY(isChoiceText(column.field, items.at(k)));
                QStringList texts{u"Off"_qs, u"Low"_qs, u"Del"_qs, u"Narrow"_qs};
                texts[column.field - BusyLockField] = items.at(k);
                const quint8 flags = kdw::flagsFromTexts(0, texts[0], texts[1], texts[2], texts[3]);
                QCOMPARE(int(flags), int(column.values.at(k)));
                const QString shown = QStringList{busyLockText(flags, lang), powerText(flags, lang),
                                                  scanAddText(flags, lang), bandwidthText(flags, lang)}
                                          .at(column.field - BusyLockField);
                if (column.field != BusyLockField || k != 0)
                    QCOMPARE(shown, items.at(k));
            }
        }
        QCOMPARE(choiceItems(NameField, lang), QStringList());
        QCOMPARE(gridHeaderTexts(lang).size(), 10);
    }
    QCOMPARE(choiceItems(BusyLockField, 1).first(), u"关闭"_qs);
    QCOMPARE(busyLockText(0, 1), u"关"_qs);
    QVERIFY(isChoiceText(BusyLockField, u"關"));
    QVERIFY(!isChoiceText(PowerField, u"Carrier"));
    QCOMPARE(gridHeaderTexts(1).at(3), u"接收亚音"_qs);
    QCOMPARE(gridHeaderTexts(2).at(3), u"接收信令"_qs);
}

void TestChannelCodec::names_data()
{
    QTest::addColumn<QByteArray>("slot");  // 8 bytes
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored"); // 8 bytes after storing `typed` over `slot`
    QTest::newRow("AB12") << QByteArray::fromHex("FFFFFFFFFFFF1234") << QString()
                          << u"AB12"_qs << QByteArray::fromHex("41423132FFFF1234");
    QTest::newRow("six, no terminator") << QByteArray("CHAN01\x01\x02", 8) << u"CHAN01"_qs
                                        << u"CHAN01"_qs << QByteArray("CHAN01\x01\x02", 8);
    QTest::newRow("seventh ignored") << QByteArray::fromHex("FFFFFFFFFFFFAAAA") << QString()
                                     << u"ABCDEFG"_qs << QByteArray("ABCDEF\xAA\xAA", 8);
    QTest::newRow("stops at FF") << QByteArray("AB\xFF" "CD\xFF\x00\x00", 8) << u"AB"_qs
                                 << u"AB"_qs << QByteArray("AB\xFF\xFF\xFF\xFF\x00\x00", 8);
    QTest::newRow("00 ends the shown name") << QByteArray("AB\x00" "CD\xFF\xFF\xFF", 8) << u"AB"_qs
                                            << u"AB"_qs << QByteArray("AB\xFF\xFF\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("high bytes round-trip") << QByteArray("\x80\xE9\xFE" "A\xFF\xFF\xFF\xFF", 8)
                                           << u"\u0080\u00E9\u00FEA"_qs << u"\u0080\u00E9\u00FEA"_qs
                                           << QByteArray("\x80\xE9\xFE" "A\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("empty") << QByteArray("ABCDEF\x00\x00", 8) << u"ABCDEF"_qs << QString()
                           << QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\x00\x00", 8);
}

void TestChannelCodec::names()
{
    QFETCH(QByteArray, slot);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    MemoryImage image;
    image.copyIn(region::nameSlot(7), slot);
    QCOMPARE(readName(image, 7), shown);
    writeName(image, 7, typed);
    QCOMPARE(image.bytes(region::nameSlot(7), 8), stored);
    QCOMPARE(image.byte(region::nameSlot(8)), quint8(0));
}

void TestChannelCodec::emptyRecordShowsNothing()
{
    MemoryImage image;
    image.copyIn(region::channelRecord(3), QByteArray::fromHex("00252146002521468508412535"));
    image.copyIn(region::nameSlot(3), QByteArray("CH3"));
    QCOMPARE(channelTexts(image, 3, 0)[NameField], u"CH3"_qs);
    image.setByte(region::channelRecord(3) + 3, 0xFF);
    QVERIFY(isEmptyChannel(image, 3));
    QCOMPARE(channelTexts(image, 3, 0), ChannelTexts{});
    QVERIFY(isEmptyChannel(blankImage(), 1));
}

void TestChannelCodec::storeEmptyRowLeavesName()
{
    MemoryImage image;
    image.copyIn(region::nameSlot(5), QByteArray("NAME5\xFF\x07\x08", 8));
    storeChannelTexts(image, 5, ChannelTexts{QString(), u"462.12500"_qs});
    QCOMPARE(recordBytes(image, 5, 0, 16), QByteArray(16, '\xFF'));
    QCOMPARE(image.bytes(region::nameSlot(5), 8), QByteArray("NAME5\xFF\x07\x08", 8));
}

void TestChannelCodec::storeUnknownTexts()
{
    MemoryImage image = blankImage();
    storeChannelTexts(image, 2, ChannelTexts{u"462.12500"_qs});
    QCOMPARE(recordBytes(image, 2, 0, 16), QByteArray::fromHex("002521460000000000000000D8FFFFFF"));
    QCOMPARE(image.bytes(region::nameSlot(2), 8), QByteArray(8, '\xFF'));
}

void TestChannelCodec::frequencyCommit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("committed");
    QTest::newRow("above range") << u"480"_qs << u"470.00000"_qs;
    QTest::newRow("below range") << u"390"_qs << u"400.00000"_qs;
    QTest::newRow("zero deletes") << u"0"_qs << QString();
    QTest::newRow("empty deletes") << QString() << QString();
    QTest::newRow("6.25 grid kept") << u"462.0125"_qs << u"462.01250"_qs;
    QTest::newRow("5 grid kept") << u"462.0100"_qs << u"462.01000"_qs;
    QTest::newRow("snaps down") << u"462.0110"_qs << u"462.01000"_qs;
    QTest::newRow("tie to 5 kHz") << u"462.0030"_qs << u"462.00000"_qs;
    QTest::newRow("nearer 5 kHz below") << u"462.0060"_qs << u"462.00500"_qs;
    QTest::newRow("nearer 6.25 kHz below") << u"462.0070"_qs << u"462.00625"_qs;
    QTest::newRow("446.00625") << u"446.00625"_qs << u"446.00625"_qs;
    QTest::newRow("truncated before snap") << u"462.124999"_qs << u"462.12000"_qs;
    QTest::newRow("negative deletes") << u"-462"_qs << QString();
    QTest::newRow("nan deletes") << u"nan"_qs << QString();
    QTest::newRow("inf deletes") << u"inf"_qs << QString();
    QTest::newRow("huge clamps") << u"1e300"_qs << u"470.00000"_qs;
    QTest::newRow("tiny positive clamps up") << u"0.00001"_qs << u"400.00000"_qs;
    QTest::newRow("trailing junk") << u"450.5abc"_qs << u"450.50000"_qs;
}

void TestChannelCodec::frequencyCommit()
{
    QFETCH(QString, typed);
    QFETCH(QString, committed);
    QCOMPARE(committedFrequencyText(typed, FrequencyRange{}), committed);
}

void TestChannelCodec::frequencyRangeItem_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<quint32>("lower");
    QTest::addColumn<quint32>("upper");
    QTest::newRow("400-470MHz") << u"400-470MHz"_qs << quint32(40000000) << quint32(47000000);
    QTest::newRow("136 to 174") << u"136 to 174 MHz"_qs << quint32(13600000) << quint32(17400000);
    QTest::newRow("no second number") << u"400MHz"_qs << quint32(40000000) << quint32(47000000);
    QTest::newRow("no gap") << u"400"_qs << quint32(40000000) << quint32(47000000);
    QTest::newRow("leading letter") << u"x400-470"_qs << quint32(40000000) << quint32(47000000);
    QTest::newRow("saturates") << u"99999999999-1"_qs << quint32(0xFFFFFFFF) << quint32(100000);
}

void TestChannelCodec::frequencyRangeItem()
{
    QFETCH(QString, item);
    QFETCH(quint32, lower);
    QFETCH(quint32, upper);
    QCOMPARE(frequencyRangeFromItem(item), (FrequencyRange{lower, upper}));
}

// Random images shown as texts and stored back keep every byte the store owns,
// except where the shown text cannot carry the bytes (Off with a low byte,
// nibbles above 9, a name cut at 0x00).
void TestChannelCodec::randomImagesRoundTrip()
{
    auto *random = QRandomGenerator::global();
    const auto bcd = [random] { return bcdEncode(int(random->bounded(100))); };
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
                switch (random->bounded(4)) {
                case 0: writeTone(image, tone, ToneOff); break;
                case 1: writeTone(image, tone, ToneCode{bcdEncode(1 + int(random->bounded(79))), bcd()}); break;
                default: {
                    const quint16 d = DcsCodes.at(random->bounded(int(DcsCodes.size())));
                    const quint8 kind = random->bounded(2) ? 0x80 : 0xC0;
                    writeTone(image, tone, ToneCode{quint8(kind + d / 100), bcdEncode(d % 100)});
                }
                }
            }
            const quint8 flags = image.byte(base + record::Flags);
            if ((flags & record::BusyLockMask) == 3)
                image.setByte(base + record::Flags, flags & 0xFE);
            const int slot = region::nameSlot(channel);
            const int length = int(random->bounded(7));
            for (int k = 0; k < 6; ++k)
                image.setByte(slot + k, k < length ? quint8(1 + random->bounded(0xFE)) : 0xFF);
        }
        const quint8 lang = quint8(round % 3);
        MemoryImage stored = image;
        storeChannelTable(stored, channelTable(image, lang), image.byte(region::ModelIndex),
                          image.byte(region::FrequencyRangeIndex));
        MemoryImage expected = image;
        writeGridStoreFixedBytes(expected);
        for (int channel = 1; channel <= region::ChannelCount; ++channel) {
            if (isEmptyChannel(image, channel))
                for (int k = 0; k < 16; ++k)
                    expected.setByte(region::channelRecord(channel) + k, 0xFF);
        }
        QCOMPARE(firstDifference(stored, expected), QString());
        // Storing again changes nothing.
        MemoryImage again = stored;
        storeChannelTable(again, channelTable(stored, 2 - lang), stored.byte(region::ModelIndex),
                          stored.byte(region::FrequencyRangeIndex));
        QCOMPARE(again, stored);
    }
}

void TestChannelCodec::gridStoreFixedBytes()
{
    MemoryImage image = blankImage();
    ChannelTable table;
    table[0] = {u"462.12500"_qs, u"462.12500"_qs, u"88.5"_qs, u"D023N"_qs, u"Carrier"_qs,
                u"High"_qs, u"Add"_qs, u"Wide"_qs, u"CH1"_qs};
    storeChannelTable(image, table, 0, 0);
    QCOMPARE(recordBytes(image, 1, 0, 16), QByteArray::fromHex("002521460025214685082380FDFFFFFF"));
    QCOMPARE(image.bytes(region::nameSlot(1), 8), QByteArray("CH1\xFF\xFF\xFF\xFF\xFF", 8));
    QCOMPARE(image.bytes(0x0630, 16), QByteArray::fromHex("0000504300005043FFFFFFFF3FFFFFFF"));
    QCOMPARE(image.bytes(0x1D10, 4), QByteArray(4, '\0'));
    QCOMPARE(image.byte(0x1811), quint8(0x78));
    QCOMPARE(image.byte(0x1817), quint8(0x00));
    QCOMPARE(image.byte(0x1FD0), quint8(0x00));
    QCOMPARE(image.byte(0x1FD1), quint8(0x00));
    QCOMPARE(channelTable(image, 0)[0], table[0]);
    for (int channel = 2; channel <= region::ChannelCount; ++channel)
        QCOMPARE(recordBytes(image, channel, 0, 16), QByteArray(16, '\xFF'));
}

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channelcodec.moc"
