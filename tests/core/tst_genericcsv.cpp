// The generic channel CSV: every tone mode, duplex and power form read into
// grid texts, the refusals with their lines, frequencies clamped to the
// Frequency Range, and export then import of an image changing no channel.
#include "core/channels/channeltable.h"
#include "core/channels/csvfile.h"
#include "core/channels/genericcsv.h"
#include "core/image/regions.h"
#include "coretest.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;

namespace {

const QString Header = u"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                       "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\r\n"_qs;

// An image with the channels of `rows` (grid texts '|'-separated, channel
// number first) stored by the grid store's rules.
MemoryImage imageOf(const QStringList &rows)
{
    MemoryImage image = filledImage(0xFF);
    for (const QString &line : rows)
        storeChannelTexts(image, line.section(u'|', 0, 0).toInt(), row(line.section(u'|', 1)));
    return image;
}

} // namespace

class TestGenericCsv : public QObject
{
    Q_OBJECT

private slots:
    // One generic row read into channel 1's grid texts (Busy Lock Off).
    void import_data()
    {
        QTest::addColumn<QString>("line"); // after "1,"
        QTest::addColumn<QString>("texts");
        QTest::newRow("simplex, no tone")
            << u"CH1,446.00625,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,"_qs
            << u"446.00625|446.00625|Off|Off|Off|High|Add|Wide|CH1"_qs;
        QTest::newRow("plus offset, Tone") << u",446.0,+,5.000000,Tone,67.0,88.5,023,NN,023,,NFM,12.5,S,Low,x"_qs
                                           << u"446.00000|451.00000|Off|67.0|Off|Low|Del|Narrow|"_qs;
        QTest::newRow("minus offset, TSQL") << u",446.0,-,5,TSQL,67.0,100.0,023,NN,023,,FM,,,5.0W,"_qs
                                            << u"446.00000|441.00000|100.0|100.0|Off|High|Add|Wide|"_qs;
        QTest::newRow("split, DTCS NR") << u",446.0,split,460.125,DTCS,,,754,NR,023,,FM,,,1.0W,"_qs
                                        << u"446.00000|460.12500|D754I|D754N|Off|Low|Add|Wide|"_qs;
        QTest::newRow("split without transmit")
            << u",446.0,split,0,,,,,,,,FM,,,,"_qs << u"446.00000|0.00000|Off|Off|Off|High|Add|Wide|"_qs;
        QTest::newRow("Cross Tone->Tone") << u",446.0,,,Cross,67.0,71.9,,,,Tone->Tone,FM,,,3W,"_qs
                                          << u"446.00000|446.00000|71.9|67.0|Off|High|Add|Wide|"_qs;
        QTest::newRow("Cross Tone->DTCS RR") << u",446.0,,,Cross,67.0,,,RR,023,Tone->DTCS,FM,,,2.9,"_qs
                                             << u"446.00000|446.00000|D023I|67.0|Off|Low|Add|Wide|"_qs;
        QTest::newRow("Cross DTCS->Tone RN") << u",446.0,,,Cross,,71.9,25,RN,,DTCS->Tone,FM,,,,"_qs
                                             << u"446.00000|446.00000|71.9|D025I|Off|High|Add|Wide|"_qs;
        QTest::newRow("Cross DTCS->DTCS NR") << u",446.0,,,Cross,,,025,NR,754,DTCS->DTCS,FM,,,,"_qs
                                             << u"446.00000|446.00000|D754I|D025N|Off|High|Add|Wide|"_qs;
        QTest::newRow("Cross ->Tone") << u",446.0,,,Cross,,254.1,,,,->Tone,FM,,,,"_qs
                                      << u"446.00000|446.00000|254.1|Off|Off|High|Add|Wide|"_qs;
        QTest::newRow("Cross ->DTCS") << u",446.0,,,Cross,,,,NR,017,->DTCS,FM,,,,"_qs
                                      << u"446.00000|446.00000|D017I|Off|Off|High|Add|Wide|"_qs;
        QTest::newRow("Cross DTCS->") << u",446.0,,,Cross,,,017,RN,,DTCS->,FM,,,,"_qs
                                      << u"446.00000|446.00000|Off|D017I|Off|High|Add|Wide|"_qs;
    }
    void import()
    {
        QFETCH(QString, line);
        QFETCH(QString, texts);
        const MemoryImage before = imageOf({u"2|401.0|401.0|Off|Off|Carrier|High|Add|Wide|KEEP"_qs});
        const GenericCsvImport result
            = importGenericChannelCsv(before, Header + u"1,"_qs + line + u"\r\n"_qs, Language::Eng);
        QVERIFY2(result, qPrintable(result.refusals.value(0).reason));
        QCOMPARE(cells(channelTexts(result.image, 1, Language::Eng)).join(u'|'), texts);
        QVERIFY(isEmptyChannel(result.image, 2));        // not listed: emptied
        QCOMPARE(readName(result.image, 2), u"KEEP"_qs); // as the grid store empties
    }

