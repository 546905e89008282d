// The generic channel CSV: every tone mode, duplex and power form read into
// grid texts, the rows left out with their reasons, the changes listed, the
// placement of rows, whole-plan files of the shapes other tools export, and
// export then import of an image changing no channel.
#include "core/channels/channeltable.h"
#include "core/channels/csvfile.h"
#include "core/channels/genericcsv.h"
#include "core/image/regions.h"
#include "coretest.h"

#include <QTest>

Q_DECLARE_METATYPE(kdw::GenericCsvOptions)

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

// The first reason the import gives, for a failure message.
QByteArray problem(const GenericCsvImport &result)
{
    const auto first = result.fault ? result.fault
                                    : (result.leftOut.isEmpty() ? std::nullopt : std::optional(result.leftOut.first()));
    return first ? first->reason.toUtf8() : QByteArray();
}

// "line:column:title" of each row left out.
QStringList leftOutAt(const GenericCsvImport &result)
{
    QStringList at;
    for (const GenericCsvRefusal &row : result.leftOut)
        at.append(u"%1:%2:%3"_qs.arg(row.line).arg(row.column).arg(row.title));
    return at;
}

QString planFile(const QString &name)
{
    return QString::fromUtf8(readFile(QStringLiteral(KDW_SOURCE_DIR "/tests/core/data/") + name));
}

} // namespace

class TestGenericCsv : public QObject
{
    Q_OBJECT

private slots:
    // One generic row read into channel 1's grid texts (Busy Lock Off). What
    // the radio holds otherwise is changed and listed: a name cut or with
    // characters it cannot show, a frequency off the channel step. The window
    // and kdw-cli show these lines as they show the grid format's.
    void import_data()
    {
        QTest::addColumn<QString>("line"); // after "1,"
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QStringList>("changes");
        const QStringList none;
        QTest::newRow("simplex, no tone")
            << u"CH1,446.00625,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,"_qs
            << u"446.00625|446.00625|Off|Off|Off|High|Add|Wide|CH1"_qs << none;
        QTest::newRow("plus offset, Tone") << u",446.0,+,5.000000,Tone,67.0,88.5,023,NN,023,,NFM,12.5,S,Low,x"_qs
                                           << u"446.00000|451.00000|Off|67.0|Off|Low|Del|Narrow|"_qs << none;
        QTest::newRow("minus offset, TSQL") << u",446.0,-,5,TSQL,67.0,100.0,023,NN,023,,FM,,,5.0W,"_qs
                                            << u"446.00000|441.00000|100.0|100.0|Off|High|Add|Wide|"_qs << none;
        QTest::newRow("split, DTCS NR") << u",446.0,split,460.125,DTCS,,,754,NR,023,,FM,,,1.0W,"_qs
                                        << u"446.00000|460.12500|D754I|D754N|Off|Low|Add|Wide|"_qs << none;
        QTest::newRow("split without transmit")
            << u",446.0,split,0,,,,,,,,FM,,,,"_qs << u"446.00000|0.00000|Off|Off|Off|High|Add|Wide|"_qs << none;
        QTest::newRow("receive only") << u",446.0,off,,,,,,,,,,,,mid,"_qs
                                      << u"446.00000|0.00000|Off|Off|Off|Low|Add|Wide|"_qs << none;
        QTest::newRow("long name") << u"WW7PSR-R,446.5,,,,,,,,,,,,,,"_qs
                                   << u"446.50000|446.50000|Off|Off|Off|High|Add|Wide|WW7PSR"_qs
                                   << QStringList{u"line 2, Name: WW7PSR-R became WW7PSR"_qs};
        QTest::newRow("accents and other characters")
            << u"Zür中,446.5,,,,,,,,,,,,,,"_qs << u"446.50000|446.50000|Off|Off|Off|High|Add|Wide|Zur?"_qs
            << QStringList{u"line 2, Name: Zür中 became Zur?"_qs};
        QTest::newRow("off the step, and finer than 10 Hz")
            << u",446.00313,split,446.0000001,,,,,,,,,,,,"_qs << u"446.00000|446.00000|Off|Off|Off|High|Add|Wide|"_qs
            << texts(u"line 2, Rx Freq: 446.00313 became 446.00000|line 2, Tx Freq: 446.0000001 became 446.00000");
    }
    void import()
    {
        QFETCH(QString, line);
        QFETCH(QString, texts);
        QFETCH(QStringList, changes);
        const MemoryImage before = imageOf({u"2|401.0|401.0|Off|Off|Carrier|High|Add|Wide|KEEP"_qs});
        const ChannelCsvImport result = importChannelCsv(before, Header + u"1,"_qs + line + u"\r\n"_qs,
                                                         ChannelCsvFormat::Generic, Language::Eng, FrequencyRange{});
        QVERIFY2(result && result.leftOut.isEmpty(), qPrintable(result.refusals.value(0) + result.leftOut.value(0)));
        QCOMPARE(cells(channelTexts(result.image, 1, Language::Eng)).join(u'|'), texts);
        QCOMPARE(result.changes, changes);
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
        QVERIFY2(result && result.leftOut.isEmpty(), problem(result));
        QCOMPARE(cells(channelTexts(result.image, 1, Language::Eng)).join(u'|'), texts);
        QCOMPARE(result.image.byte(record + 12) & 0xCB, 0xC8 | busyLock);
        QCOMPARE(result.image.bytes(record + 13, 3), hex("A1B2C3"));
        if (texts.endsWith(u"CH\u00E9"_qs))
            QCOMPARE(result.image.bytes(region::nameSlot(1), 8), before.bytes(region::nameSlot(1), 8));
        QCOMPARE(cells(channelTexts(result.image, 2, Language::Eng)).join(u'|'),
                 u"447.00000|447.00000|Off|Off|Off|High|Add|Wide|"_qs);
    }

