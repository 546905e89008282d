#include "channels/cellcommit.h"
#include "channels/channelcsv.h"
#include "channels/csv.h"
#include "image/regions.h"

#include <QTest>

using namespace kdw;

namespace {

const QString Header = u"CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name\n"_qs;

MemoryImage blankImage()
{
    MemoryImage image;
    image.fill(0xFF);
    return image;
}

} // namespace

class TestChannelCsv : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parseErrors_data();
    void parseErrors();
    void writeQuotesOnlyWhenNeeded_data();
    void writeQuotesOnlyWhenNeeded();
    void frequencyCommit_data();
    void frequencyCommit();
    void choiceCommitNeedsRxFreq();
    void gridRows_data();
    void gridRows();
    void gridErrors_data();
    void gridErrors();
    void tableCsvRoundTrip();
};

void TestChannelCsv::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("records");
    QTest::newRow("empty input") << QString() << QList<QStringList>{};
    QTest::newRow("crlf, final break") << u"a,b\r\nc,d\r\n"_qs << QList<QStringList>{{u"a"_qs, u"b"_qs}, {u"c"_qs, u"d"_qs}};
    QTest::newRow("lf, no final break") << u"a,b\nc"_qs << QList<QStringList>{{u"a"_qs, u"b"_qs}, {u"c"_qs}};
    QTest::newRow("empty fields") << u",,\n"_qs << QList<QStringList>{{QString(), QString(), QString()}};
    QTest::newRow("blank line") << u"a\n\nb\n"_qs << QList<QStringList>{{u"a"_qs}, {QString()}, {u"b"_qs}};
    QTest::newRow("quoted comma and quote") << u"\"a,\"\"b\"\"\",c\n"_qs << QList<QStringList>{{u"a,\"b\""_qs, u"c"_qs}};
    QTest::newRow("quoted line break") << u"\"a\r\nb\",c\r\nd\r\n"_qs << QList<QStringList>{{u"a\r\nb"_qs, u"c"_qs}, {u"d"_qs}};
    QTest::newRow("empty quoted") << u"\"\",x"_qs << QList<QStringList>{{QString(), u"x"_qs}};
    QTest::newRow("spaces kept") << u" a , b \n"_qs << QList<QStringList>{{u" a "_qs, u" b "_qs}};
}

void TestChannelCsv::parse()
{
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, records);
    const CsvParseResult result = parseCsv(text);
    QVERIFY(result);
    QList<QStringList> fields;
    for (const auto &record : result.records)
        fields.append(record.fields);
    QCOMPARE(fields, records);
}

void TestChannelCsv::parseErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::newRow("unclosed quote") << u"a\nb,\"c\nd"_qs << 2 << 2;
    QTest::newRow("text after closing quote") << u"a,\"b\"c\n"_qs << 1 << 2;
    QTest::newRow("quote inside unquoted") << u"a\nb,c\"d\n"_qs << 2 << 2;
    QTest::newRow("line counted through quoted break") << u"\"a\nb\"\nx\"\n"_qs << 3 << 1;
}

void TestChannelCsv::parseErrors()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);
    const CsvParseResult result = parseCsv(text);
    QVERIFY(!result);
    QCOMPARE(result.error->line, line);
    QCOMPARE(result.error->column, column);
}

void TestChannelCsv::writeQuotesOnlyWhenNeeded_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << u"CH1"_qs << u"CH1"_qs;
    QTest::newRow("space") << u"A B"_qs << u"A B"_qs;
    QTest::newRow("comma") << u"A,B"_qs << u"\"A,B\""_qs;
    QTest::newRow("quote") << u"A\"B"_qs << u"\"A\"\"B\""_qs;
    QTest::newRow("line feed") << u"A\nB"_qs << u"\"A\nB\""_qs;
    QTest::newRow("carriage return") << u"A\rB"_qs << u"\"A\rB\""_qs;
    QTest::newRow("chinese") << u"信道"_qs << u"信道"_qs;
}