    // A row for a channel in use keeps what the format cannot carry, whatever
    // else it changes: Busy Lock (Carrier, QDT, and 3, which shows no text),
    // the record bits the grid does not show and, with Name empty, the name
    // byte for byte. An empty channel takes Busy Lock Off.
    void keepsWhatTheFormatLacks_data()
    {
        QTest::addColumn<int>("busyLock"); // of channel 1 before
        QTest::addColumn<QString>("line"); // after "1,"
        QTest::addColumn<QString>("texts");
        QTest::newRow("frequency moved, Carrier")
            << 1 << u",446.5,,,,,,,,,,FM,,,,"_qs << u"446.50000|446.50000|Off|Off|Carrier|High|Add|Wide|CH\u00E9"_qs;
        QTest::newRow("tones and power changed, QDT")
            << 2 << u",446.0,,,TSQL,,67.0,,,,,NFM,,S,Low,"_qs
            << u"446.00000|446.00000|67.0|67.0|QDT|Low|Del|Narrow|CH\u00E9"_qs;
        QTest::newRow("busy lock 3, split")
            << 3 << u",446.0,split,450,,,,,,,,FM,,,,"_qs << u"446.00000|450.00000|Off|Off||High|Add|Wide|CH\u00E9"_qs;
        QTest::newRow("a name given replaces it")
            << 1 << u"NEW,447.0,,,,,,,,,,FM,,,,"_qs << u"447.00000|447.00000|Off|Off|Carrier|High|Add|Wide|NEW"_qs;
    }
    void keepsWhatTheFormatLacks()
    {
        QFETCH(int, busyLock);
        QFETCH(QString, line);
        QFETCH(QString, texts);
        MemoryImage before = imageOf({u"1|446.0|446.0|Off|Off|Off|High|Add|Wide|CH"_qs});
        const int record = region::channelRecord(1);
        before.setByte(record + 12, quint8(before.byte(record + 12) | 0xC8 | busyLock));
        before.copyIn(record + 13, hex("A1B2C3"));
        before.copyIn(region::nameSlot(1) + 2, hex("E900FF7711"));
        const QString csv = Header + u"1,"_qs + line + u"\r\n2,,447.0,,,,,,,,,,FM,,,,\r\n"_qs;
        const GenericCsvImport result = importGenericChannelCsv(before, csv, Language::Eng);
        QVERIFY2(result, qPrintable(result.refusals.value(0).reason));
        QCOMPARE(cells(channelTexts(result.image, 1, Language::Eng)).join(u'|'), texts);
        QCOMPARE(result.image.byte(record + 12) & 0xCB, 0xC8 | busyLock);
        QCOMPARE(result.image.bytes(record + 13, 3), hex("A1B2C3"));
        if (texts.endsWith(u"CH\u00E9"_qs))
            QCOMPARE(result.image.bytes(region::nameSlot(1), 8), before.bytes(region::nameSlot(1), 8));
        QCOMPARE(cells(channelTexts(result.image, 2, Language::Eng)).join(u'|'),
                 u"447.00000|447.00000|Off|Off|Off|High|Add|Wide|"_qs);
    }

    // Columns in another order, columns the radio lacks and a BOM-less file
    // from another tool with extra columns.
    void columnsByName()
    {
        const QString csv = u"Frequency,Location,URCALL,Name\n450.5,7,CQCQCQ,ABC\n"_qs;
        const GenericCsvImport result = importGenericChannelCsv(filledImage(0xFF), csv, Language::Eng);
        QVERIFY(result);
        QCOMPARE(cells(channelTexts(result.image, 7, Language::Eng)).join(u'|'),
                 u"450.50000|450.50000|Off|Off|Off|High|Add|Wide|ABC"_qs);
    }

