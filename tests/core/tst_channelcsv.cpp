// The grid CSV of kdw-cli: rows it types into the grid, and the line and
// column of what it refuses.
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
        QTest::newRow("zero rx, no final line break") << Header + u"3,0"_qs << 3 << u"||||||||"_qs;
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
        QTest::newRow("quote not closed") << Header + u"1,\"462\n"_qs << 2 << 2;
        QTest::newRow("text after closing quote") << Header + u"1,\"462\"5\n"_qs << 2 << 2;
        QTest::newRow("quote inside unquoted") << Header + u"1,46\"2\n"_qs << 2 << 2;
        QTest::newRow("line counted through quoted break") << Header + u"1,\"4\n6\"\n2,x\"\n"_qs << 4 << 2;
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