void TestChannelCsv::writeQuotesOnlyWhenNeeded()
{
    QFETCH(QString, field);
    QFETCH(QString, written);
    QCOMPARE(csvField(field), written);
    const CsvParseResult back = parseCsv(csvRecord({field, u"x"_qs}));
    QVERIFY(back);
    QCOMPARE(back.records.size(), 1);
    QCOMPARE(back.records.first().fields, (QStringList{field, u"x"_qs}));
}

void TestChannelCsv::frequencyCommit_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<quint8>("lang");
    QTest::addColumn<QStringList>("after");
    const QStringList empty(9);
    const QStringList full{u"462.12500"_qs, u"462.12500"_qs, u"88.5"_qs, u"D023N"_qs, u"QDT"_qs,
                           u"Low"_qs, u"Del"_qs, u"Narrow"_qs, u"CH1"_qs};
    QTest::newRow("new channel eng") << empty << int(RxFreqField) << u"446.00625"_qs << quint8(0)
                                     << QStringList{u"446.00625"_qs, u"446.00625"_qs, u"Off"_qs, u"Off"_qs, u"Off"_qs,
                                                    u"High"_qs, u"Add"_qs, u"Wide"_qs, QString()};
    QTest::newRow("new channel chs") << empty << int(RxFreqField) << u"446.00625"_qs << quint8(1)
                                     << QStringList{u"446.00625"_qs, u"446.00625"_qs, u"关"_qs, u"关"_qs, u"关"_qs,
                                                    u"高"_qs, u"添加"_qs, u"宽"_qs, QString()};
    QTest::newRow("new channel cht") << empty << int(RxFreqField) << u"480"_qs << quint8(2)
                                     << QStringList{u"470.00000"_qs, u"470.00000"_qs, u"關"_qs, u"關"_qs, u"關"_qs,
                                                    u"高"_qs, u"添加"_qs, u"寬"_qs, QString()};
    QStringList changed = full;
    changed[0] = u"462.00500"_qs;
    QTest::newRow("existing channel") << full << int(RxFreqField) << u"462.006"_qs << quint8(0) << changed;
    QTest::newRow("zero deletes, name too") << full << int(RxFreqField) << u"0"_qs << quint8(0) << empty;
    QTest::newRow("empty deletes") << full << int(RxFreqField) << QString() << quint8(0) << empty;
    changed = full;
    changed[1] = QString();
    QTest::newRow("tx zero empties the cell") << full << int(TxFreqField) << u"0"_qs << quint8(0) << changed;
    changed[1] = u"400.00000"_qs;
    QTest::newRow("tx clamps") << full << int(TxFreqField) << u"1"_qs << quint8(0) << changed;
    QTest::newRow("tx of empty channel stays empty") << empty << int(TxFreqField) << u"462"_qs << quint8(0) << empty;
}

void TestChannelCsv::frequencyCommit()
{
    QFETCH(QStringList, before);
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(quint8, lang);
    QFETCH(QStringList, after);
    ChannelTexts row;
    std::copy(before.begin(), before.end(), row.begin());
    commitFrequencyCell(row, ChannelField(field), typed, FrequencyRange{}, lang);
    QCOMPARE(QStringList(row.begin(), row.end()), after);
}

void TestChannelCsv::choiceCommitNeedsRxFreq()
{
    ChannelTexts row;
    commitChoiceCell(row, NameField, u"CH1"_qs);
    QCOMPARE(row[NameField], QString());
    row[RxFreqField] = u"462.12500"_qs;
    commitChoiceCell(row, NameField, u"CH1"_qs);
    QCOMPARE(row[NameField], u"CH1"_qs);
    commitChoiceCell(row, RxToneField, QString());
    QCOMPARE(row[RxToneField], QString());
}