    // Columns in another order, and columns the radio lacks, named once.
    void columnsByName()
    {
        const QString csv = u"Frequency,Location,URCALL,Name,Comment\n450.5,7,CQCQCQ,ABC,\n"_qs;
        const GenericCsvImport result = importGenericChannelCsv(filledImage(0xFF), csv, Language::Eng);
        QVERIFY(result && result.leftOut.isEmpty());
        QCOMPARE(result.ignoredColumns, texts(u"URCALL|Comment"));
        QCOMPARE(cells(channelTexts(result.image, 7, Language::Eng)).join(u'|'),
                 u"450.50000|450.50000|Off|Off|Off|High|Add|Wide|ABC"_qs);
    }

    // Each row the radio cannot hold is left out with one reason, named by the
    // file's column; the rows around it come in and no frequency is moved.
    void leftOut_data()
    {
        QTest::addColumn<QString>("row");    // between two good rows, as line 3
        QTest::addColumn<QString>("at");     // line:column:title
        QTest::addColumn<QString>("reason"); // in full
        const QString outside = u"Rx %1 MHz is outside the Frequency Range 400-470 MHz"_qs;
        QTest::newRow("below the band") << u"5,,146.52,,,,,,,,,,FM,,,,"_qs << u"3:3:Frequency"_qs
                                        << outside.arg(u"146.52000"_qs);
        QTest::newRow("no frequency") << u"5,,0,,,,,,,,,,FM,,,,"_qs << u"3:3:Frequency"_qs
                                      << outside.arg(u"0.00000"_qs);
        QTest::newRow("Hz, not MHz") << u"5,,446006250,,,,,,,,,,FM,,,,"_qs << u"3:3:Frequency"_qs
                                     << u"\"446006250\" is not a frequency in MHz, for example 446.00625"_qs;
        QTest::newRow("repeater Tx above the band")
            << u"5,,468,+,5,,,,,,,,FM,,,,"_qs << u"3:5:Offset"_qs
            << u"Tx 473.00000 MHz is outside the Frequency Range 400-470 MHz"_qs;
        QTest::newRow("Tx below 0") << u"5,,446,-,447,,,,,,,,FM,,,,"_qs << u"3:5:Offset"_qs
                                    << u"Tx 0.00000 MHz is outside the Frequency Range 400-470 MHz"_qs;
        QTest::newRow("AM") << u"5,,446,,,,,,,,,,AM,,,,"_qs << u"3:13:Mode"_qs
                            << u"\"AM\": the radio has only FM and NFM"_qs;
        QTest::newRow("TSQL-R") << u"5,,446,,,TSQL-R,,,,,,,FM,,,,"_qs << u"3:6:Tone"_qs
                                << u"\"TSQL-R\": the radio has no reverse squelch"_qs;
        QTest::newRow("DTCS-R") << u"5,,446,,,DTCS-R,,,,,,,FM,,,,"_qs << u"3:6:Tone"_qs
                                << u"\"DTCS-R\": the radio has no reverse squelch"_qs;
        QTest::newRow("tone not in the list")
            << u"5,,446,,,Tone,69.4,,,,,,FM,,,,"_qs << u"3:7:rToneFreq"_qs << u"\"69.4\" is not in the tone list"_qs;
        QTest::newRow("DCS code not in the list")
            << u"5,,446,,,DTCS,,,024,NN,,,FM,,,,"_qs << u"3:9:DtcsCode"_qs << u"\"024\" is not in the tone list"_qs;
        QTest::newRow("unknown polarity") << u"5,,446,,,DTCS,,,023,NX,,,FM,,,,"_qs << u"3:10:DtcsPolarity"_qs
                                          << u"\"NX\" is not a value of this column"_qs;
        QTest::newRow("unknown Duplex") << u"5,,446,x,,,,,,,,,FM,,,,"_qs << u"3:4:Duplex"_qs
                                        << u"\"x\" is not a value of this column"_qs;
        QTest::newRow("unknown CrossMode") << u"5,,446,,,Cross,,,,,,Tone=>,FM,,,,"_qs << u"3:12:CrossMode"_qs
                                           << u"\"Tone=>\" is not a value of this column"_qs;
        QTest::newRow("unknown Power") << u"5,,446,,,,,,,,,,FM,,,max,"_qs << u"3:16:Power"_qs
                                       << u"\"max\" is not a value of this column"_qs;
        QTest::newRow("Location 0") << u"0,,446,,,,,,,,,,FM,,,,"_qs << u"3:1:Location"_qs
                                    << u"\"0\" is not a channel from 1 to 99"_qs;
        QTest::newRow("Location 100") << u"100,,446,,,,,,,,,,FM,,,,"_qs << u"3:1:Location"_qs
                                      << u"\"100\" is not a channel from 1 to 99"_qs;
        QTest::newRow("Location taken") << u"2,,447,,,,,,,,,,FM,,,,"_qs << u"3:1:Location"_qs
                                        << u"channel 2 is already taken by line 2"_qs;
    }
    void leftOut()
    {
        QFETCH(QString, row);
        QFETCH(QString, at);
        QFETCH(QString, reason);
        const QString csv = Header + u"2,,446.5,,,,,,,,,,FM,,,,\r\n"_qs + row + u"\r\n9,,446.5,,,,,,,,,,FM,,,,\r\n"_qs;
        const GenericCsvImport result = importGenericChannelCsv(filledImage(0xFF), csv, Language::Eng);
        QVERIFY2(result, problem(result));
        QCOMPARE(leftOutAt(result), QStringList{at});
        QCOMPARE(result.leftOut.first().reason, reason);
        QCOMPARE(result.taken, 2);
        QVERIFY(!isEmptyChannel(result.image, 2) && !isEmptyChannel(result.image, 9));
        QVERIFY(isEmptyChannel(result.image, 5));
    }