    // Every row that cannot be represented is listed with its line; nothing
    // changes.
    void refusals_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QString>("reason"); // a part of the first reason
        QTest::newRow("no frequency") << u"1,,0,,,,,,,,,,FM,,,,"_qs << QList<int>{2} << u"outside 400-470"_qs;
        QTest::newRow("transmit below 0 MHz") << u"1,,446,-,447,,,,,,,,FM,,,,"_qs << QList<int>{2} << u"Offset"_qs;
        QTest::newRow("finer than 10 Hz") << u"1,,446.000001,,,,,,,,,,FM,,,,"_qs << QList<int>{2} << u"5 decimals"_qs;
        QTest::newRow("tone not in the list") << u"1,,446,,,Tone,69.4,,,,,,FM,,,,"_qs << QList<int>{2} << u"69.4"_qs;
        QTest::newRow("DCS code not in the list")
            << u"1,,446,,,DTCS,,,024,NN,,,FM,,,,"_qs << QList<int>{2} << u"024"_qs;
        QTest::newRow("name too long") << u"1,SEVENCH,446,,,,,,,,,,FM,,,,"_qs << QList<int>{2} << u"SEVENCH"_qs;
        QTest::newRow("name not ASCII") << u"1,é,446,,,,,,,,,,FM,,,,"_qs << QList<int>{2} << u"Name"_qs;
        QTest::newRow("unknown Duplex") << u"1,,446,off,,,,,,,,,FM,,,,"_qs << QList<int>{2} << u"Duplex"_qs;
        QTest::newRow("unknown Tone") << u"1,,446,,,DTCS-R,,,,,,,FM,,,,"_qs << QList<int>{2} << u"Tone"_qs;
        QTest::newRow("unknown CrossMode")
            << u"1,,446,,,Cross,,,,,,Tone->,FM,,,,"_qs << QList<int>{2} << u"CrossMode"_qs;
        QTest::newRow("unknown Mode") << u"1,,446,,,,,,,,,,AM,,,,"_qs << QList<int>{2} << u"AM"_qs;
        QTest::newRow("unknown polarity") << u"1,,446,,,DTCS,,,023,NX,,,FM,,,,"_qs << QList<int>{2} << u"NX"_qs;
        QTest::newRow("Location 0 and 100, a good row between")
            << u"0,,446,,,,,,,,,,FM,,,,\r\n5,,446,,,,,,,,,,FM,,,,\r\n100,,446,,,,,,,,,,FM,,,,"_qs << QList<int>{2, 4}
            << u"Location"_qs;
        QTest::newRow("Location twice") << u"5,,446,,,,,,,,,,FM,,,,\r\n5,,447,,,,,,,,,,FM,,,,"_qs << QList<int>{3}
                                        << u"line 2"_qs;
    }
    void refusals()
    {
        QFETCH(QString, rows);
        QFETCH(QList<int>, lines);
        QFETCH(QString, reason);
        const MemoryImage before = imageOf({u"3|401.0|401.0|Off|Off|Off|High|Add|Wide|"_qs});
        const GenericCsvImport result = importGenericChannelCsv(before, Header + rows + u"\r\n"_qs, Language::Eng);
        QVERIFY(!result);
        QList<int> refused;
        for (const auto &r : result.refusals)
            refused.append(r.line);
        QCOMPARE(refused, lines);
        QVERIFY2(result.refusals.first().reason.contains(reason), qPrintable(result.refusals.first().reason));
        QCOMPARE(firstDifference(result.image, before), QString());
    }

    // A frequency outside the document's Frequency Range is clamped to it as
    // typing clamps it, and each change is named as the channel table's are;
    // nothing else about the row changes.
    void clampsToTheFrequencyRange_data()
    {
        QTest::addColumn<quint32>("lower"); // the range, MHz
        QTest::addColumn<quint32>("upper");
        QTest::addColumn<QString>("line"); // after "1,"
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("inside 400-470, above a narrower range")
            << 430u << 440u << u",446.5,,,,,,,,,,FM,,,,"_qs << u"440.00000|440.00000|Off|Off|Off|High|Add|Wide|"_qs
            << QStringList{u"line 2, Rx Freq: 446.5 became 440.00000"_qs};
        QTest::newRow("split transmit below a narrower range")
            << 430u << 440u << u",435,split,420.5,,,,,,,,FM,,,,"_qs
            << u"435.00000|430.00000|Off|Off|Off|High|Add|Wide|"_qs
            << QStringList{u"line 2, Tx Freq: 420.5 became 430.00000"_qs};
        QTest::newRow("inside a narrower range")
            << 430u << 440u << u",435,+,5,,,,,,,,FM,,,,"_qs << u"435.00000|440.00000|Off|Off|Off|High|Add|Wide|"_qs
            << QStringList{};
        QTest::newRow("below 400 MHz") << 400u << 470u << u",399.99,,,,,,,,,,FM,,,,"_qs
                                       << u"400.00000|400.00000|Off|Off|Off|High|Add|Wide|"_qs
                                       << QStringList{u"line 2, Rx Freq: 399.99 became 400.00000"_qs};
        QTest::newRow("transmit by offset above 470 MHz, both clamped")
            << 400u << 470u << u",471,+,5,,,,,,,,FM,,,,"_qs << u"470.00000|470.00000|Off|Off|Off|High|Add|Wide|"_qs
            << texts(u"line 2, Rx Freq: 471 became 470.00000|line 2, Tx Freq: 476.000000 became 470.00000");
    }
    void clampsToTheFrequencyRange()
    {
        QFETCH(quint32, lower);
        QFETCH(quint32, upper);
        QFETCH(QString, line);
        QFETCH(QString, texts);
        QFETCH(QStringList, changes);
        const FrequencyRange range{lower * 100000, upper * 100000};
        const ChannelCsvImport result = importChannelCsv(filledImage(0xFF), Header + u"1,"_qs + line + u"\r\n"_qs,
                                                         ChannelCsvFormat::Generic, Language::Eng, range);
        QVERIFY2(result, qPrintable(result.refusals.value(0)));
        QCOMPARE(cells(channelTexts(result.image, 1, Language::Eng)).join(u'|'), texts);
        QCOMPARE(result.changes, changes);
    }

    void headerWithoutFrequency()
    {
        const GenericCsvImport result
            = importGenericChannelCsv(filledImage(0xFF), u"Location,Name\n1,A\n"_qs, Language::Cht);
        QVERIFY(!result);
        QCOMPARE(result.refusals.first().line, 1);
        QVERIFY(result.refusals.first().reason.contains(u"Frequency"_qs));
    }

    // Export then import gives the image back byte for byte: every tone mode,
    // both duplex signs, a channel without transmit frequency, Busy Lock and
    // the record bits the grid does not show.
    void roundTripChangesNothing()
    {
        MemoryImage image = imageOf({
            u"1|446.00625|446.00625|Off|Off|Off|High|Add|Wide|CH1"_qs,
            u"2|446.0|451.0|Off|67.0|Carrier|Low|Del|Narrow|"_qs,
            u"3|446.0|441.0|100.0|100.0|QDT|High|Add|Wide|T,Q\""_qs,
            u"4|446.0|460.125|D754I|D754N|Off|Low|Add|Wide|"_qs,
            u"5|446.0||Off|Off|Off|High|Add|Wide|"_qs,
            u"6|446.0|446.0|71.9|67.0|Off|High|Add|Wide|"_qs,
            u"7|446.0|446.0|D023I|67.0|Off|Low|Add|Wide|"_qs,
            u"8|446.0|446.0|71.9|D025I|Off|High|Add|Wide|"_qs,
            u"9|446.0|446.0|D754I|D025N|Off|High|Add|Wide|"_qs,
            u"10|446.0|446.0|254.1|Off|Off|High|Add|Wide|"_qs,
            u"11|446.0|446.0|D017I|Off|Off|High|Add|Wide|"_qs,
            u"99|469.975|446.0|Off|D017I|Off|High|Add|Wide|LAST"_qs,
        });
        image.copyIn(region::channelRecord(4) + 13, hex("A1B2C3"));
        image.setByte(region::channelRecord(4) + 12, image.byte(region::channelRecord(4) + 12) | 0xC8);
        image.setByte(region::nameSlot(1) + 1, 0xE9); // a name byte a user cannot type
        const QString csv = genericChannelCsv(image);
        QCOMPARE(csv.count(u"\r\n"_qs), 13);
        QVERIFY(csv.contains(u"\r\n2,,446.000000,+,5.000000,Tone,67.0,"_qs));
        QVERIFY(csv.contains(u"\r\n5,,446.000000,split,0.000000,,"_qs));
        QVERIFY(csv.contains(u",Cross,88.5,71.9,025,RN,023,DTCS->Tone,FM,5.00,,High,\r\n"_qs));
        const GenericCsvImport back = importGenericChannelCsv(image, csv, Language::Eng);
        QVERIFY2(back, qPrintable(back.refusals.value(0).reason));
        QCOMPARE(firstDifference(back.image, image), QString());
    }
};

QTEST_GUILESS_MAIN(TestGenericCsv)
#include "tst_genericcsv.moc"