void TestChannelCsv::gridRows_data()
{
    QTest::addColumn<QString>("csv");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("full row") << Header + u"1,462.125,462.125,88.5,D023N,Carrier,High,Add,Wide,CH1\n"_qs << 1
                              << QStringList{u"462.12500"_qs, u"462.12500"_qs, u"88.5"_qs, u"D023N"_qs, u"Carrier"_qs,
                                             u"High"_qs, u"Add"_qs, u"Wide"_qs, u"CH1"_qs};
    QTest::newRow("empty cells keep new-channel texts")
        << Header + u"7,450\n"_qs << 7
        << QStringList{u"450.00000"_qs, u"450.00000"_qs, u"Off"_qs, u"Off"_qs, u"Off"_qs, u"High"_qs, u"Add"_qs,
                       u"Wide"_qs, QString()};
    QTest::newRow("chinese header and texts, tx zero")
        << u"信道,接收頻率,發射頻率,接收信令,發射信令,繁忙鎖定,功率,掃描添加,帶寬,信道名稱\r\n99,462.0070,0,關,D754I,關閉,低,刪除,窄,\"A,B\"\r\n"_qs
        << 99
        << QStringList{u"462.00625"_qs, QString(), u"關"_qs, u"D754I"_qs, u"關閉"_qs, u"低"_qs, u"刪除"_qs, u"窄"_qs,
                       u"A,B"_qs};
    QTest::newRow("mixed languages") << Header + u"2,462.125,,关,Off,信令,High,删除,宽,\n"_qs << 2
                                     << QStringList{u"462.12500"_qs, u"462.12500"_qs, u"关"_qs, u"Off"_qs, u"信令"_qs,
                                                    u"High"_qs, u"删除"_qs, u"宽"_qs, QString()};
    QTest::newRow("zero rx lists an empty channel") << Header + u"3,0\n"_qs << 3 << QStringList(9);
    QTest::newRow("blank lines skipped") << Header + u"\n4,,\n\n"_qs << 4 << QStringList(9);
}

void TestChannelCsv::gridRows()
{
    QFETCH(QString, csv);
    QFETCH(int, channel);
    QFETCH(QStringList, row);
    const GridCsvResult result = channelTableFromCsv(csv, blankImage(), 0);
    QVERIFY2(result, result.error ? qPrintable(result.error->message) : "");
    const ChannelTexts &texts = result.table[std::size_t(channel - 1)];
    QCOMPARE(QStringList(texts.begin(), texts.end()), row);
    for (int other = 1; other <= region::ChannelCount; ++other) {
        if (other != channel)
            QCOMPARE(result.table[std::size_t(other - 1)], ChannelTexts{});
    }
}