    // Whole plans of the shapes other tools export, placed by Location or in
    // file order: which rows come in where, which are left out and why.
    void wholePlanFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<GenericCsvOptions>("options");
        QTest::addColumn<QStringList>("leftOut");  // line:column:title
        QTest::addColumn<QStringList>("channels"); // "N|grid texts" of channels in use
        const QString receiveOnly = u"462.55000|0.00000|Off|Off|Off|High|Add|Wide|RX ONL"_qs;
        const QString zurich = u"439.98750|432.38750|Off|67.0|Off|Low|Add|Wide|Zurich"_qs;
        QTest::newRow("numbered from 0, mixed bands, by Location")
            << u"from_zero_mixed.csv"_qs << GenericCsvOptions{}
            << texts(u"2:1:Location|4:5:Offset|5:5:Offset|8:13:Mode|9:6:Tone")
            << QStringList{u"1|442.87500|447.87500|Off|103.5|Off|High|Add|Wide|WW7PSR"_qs,
                           u"4|462.56250|462.56250|D411N|D411I|Off|Low|Del|Narrow|GMRS 1"_qs, u"5|"_qs + receiveOnly,
                           u"8|"_qs + zurich, u"9|446.00000|446.00000|Off|Off|Off|High|Add|Wide|SNAP"_qs};
        QTest::newRow("numbered from 0, mixed bands, in order from 50")
            << u"from_zero_mixed.csv"_qs << GenericCsvOptions{GenericPlacement::InOrder, 50}
            << texts(u"2:3:Frequency|4:5:Offset|5:5:Offset|8:13:Mode|9:6:Tone")
            << QStringList{u"50|442.87500|447.87500|Off|103.5|Off|High|Add|Wide|WW7PSR"_qs,
                           u"51|462.56250|462.56250|D411N|D411I|Off|Low|Del|Narrow|GMRS 1"_qs, u"52|"_qs + receiveOnly,
                           u"53|"_qs + zurich, u"54|446.00000|446.00000|Off|Off|Off|High|Add|Wide|SNAP"_qs};
        QTest::newRow("past channel 99 in order")
            << u"from_zero_mixed.csv"_qs << GenericCsvOptions{GenericPlacement::InOrder, 98}
            << texts(u"2:3:Frequency|4:5:Offset|5:5:Offset|7:0:|8:13:Mode|9:6:Tone|10:0:|11:0:")
            << QStringList{u"98|442.87500|447.87500|Off|103.5|Off|High|Add|Wide|WW7PSR"_qs,
                           u"99|462.56250|462.56250|D411N|D411I|Off|Low|Del|Narrow|GMRS 1"_qs};
        // Rx tone before Tx tone, as the grid shows them.
        QTest::newRow("every tone mode and cross mode")
            << u"cross_modes.csv"_qs << GenericCsvOptions{} << QStringList{} << [] {
                   // Channel, Rx tone, Tx tone and name; each at its own frequency.
                   const QStringList tones = texts(u"71.9 67.0 T-T|D754I 67.0 T-D|71.9 D025I D-T|D754I D025N D-D|"
                                                   u"Off 100.0 T-|254.1 Off -T|Off D017I D-|D017I Off -D|"
                                                   u"Off 67.0 TONE|100.0 100.0 TSQL|D754I D754I DTCS");
                   QStringList channels;
                   for (int n = 1; n <= tones.size(); ++n) {
                       const QStringList t = tones.at(n - 1).split(u' ');
                       const QString f = frequencyText(44600000 + quint32(n) * 625);
                       channels.append(u"%1|%2|%2|%3|%4|Off|High|Add|Wide|%5"_qs.arg(n).arg(f, t[0], t[1], t[2]));
                   }
                   return channels;
               }();
    }
    void wholePlanFiles()
    {
        QFETCH(QString, file);
        QFETCH(GenericCsvOptions, options);
        QFETCH(QStringList, leftOut);
        QFETCH(QStringList, channels);
        const GenericCsvImport result
            = importGenericChannelCsv(filledImage(0xFF), planFile(file), Language::Eng, FrequencyRange{}, options);
        QVERIFY2(result, problem(result));
        QCOMPARE(leftOutAt(result), leftOut);
        QStringList inUse;
        for (int n = 1; n <= region::ChannelCount; ++n) {
            if (!isEmptyChannel(result.image, n))
                inUse.append(QString::number(n) + u'|'
                             + cells(channelTexts(result.image, n, Language::Eng)).join(u'|'));
        }
        QCOMPARE(inUse, channels);
        QCOMPARE(result.irregularNumbering, file.startsWith(u"from_zero"_qs));
    }

    void headerWithoutFrequency()
    {
        const GenericCsvImport result
            = importGenericChannelCsv(filledImage(0xFF), u"Location,Name\n1,A\n"_qs, Language::Cht);
        QVERIFY(!result);
        QCOMPARE(result.fault->line, 1);
        QCOMPARE(result.fault->reason, u"表頭沒有 Frequency 欄"_qs);
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
        QVERIFY2(back && back.leftOut.isEmpty() && back.changes.isEmpty(), problem(back));
        QCOMPARE(firstDifference(back.image, image), QString());
    }
};

QTEST_GUILESS_MAIN(TestGenericCsv)
#include "tst_genericcsv.moc"
