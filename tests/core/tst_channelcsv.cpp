// CSV records, the in-place editors' commit rules, and the grid CSV of kdw-cli.
#include "channels/cellcommit.h"
#include "channels/channelcsv.h"
#include "coretest.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;

namespace {

const QString Header = u"CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name\n"_qs;

} // namespace

class TestChannelCsv : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // fields joined by '|', records by '/'; or the error's line:column
        QTest::newRow("lf, no final break") << u"a,b\nc"_qs << u"a|b/c"_qs;
        QTest::newRow("empty fields") << u",,\r\n"_qs << u"||"_qs;
        QTest::newRow("blank line") << u"a\n\nb\n"_qs << u"a//b"_qs;
        QTest::newRow("spaces kept") << u" a , b \n"_qs << u" a | b "_qs;
        QTest::newRow("quoted line break") << u"\"a\r\nb\",c\r\nd\r\n"_qs << u"a\r\nb|c/d"_qs;
        QTest::newRow("text after closing quote") << u"a,\"b\"c\n"_qs << u"1:2"_qs;
        QTest::newRow("quote inside unquoted") << u"a\nb,c\"d\n"_qs << u"2:2"_qs;
        QTest::newRow("line counted through quoted break") << u"\"a\nb\"\nx\"\n"_qs << u"3:1"_qs;
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const CsvParseResult result = parseCsv(text);
        QStringList records;
        for (const auto &record : result.records)
            records << record.fields.join(u'|');
        QCOMPARE(result ? records.join(u'/') : u"%1:%2"_qs.arg(result.error->line).arg(result.error->column), parsed);
    }

    void writeQuotesOnlyWhenNeeded_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("written");
        QTest::newRow("space") << u"A B"_qs << u"A B"_qs;
        QTest::newRow("line feed") << u"A\nB"_qs << u"\"A\nB\""_qs;
        QTest::newRow("carriage return") << u"A\rB"_qs << u"\"A\rB\""_qs;
    }

    void writeQuotesOnlyWhenNeeded()
    {
        QFETCH(QString, field);
        QFETCH(QString, written);
        QCOMPARE(csvField(field), written);
        const CsvParseResult back = parseCsv(csvRecord({field, u"x"_qs}));
        QVERIFY(back);
        QCOMPARE(back.records.size(), 1);
        QCOMPARE(back.records.first().fields, (QStringList {field, u"x"_qs}));
    }

    void frequencyCommit_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("after");
        const QString empty = u"||||||||"_qs;
        const QString full = u"462.12500|462.12500|88.5|D023N|QDT|Low|Del|Narrow|CH1"_qs;
        QTest::newRow("new channel cht, clamped")
            << empty << int(RxFreqField) << u"480"_qs << 2 << u"470.00000|470.00000|關|關|關|高|添加|寬|"_qs;
        QTest::newRow("existing channel: the cell only") << full << int(RxFreqField) << u"462.006"_qs << 0
                                                         << u"462.00500|462.12500|88.5|D023N|QDT|Low|Del|Narrow|CH1"_qs;
        QTest::newRow("zero deletes, name too") << full << int(RxFreqField) << u"0"_qs << 0 << empty;
        QTest::newRow("tx of empty channel stays empty") << empty << int(TxFreqField) << u"462"_qs << 0 << empty;
    }

    void frequencyCommit()
    {
        QFETCH(QString, before);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(int, lang);
        QFETCH(QString, after);
        ChannelTexts texts = row(before);
        commitFrequencyCell(texts, ChannelField(field), typed, FrequencyRange {}, quint8(lang));
        QCOMPARE(cells(texts), kdw::test::texts(after));
    }

    void choiceCommitNeedsRxFreq()
    {
        ChannelTexts row;
        commitChoiceCell(row, NameField, u"CH1"_qs);
        QCOMPARE(row[NameField], QString());
        row[RxFreqField] = u"462.12500"_qs;
        commitChoiceCell(row, NameField, u"CH1"_qs);
        QCOMPARE(row[NameField], u"CH1"_qs);
    }

    void gridRows_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("row");
        QTest::newRow("full row") << Header + u"1,462.125,462.125,88.5,D023N,Carrier,High,Add,Wide,CH1\n"_qs << 1
                                  << u"462.12500|462.12500|88.5|D023N|Carrier|High|Add|Wide|CH1"_qs;
        QTest::newRow("empty cells keep new-channel texts")
            << Header + u"7,450\n"_qs << 7 << u"450.00000|450.00000|Off|Off|Off|High|Add|Wide|"_qs;
        QTest::newRow("cht header, choice texts, tx zero")
            << u"信道,接收頻率,發射頻率,接收信令,發射信令,繁忙鎖定,功率,掃描添加,帶寬,信道名稱\r\n"
               u"99,462.0070,0,關,D754I,關閉,低,刪除,窄,\"A,B\"\r\n"_qs
            << 99 << u"462.00625||關|D754I|關閉|低|刪除|窄|A,B"_qs;
        QTest::newRow("mixed languages") << Header + u"2,462.125,,关,Off,信令,High,删除,宽,\n"_qs << 2
                                         << u"462.12500|462.12500|关|Off|信令|High|删除|宽|"_qs;
        QTest::newRow("zero rx lists an empty channel") << Header + u"3,0\n"_qs << 3 << u"||||||||"_qs;
        QTest::newRow("blank lines skipped") << Header + u"\n4,,\n\n"_qs << 4 << u"||||||||"_qs;
    }

    void gridRows()
    {
        QFETCH(QString, csv);
        QFETCH(int, channel);
        QFETCH(QString, row);
        const GridCsvResult result = channelTableFromCsv(csv, filledImage(0xFF), 0);
        QVERIFY2(result, result.error ? qPrintable(result.error->message) : "");
        for (int other = 1; other <= region::ChannelCount; ++other)
            QCOMPARE(cells(result.table[std::size_t(other - 1)]), texts(other == channel ? row : u"||||||||"_qs));
    }

    void gridErrors_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::newRow("empty file") << QString() << 1 << 1;
        QTest::newRow("no header") << u"1,462.125\n"_qs << 1 << 1;
        QTest::newRow("malformed csv") << Header + u"1,\"462\n"_qs << 2 << 2;
        QTest::newRow("channel 0") << Header + u"0,462\n"_qs << 2 << 1;
        QTest::newRow("channel 100") << Header + u"100,462\n"_qs << 2 << 1;
        QTest::newRow("channel with sign") << Header + u"+1,462\n"_qs << 2 << 1;
        QTest::newRow("channel twice") << Header + u"5,462\n6,462\n5,463\n"_qs << 4 << 1;
        QTest::newRow("eleven fields") << Header + u"1,462,,,,,,,,A,\n"_qs << 2 << 11;
        QTest::newRow("negative frequency") << Header + u"1,462,-5\n"_qs << 2 << 3;
        QTest::newRow("two decimal points") << Header + u"1,462.1.2\n"_qs << 2 << 2;
        QTest::newRow("exponent frequency") << Header + u"1,1e300\n"_qs << 2 << 2;
        QTest::newRow("tone not in the list") << Header + u"1,462,462,88.6\n"_qs << 2 << 4;
        QTest::newRow("tone without polarity") << Header + u"1,462,462,Off,D023\n"_qs << 2 << 5;
        QTest::newRow("busy text in power") << Header + u"1,462,462,Off,Off,Off,Carrier\n"_qs << 2 << 7;
        QTest::newRow("unknown bandwidth") << Header + u"1,462,462,Off,Off,Off,High,Add,Medium\n"_qs << 2 << 9;
        QTest::newRow("name of 7") << Header + u"1,462,,,,,,,,CHAN001\n"_qs << 2 << 10;
        QTest::newRow("name with é") << Header + u"1,462,,,,,,,,\u00E9\n"_qs << 2 << 10;
        QTest::newRow("name with tab") << Header + u"1,462,,,,,,,,\"A\tB\"\n"_qs << 2 << 10;
        QTest::newRow("name with DEL") << Header + u"1,462,,,,,,,,A\u007F\n"_qs << 2 << 10;
        QTest::newRow("cells without rx") << Header + u"1,,462\n"_qs << 2 << 3;
        QTest::newRow("cells after deleting rx") << Header + u"1,0,,,,,,,,CH1\n"_qs << 2 << 10;
    }

    void gridErrors()
    {
        QFETCH(QString, csv);
        QFETCH(int, line);
        QFETCH(int, column);
        const GridCsvResult result = channelTableFromCsv(csv, filledImage(0xFF), 0);
        QVERIFY(!result);
        QCOMPARE(result.error->line, line);
        QCOMPARE(result.error->column, column);
        QVERIFY(!result.error->message.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