void TestChannelCsv::gridErrors_data()
{
    QTest::addColumn<QString>("csv");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::newRow("no header") << u"1,462.125\n"_qs << 1 << 1;
    QTest::newRow("empty file") << QString() << 1 << 1;
    QTest::newRow("short header") << u"CH,Rx Freq\n"_qs << 1 << 1;
    QTest::newRow("malformed csv") << Header + u"1,\"462\n"_qs << 2 << 2;
    QTest::newRow("channel 0") << Header + u"0,462\n"_qs << 2 << 1;
    QTest::newRow("channel 100") << Header + u"100,462\n"_qs << 2 << 1;
    QTest::newRow("channel with sign") << Header + u"+1,462\n"_qs << 2 << 1;
    QTest::newRow("channel with space") << Header + u" 1,462\n"_qs << 2 << 1;
    QTest::newRow("channel twice") << Header + u"5,462\n6,462\n5,463\n"_qs << 4 << 1;
    QTest::newRow("eleven fields") << Header + u"1,462,462,Off,Off,Off,High,Add,Wide,A,\n"_qs << 2 << 11;
    QTest::newRow("letters in frequency") << Header + u"1,462.125MHz\n"_qs << 2 << 2;
    QTest::newRow("negative frequency") << Header + u"1,462,-5\n"_qs << 2 << 3;
    QTest::newRow("two decimal points") << Header + u"1,462.1.2\n"_qs << 2 << 2;
    QTest::newRow("exponent frequency") << Header + u"1,1e300\n"_qs << 2 << 2;
    QTest::newRow("unknown tone") << Header + u"1,462,462,88.6\n"_qs << 2 << 4;
    QTest::newRow("tone without polarity") << Header + u"1,462,462,Off,D023\n"_qs << 2 << 5;
    QTest::newRow("lowercase off") << Header + u"1,462,462,off\n"_qs << 2 << 4;
    QTest::newRow("tone text in busy lock") << Header + u"1,462,462,Off,Off,88.5\n"_qs << 2 << 6;
    QTest::newRow("busy text in power") << Header + u"1,462,462,Off,Off,Off,Carrier\n"_qs << 2 << 7;
    QTest::newRow("power text in scan add") << Header + u"1,462,462,Off,Off,Off,High,High\n"_qs << 2 << 8;
    QTest::newRow("unknown bandwidth") << Header + u"1,462,462,Off,Off,Off,High,Add,Medium\n"_qs << 2 << 9;
    QTest::newRow("name too long") << Header + u"1,462,462,Off,Off,Off,High,Add,Wide,CHAN001\n"_qs << 2 << 10;
    QTest::newRow("name not ASCII") << Header + u"1,462,462,Off,Off,Off,High,Add,Wide,信道\n"_qs << 2 << 10;
    QTest::newRow("name control char") << Header + u"1,462,462,Off,Off,Off,High,Add,Wide,\"A\tB\"\n"_qs << 2 << 10;
    QTest::newRow("cells without rx") << Header + u"1,,462\n"_qs << 2 << 3;
    QTest::newRow("cells after deleting rx") << Header + u"1,0,,,,,,,,CH1\n"_qs << 2 << 10;
}

void TestChannelCsv::gridErrors()
{
    QFETCH(QString, csv);
    QFETCH(int, line);
    QFETCH(int, column);
    const GridCsvResult result = channelTableFromCsv(csv, blankImage(), 0);
    QVERIFY(!result);
    QCOMPARE(result.error->line, line);
    QCOMPARE(result.error->column, column);
    QVERIFY(!result.error->message.isEmpty());
}

// The CSV of a table reads back as the same table, names with bytes a user
// cannot type included, as long as the image still holds those names.
void TestChannelCsv::tableCsvRoundTrip()
{
    MemoryImage image = blankImage();
    ChannelTable table;
    table[0] = {u"462.12500"_qs, u"462.12500"_qs, u"88.5"_qs, u"D023N"_qs, u"Carrier"_qs,
                u"High"_qs, u"Add"_qs, u"Wide"_qs, u"CH1"_qs};
    table[41] = {u"400.00000"_qs, u"470.00000"_qs, u"Off"_qs, u"D754I"_qs, u"QDT"_qs,
                 u"Low"_qs, u"Del"_qs, u"Narrow"_qs, u"\"A,\u00E9"_qs};
    table[98] = {u"446.00625"_qs, u"446.00625"_qs, u"Off"_qs, u"Off"_qs, u"Off"_qs,
                 u"High"_qs, u"Add"_qs, u"Wide"_qs, QString()};
    storeChannelTable(image, table, 0, 0);
    for (quint8 lang = 0; lang < 3; ++lang) {
        const ChannelTable shown = channelTable(image, lang);
        const QString csv = channelTableCsv(shown, lang);
        QCOMPARE(csv.count(u"\r\n"_qs), 100);
        const GridCsvResult back = channelTableFromCsv(csv, image, lang);
        QVERIFY2(back, back.error ? qPrintable(back.error->message) : "");
        MemoryImage stored = image;
        storeChannelTable(stored, back.table, 0, 0);
        QCOMPARE(stored, image);
    }
    // Without the old name in the image the same text is refused.
    const QString csv = channelTableCsv(channelTable(image, 0), 0);
    QVERIFY(!channelTableFromCsv(csv, blankImage(), 0));
}

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
