// kdw-cli run as a user runs it: what channels, apply, settings, new and diff
// print and write, their exit statuses, and the files they leave alone; and
// the lines of a grid CSV that apply refuses.
#include "core/channels/channelcsv.h"
#include "core/image/regions.h"
#include "coretest.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray GridHeader = "CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name\r\n";

// A grid line of ten cells: `cells` and empty ones after them.
QString gridLine(const QString &cells)
{
    return cells + QString(9 - cells.count(u','), u',') + u'\n';
}

// Channel 1 at 462.125 MHz, 88.5 Hz / D023N, Carrier, High, Add, Wide, "CH1"
// with odd bits in the bytes the editor does not own; channel 9 with D754I, QDT
// and a name that needs quotes and holds bytes no user can type, line breaks
// among them; SQL 12, which no item stores.
MemoryImage exampleImage()
{
    MemoryImage image = filledImage(0xFF);
    image.copyIn(region::channelRecord(1), hex("0025214600252146850823807D010203"));
    image.copyIn(region::nameSlot(1), hex("434831FFFFFF1122"));
    image.copyIn(region::channelRecord(9), hex("005000442506454454C7FFFFCAAABBCC"));
    image.copyIn(region::nameSlot(9), hex("22412C0AE90D"));
    image.setByte(0x1814, 12);
    return image;
}

using Edit = std::function<void(MemoryImage &)>;

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A path as the program names it in a message: with the system's separators.
    QString shown(const QString &name) const { return QDir::toNativeSeparators(path(name)); }
    // kdw-cli run with FILE and CSV standing for a.sin and grid.csv; its
    // standard error without the folder's path.
    CliRun runOnFiles(QStringList args) const
    {
        args.replaceInStrings(u"FILE"_s, path(u"a.sin"_s)).replaceInStrings(u"CSV"_s, path(u"grid.csv"_s));
        CliRun run = runCli(args);
        run.err.remove(QDir::toNativeSeparators(m_dir.path() + u'/'));
        return run;
    }

private slots:
    // Each test starts from a.sin holding the example image.
    void init() { QVERIFY(writeFile(path(u"a.sin"_s), exampleImage().bytes())); }

    void channelsPrintsTheGrid()
    {
        const CliRun eng = runCli({u"channels"_s, path(u"a.sin"_s)});
        QCOMPARE(eng.exitCode, 0);
        const QStringList lines = eng.out.split(u"\r\n"_s);
        QCOMPARE(lines.size(), 101); // 100 lines, each ended by CRLF
        QCOMPARE(lines.at(0) + u"\r\n"_s, QString::fromUtf8(GridHeader));
        QCOMPARE(lines.at(1), u"1,462.12500,462.12500,88.5,D023N,Carrier,High,Add,Wide,CH1"_s);
        QCOMPARE(lines.at(9), u"9,440.05000,444.50625,D754I,Off,QDT,Low,Del,Narrow,\"\"\"A,\n\u00E9\r\""_s);
        QCOMPARE(lines.at(99), u"99,,,,,,,,,"_s);
        const CliRun cht = runCli({u"channels"_s, u"--lang"_s, u"cht"_s, path(u"a.sin"_s)});
        QCOMPARE(cht.out.section(u"\r\n"_s, 1, 1), u"1,462.12500,462.12500,88.5,D023N,載波,高,添加,寬,CH1"_s);
    }

    // What channels prints or export writes, apply or import reads back: the
    // grid format changes only the grid store's fixed bytes (after the
    // records, in the settings and before the indexes), and apply stores the
    // first Model and Frequency Range items where import keeps the file's;
    // the generic format changes nothing and names the columns the radio has
    // no place for.
    void writtenThenReadBack_data()
    {
        QTest::addColumn<QStringList>("out"); // writes grid.csv, or prints it
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<QString>("firstLine"); // of grid.csv
        const QString grid = u"CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name\r\n"_s;
        const QStringList apply = texts(u"apply|FILE|CSV");
        QTest::newRow("channels, apply") << texts(u"channels|FILE") << apply << grid;
        QTest::newRow("channels in chs, apply") << texts(u"channels|--lang|chs|FILE") << apply << QString();
        QTest::newRow("channels in cht, apply") << texts(u"channels|--lang|cht|FILE") << apply << QString();
        QTest::newRow("export, import: grid")
            << texts(u"export|--format|grid|FILE|CSV") << texts(u"import|--format|grid|FILE|CSV") << grid;
        QTest::newRow("export, import: generic")
            << texts(u"export|--format|generic|FILE|CSV") << texts(u"import|--format|generic|FILE|CSV")
            << u"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
               "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\r\n"_s;
    }
    void writtenThenReadBack()
    {
        QFETCH(QStringList, out);
        QFETCH(QStringList, in);
        QFETCH(QString, firstLine);
        const bool generic = out.contains(u"generic"_s);
        MemoryImage image = exampleImage();
        image.copyIn(region::ModelIndex, hex("0304"));
        QVERIFY(writeFile(path(u"a.sin"_s), image.bytes()));
        MemoryImage expected = image;
        if (!generic) {
            expected.copyIn(0x0630, hex("0000504300005043FFFFFFFF3F"));
            expected.setByte(0x1811, 0x78);
            expected.setByte(0x1817, 0x00);
            expected.copyIn(0x1D10, hex("00000000"));
        }
        if (in.first() == u"apply")
            expected.copyIn(region::ModelIndex, hex("0000"));
        const CliRun written = runOnFiles(out);
        QCOMPARE(written.err, QString());
        QCOMPARE(written.exitCode, 0);
        if (out.first() == u"channels")
            QVERIFY(writeFile(path(u"grid.csv"_s), written.out.toUtf8()));
        QVERIFY(QString::fromUtf8(readFile(path(u"grid.csv"_s))).startsWith(firstLine));
        const CliRun read = runOnFiles(in);
        QCOMPARE(read.err, generic ? u"grid.csv: columns ignored, the radio has no place for them: TStep, Comment\n"_s
                                   : QString());
        QCOMPARE(read.exitCode, 0);
        QCOMPARE(firstDifference(readFile(path(u"a.sin"_s)), expected.bytes()), QString());
    }

    // Listed channels take their cells, new-channel texts where a cell is
    // empty and texts of any language; every other channel is emptied.
    void applySetsListedChannelsOnly()
    {
        QVERIFY(
            writeFile(path(u"grid.csv"_s), GridHeader
                                               + u"5,480,462.0070,,D023I,,低,,,AB12\r\n\r\n"
                                                 u"7,462.125,0,关,Off,關閉,High,删除,宽,\r\n3,0,,,,,,,,\n"_s.toUtf8()));
        const CliRun applied = runCli({u"apply"_s, u"--lang"_s, u"chs"_s, path(u"a.sin"_s), path(u"grid.csv"_s)});
        QCOMPARE(applied.exitCode, 0);
        const QByteArray bytes = readFile(path(u"a.sin"_s));
        QCOMPARE(bytes.mid(region::channelRecord(5), 16), hex("0000004725062046FFFF23C0DCFFFFFF"));
        QCOMPARE(bytes.mid(region::nameSlot(5), 8), hex("41423132FFFFFFFF"));
        QCOMPARE(bytes.mid(region::channelRecord(7), 16), hex("0025214600000000FFFFFFFFECFFFFFF"));
        QCOMPARE(bytes.mid(region::channelRecord(1), 16), QByteArray(16, '\xFF'));
        QCOMPARE(bytes.mid(region::nameSlot(1), 8), hex("434831FFFFFF1122"));
    }

    // The grid CSV reader names the line and the grid's column (1 Rx Freq ..
    // 9 Name; 0 for the channel number or the line as a whole) of what it
    // refuses, and why.
    void gridErrors_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        const QString header = QString::fromUtf8(GridHeader);
        const QString noHeader = u"the first line must be the channel table's header: "
                                 u"CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name"_s;
        QTest::newRow("empty file") << QString() << 1 << 0 << noHeader;
        QTest::newRow("no header") << gridLine(u"1,462.125"_s) << 1 << 0 << noHeader;
        QTest::newRow("header only") << header << 0 << 0 << u"no channels in the file: it has only its header"_s;
        QTest::newRow("blank lines only")
            << header + u"\r\n\r\n"_s << 0 << 0 << u"no channels in the file: it has only its header"_s;
        QTest::newRow("cut inside a quoted name")
            << header + u"1,462,,,,,,,,\"A\n"_s << 2 << 9
            << u"the file ends inside this quoted field: its closing quote is missing"_s;
        QTest::newRow("cut after a cell") << header + gridLine(u"1,462"_s) + u"2,400.1"_s << 3 << 0
                                          << u"2 of 10 cells: the line is cut off or lacks cells"_s;
        QTest::newRow("cut inside the last cell") << header + u"1,462,,,,,,,,CH"_s << 2 << 0
                                                  << u"the last line has no line end: the file may be cut off here"_s;
        QTest::newRow("a line short of its last cells") << header + u"1,462,462,Off\n"_s + gridLine(u"2,462"_s) << 2
                                                        << 0 << u"4 of 10 cells: the line is cut off or lacks cells"_s;
        QTest::newRow("eleven cells") << header + u"1,462,,,,,,,,A,\n"_s << 2 << 0
                                      << u"11 cells, but the header has 10"_s;
        QTest::newRow("a cell longer than any column, quoted in part")
            << header + gridLine(u"1,"_s + QString(600, u'4')) << 2 << 1
            << u"a cell of 600 characters, longer than any column allows, beginning \"%1\u2026\""_s.arg(
                   QString(40, u'4'));
        QTest::newRow("text after closing quote")
            << header + gridLine(u"1,\"462\"5"_s) << 2 << 1 << u"text after the closing quote"_s;
        QTest::newRow("quote in the channel number")
            << header + gridLine(u"\"1\"x,462"_s) << 2 << 0 << u"text after the closing quote"_s;
        QTest::newRow("quote fault beyond the grid's columns is the line's")
            << header + u"1,462,462,Off,Off,Off,High,Add,Wide,A,\"x\"y\n"_s << 2 << 0
            << u"text after the closing quote"_s;
        QTest::newRow("line counted through quoted break")
            << header + u"1,\"4\n6\",,,,,,,,\n2,x\"\n"_s << 4 << 1 << u"quote inside an unquoted field"_s;
        QTest::newRow("channel 0") << header + gridLine(u"0,462"_s) << 2 << 0
                                   << u"\"0\" is not a channel number from 1 to 99"_s;
        QTest::newRow("channel 100") << header + gridLine(u"100,462"_s) << 2 << 0
                                     << u"\"100\" is not a channel number from 1 to 99"_s;
        QTest::newRow("channel with sign")
            << header + gridLine(u"+1,462"_s) << 2 << 0 << u"\"+1\" is not a channel number from 1 to 99"_s;
        QTest::newRow("channel twice") << header + gridLine(u"5,462"_s) + gridLine(u"6,462"_s) + gridLine(u"5,463"_s)
                                       << 4 << 0 << u"channel 5 is already given on line 2"_s;
        QTest::newRow("two decimal points")
            << header + gridLine(u"1,462.1.2"_s) << 2 << 1
            << u"\"462.1.2\" is not a frequency: digits and at most one decimal point"_s;
        QTest::newRow("exponent frequency") << header + gridLine(u"1,1e300"_s) << 2 << 1
                                            << u"\"1e300\" is not a frequency: digits and at most one decimal point"_s;
        QTest::newRow("tone not in the list")
            << header + gridLine(u"1,462,462,88.6"_s) << 2 << 3 << u"\"88.6\" is not an item of the tone list"_s;
        QTest::newRow("busy text in power") << header + gridLine(u"1,462,462,Off,Off,Off,Carrier"_s) << 2 << 6
                                            << u"\"Carrier\" is not an item of this column"_s;
        QTest::newRow("name of 7") << header + gridLine(u"1,462,,,,,,,,CHAN001"_s) << 2 << 9
                                   << u"\"CHAN001\" is not a name: at most 6 printable ASCII characters"_s;
        QTest::newRow("name with tab") << header + gridLine(u"1,462,,,,,,,,\"A\tB\""_s) << 2 << 9
                                       << u"\"A\tB\" is not a name: at most 6 printable ASCII characters"_s;
        QTest::newRow("name with DEL") << header + gridLine(u"1,462,,,,,,,,A\u007F"_s) << 2 << 9
                                       << u"\"A\u007F\" is not a name: at most 6 printable ASCII characters"_s;
        QTest::newRow("cells without rx") << header + gridLine(u"1,,462"_s) << 2 << 2
                                          << u"the channel has no Rx Freq, so its other cells must be empty"_s;
        QTest::newRow("cells after deleting rx") << header + gridLine(u"1,0,,,,,,,,CH1"_s) << 2 << 9
                                                 << u"the channel has no Rx Freq, so its other cells must be empty"_s;
    }

    void gridErrors()
    {
        QFETCH(QString, csv);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, message);
        const GridCsvResult result = channelTableFromCsv(csv, filledImage(0xFF), Language::Eng);
        QVERIFY(!result);
        QCOMPARE(result.error->line, line);
        QCOMPARE(result.error->column, column);
        QCOMPARE(result.error->message, message);
    }

    // Every setting, in dialog order, as the dialogs show the built-in defaults;
    // in Chinese on request, and control bytes of a file escaped.
    void settingsPrintsEverySetting()
    {
        QVERIFY(writeFile(path(u"a.sin"_s), builtInDefaultsImage().bytes()));
        const CliRun run = runCli({u"settings"_s, path(u"a.sin"_s)});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.split(u'\n'),
                 texts(u"SQL: 5|Reverse: Off|VOX: Off|APO: Off|TOT: 60s|Key Lock: Manual|Step: 25KHz|Scan Mode: CO|"
                       u"Beep: On|Battery Save: On|STE: 120 phase shift|Roger: Off|Radio: On|Single Radio: On|"
                       u"Backlight Mode: Auto|Frequency Mode: On|Priority Channel: Off|Channel Name: Off|"
                       u"Emergency Call: Off|Receive Alarm Time: Off|Power-On Password: 000000|"
                       u"Power-On Password Switch: Off|Manual Power Switch: On|Vox Delay Time (s): 1.5|"
                       u"First Digit Delay Time (ms): 100|Digit Interval Time (ms): 75|Digit Delay Time (ms): 75|"
                       u"Side Tone: On|Display: Off|PTT ID: Off|Code: |PCBA: |"));
        QCOMPARE(readFile(path(u"a.sin"_s)), builtInDefaultsImage().bytes());

        MemoryImage image = builtInDefaultsImage();
        image.copyIn(region::PttIdCode, QByteArray("1\x1b[2J"));
        QVERIFY(writeFile(path(u"a.sin"_s), image.bytes()));
        const QStringList cht = runCli({u"settings"_s, u"--lang"_s, u"cht"_s, path(u"a.sin"_s)}).out.split(u'\n');
        QVERIFY(cht.contains(u"Key Lock: 手動"_s) && cht.contains(u"Code: 1\\x1b[2J"_s));
    }

    // Assignments choose items as the dialogs would, and closing the dialogs
    // stores every setting: values no item stores become the fall-back's.
    void settingsAssignmentsStoreEverySetting()
    {
        MemoryImage image = builtInDefaultsImage();
        image.setBits(0x1810, 0x30, 0x00); // Scan Mode: shows CO
        image.copyIn(region::Pcba, hex("410042"));
        QVERIFY(writeFile(path(u"a.sin"_s), image.bytes()));
        const CliRun run
            = runCli({u"settings"_s, path(u"a.sin"_s), u"SQL=9"_s, u"Key Lock=自動"_s, u"Digit Interval Time (ms)=50"_s,
                      u"Power-On Password=42"_s, u"Code=12ab#"_s, u"PTT ID=Both"_s});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);

        MemoryImage expected = builtInDefaultsImage();
        expected.setByte(0x1810, 0x96); // Key Lock Auto, Scan Mode CO
        expected.setByte(0x1814, 9);
        expected.setByte(0x181A, 1);
        expected.setByte(0x1820, 0); // Roger 0xFF of the defaults is stored as Off
        expected.copyIn(region::PowerOnPassword, hex("0402FFFFFFFF"));
        expected.copyIn(region::PttIdCode, QByteArray("12AB#") + QByteArray(11, '\xFF'));
        expected.setBits(region::PttIdMode, 0x03, 0x03);
        expected.copyIn(region::Pcba, hex("41FFFF"));
        QCOMPARE(firstDifference(readFile(path(u"a.sin"_s)), expected.bytes()), QString());
    }

    void badInputLeavesFileUntouched_data()
    {
        QTest::addColumn<QStringList>("args"); // FILE and CSV stand for a.sin and grid.csv
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("fileSize"); // of a.sin: 8192 the example image, 0 none
        QTest::addColumn<QString>("message");
        const QStringList apply{u"apply"_s, u"FILE"_s, u"CSV"_s};
        const QByteArray csv = GridHeader + "1,462\r\n";
        QTest::newRow("apply: tone not in the list, chs")
            << texts(u"apply|--lang|chs|FILE|CSV") << GridHeader + "1,462,462,88.6,,,,,,\n"
            << 8192 << u"grid.csv: 第 2 行，第 4 列（接收亚音）：“88.6”不是亚音列表中的项\n"_s;
        QTest::newRow("apply: channel number, cht")
            << texts(u"apply|--lang|cht|FILE|CSV") << GridHeader + "x,462,,,,,,,,\n"
            << 8192 << u"grid.csv: 第 2 行：「x」不是 1 到 99 的信道號\n"_s;
        // A file must be whole (gridErrors has the reader's refusals): a header alone is refused.
        QTest::newRow("apply: header only, chs")
            << texts(u"apply|--lang|chs|FILE|CSV") << GridHeader << 8192 << u"grid.csv: 文件中没有信道：只有表头\n"_s;
        QTest::newRow("apply: not UTF-8") << apply << GridHeader + "1,462,,,,,,,,\xff\n" << 8192 << u"cannot read"_s;
        QTest::newRow("apply: short file") << apply << csv << 100 << u"only 100 of 8192 bytes"_s;
        QTest::newRow("settings: unknown item")
            << texts(u"settings|FILE|SQL=10") << csv << 8192 << u"SQL: unknown item \"10\""_s;
        QTest::newRow("settings: no equals") << texts(u"settings|FILE|SQL") << csv << 8192 << u"expected LABEL=ITEM"_s;
        QTest::newRow("settings: twice") << texts(u"settings|FILE|SQL=1|SQL=2") << csv << 8192
                                         << u"SQL: given more than once"_s;
        QTest::newRow("settings: no file") << texts(u"settings|FILE|SQL=1") << csv << 0 << u"cannot read"_s;
        QTest::newRow("new: no file") << texts(u"new") << csv << 8192 << u"usage"_s;
        QTest::newRow("new: unwritable") << texts(u"new|/nonexistent/x.sin") << csv << 8192 << u"cannot write"_s;
        const QByteArray generic = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\r\n";
        const QStringList import = texts(u"import|--format|generic|FILE|CSV");
        QTest::newRow("import: two rows refused")
            << import << generic + "1,A,446,,,Tone,69.4\r\n2,B,390,,,,\r\n3,C,446,,,,\r\n"
            << 8192 << u"grid.csv: line 2, column 7 (rToneFreq): \"69.4\" is not in the tone list\n"_s;
        QTest::newRow("import: grid line refused")
            << texts(u"import|FILE|CSV") << GridHeader + "1,462,462,88.6,,,,,,\n"
            << 8192 << u"grid.csv: line 2, column 4 (Rx Tone): \"88.6\" is not an item of the tone list\n"_s;
        QTest::newRow("import: generic cut inside a quoted name")
            << import << generic + "1,\"A,446,,,,\r\n"
            << 8192 << u"grid.csv: line 2, column 2 (Name): the file ends inside this quoted field"_s;
        QTest::newRow("import: generic header only")
            << import << generic << 8192 << u"grid.csv: no channels in the file: it has only its header\n"_s;
        QByteArray manyRefused = generic;
        for (int n = 1; n <= 30; ++n)
            manyRefused += QByteArray::number(n) + ",A,446,,,Tone,69.4\r\n";
        QTest::newRow("import: the first 20 refused lines listed, then how many more")
            << import << manyRefused << 8192
            << u"grid.csv: line 21, column 7 (rToneFreq): \"69.4\" is not in the tone list\n"
               u"grid.csv: ... and 10 more\n"_s;
        QTest::newRow("import: larger than any channel file")
            << import << generic + QByteArray(qsizetype(600) * 1024, '\n') << 8192
            << u"grid.csv: larger than any channel file: at most 512 KB is read"_s;
        QTest::newRow("import: first line names no format")
            << texts(u"import|FILE|CSV") << QByteArray("Channel,Frequency\r\n1,446\r\n") << 8192
            << u"grid.csv: line 1: the first line is neither the channel table's header"_s;
        QTest::newRow("import: --first without in-order")
            << texts(u"import|--first|5|FILE|CSV") << generic << 8192 << u"usage"_s;
        QTest::newRow("import: placement of a grid file")
            << texts(u"import|--skip-unfit|FILE|CSV") << GridHeader + "1,462,,,,,,,,\n"
            << 8192 << u"grid.csv is a channel table: --place, --first and --skip-unfit are for the generic format"_s;
        QTest::newRow("import: unknown format")
            << texts(u"import|--format|chirp|FILE|CSV") << csv << 8192 << u"usage"_s;
        QTest::newRow("diff: short second file")
            << texts(u"diff|FILE|CSV") << QByteArray(100, 'x') << 8192 << u"only 100 of 8192 bytes"_s;
        QTest::newRow("diff: one file") << texts(u"diff|FILE") << csv << 8192 << u"usage"_s;
        QTest::newRow("check: no file") << texts(u"check") << csv << 8192 << u"usage"_s;
        QTest::newRow("channels: --lang without a value")
            << texts(u"channels|FILE|--lang") << csv << 8192 << u"usage"_s;
        QTest::newRow("doctor: unknown language") << texts(u"doctor|--lang|fr") << csv << 8192 << u"usage"_s;
        QTest::newRow("doctor: an argument too many") << texts(u"doctor|COM1") << csv << 8192 << u"usage"_s;
        QTest::newRow("settings: assignment refused before the file is read")
            << texts(u"settings|FILE|Squelch=5") << csv << 0 << u"unknown setting \"Squelch\""_s;
        QTest::newRow("write: --backup and --no-backup")
            << texts(u"write|--port|COM1|--backup|--no-backup|FILE") << csv << 8192 << u"usage"_s;
    }

    // A frequency that typing's rules clamp or snap is named on standard
    // error, one line per cell, by apply and import alike, and so are the
    // channels in use the file leaves empty; the file takes the changed value
    // and the exit status stays 0.
    void clampAndSnapAreNamed_data()
    {
        QTest::addColumn<QStringList>("args"); // FILE and CSV stand for a.sin and grid.csv
        QTest::addColumn<QStringList>("told");
        const QStringList english{u"grid.csv: line 2, Rx Freq: 4490 became 470.00000"_s,
                                  u"grid.csv: line 3, Rx Freq: 380 became 400.00000"_s,
                                  u"grid.csv: line 4, Tx Freq: 462.0030 became 462.00000"_s,
                                  u"a.sin: 1 channel that held data is left empty: 9"_s};
        QTest::newRow("apply") << texts(u"apply|FILE|CSV") << english;
        QTest::newRow("import") << texts(u"import|FILE|CSV") << english;
        QTest::newRow("apply, cht") << texts(u"apply|--lang|cht|FILE|CSV")
                                    << QStringList{u"grid.csv: 第 2 行，接收頻率：4490 變為 470.00000"_s,
                                                   u"grid.csv: 第 3 行，接收頻率：380 變為 400.00000"_s,
                                                   u"grid.csv: 第 4 行，發射頻率：462.0030 變為 462.00000"_s,
                                                   u"a.sin: 1 個原有資料的信道被清空：9"_s};
    }
    void clampAndSnapAreNamed()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, told);
        QVERIFY(writeFile(path(u"grid.csv"_s), GridHeader
                                                   + (gridLine(u"1,4490"_s) + gridLine(u"2,380"_s)
                                                      + gridLine(u"3,462.125,462.0030"_s) + gridLine(u"4,462.125"_s))
                                                         .toUtf8()));
        const CliRun run = runOnFiles(args);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.split(u'\n', Qt::SkipEmptyParts), told);
        const QByteArray bytes = readFile(path(u"a.sin"_s));
        QCOMPARE(bytes.mid(region::channelRecord(1), 8), hex("0000004700000047"));
        QCOMPARE(bytes.mid(region::channelRecord(3), 8), hex("0025214600002046"));
    }

    // A generic plan with rows the radio cannot hold: --skip-unfit takes the
    // others, lists the rest and exits 1; a plan that fits exits 0.
    void importSkipsUnfitRows_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("leftOut");      // lines of standard error that say so
        QTest::addColumn<QString>("channel1"); // channel 1 was in use: it keeps its Busy Lock
        QTest::newRow("in order, unfit rows skipped")
            << texts(u"--skip-unfit|--place|in-order") << u"from_zero_mixed.csv"_s << 1 << 5
            << u"442.87500|447.87500|Off|103.5|Carrier|High|Add|Wide|WW7PSR"_s;
        QTest::newRow("every row fits") << QStringList{} << u"cross_modes.csv"_s << 0 << 0
                                        << u"446.00625|446.00625|71.9|67.0|Carrier|High|Add|Wide|T-T"_s;
    }
    void importSkipsUnfitRows()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, file);
        QFETCH(int, exitCode);
        QFETCH(int, leftOut);
        QFETCH(QString, channel1);
        const CliRun run
            = runCli(QStringList{u"import"_s} + options
                     + QStringList{path(u"a.sin"_s), QStringLiteral(KDW_SOURCE_DIR "/tests/core/data/") + file});
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.err.count(QRegularExpression(u"line \\d+, column \\d+ \\(|line \\d+: no channel"_s)), leftOut);
        QVERIFY2(run.err.contains(u"columns ignored, the radio has no place for them: TStep, Comment"_s),
                 qPrintable(run.err));
        MemoryImage image;
        image.copyIn(readFile(path(u"a.sin"_s)));
        QCOMPARE(cells(channelTexts(image, 1, Language::Eng)).join(u'|'), channel1);
    }

    // Without --format, import reads the format the first line names: the
    // grid's header in any language or a generic header in any column order.
    void importRecognisesTheFormat_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("rxFreq"); // of channel 3 after
        QTest::newRow("grid, English") << GridHeader + "3,446.5,,,,,,,,\r\n" << u"446.50000"_s;
        QTest::newRow("grid, Traditional")
            << u"信道,接收頻率,發射頻率,接收信令,發射信令,繁忙鎖定,功率,掃描添加,帶寬,信道名稱\n3,446.5,,,,,,,,\n"_s
                   .toUtf8()
            << u"446.50000"_s;
        QTest::newRow("generic") << QByteArray("Location,Name,Frequency\r\n3,,447.0\r\n") << u"447.00000"_s;
        QTest::newRow("generic, other order, BOM")
            << QByteArray("\xEF\xBB\xBF\"Frequency\", Location\n448.0,3\n") << u"448.00000"_s;
    }
    void importRecognisesTheFormat()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, rxFreq);
        QVERIFY(writeFile(path(u"in.csv"_s), csv));
        const CliRun run = runCli({u"import"_s, path(u"a.sin"_s), path(u"in.csv"_s)});
        QCOMPARE(run.err, shown(u"a.sin: 2 channels that held data are left empty: 1, 9\n"_s));
        QCOMPARE(run.exitCode, 0);
        MemoryImage image;
        image.copyIn(readFile(path(u"a.sin"_s)));
        QCOMPARE(channelTexts(image, 3, Language::Eng)[RxFreqField], rxFreq);
        QVERIFY(isEmptyChannel(image, 1));
    }

    // The channels, settings and bytes that differ between two files, named
    // as the grid and the dialogs name them, in each language.
    void diff_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines"); // tab-separated: where, what, A, B

        const Edit none = [](MemoryImage &) {};
        const Edit channel = [](MemoryImage &b) {
            b.setByte(region::channelRecord(1) + 2, 0x22);  // 462.22500
            b.setByte(region::channelRecord(1) + 15, 0x04); // a byte no cell shows
            b.setByte(region::nameSlot(1) + 2, '2');        // "CH2"
        };
        const Edit settings = [](MemoryImage &b) {
            b.setByte(0x1814, 3); // SQL 3
            b.copyIn(region::PttIdCode, hex("0102FFFFFFFFFFFFFFFFFFFFFFFFFFFF"));
        };
        const Edit unshown = [](MemoryImage &b) {
            b.setByte(0x1820, 0x00);       // Roger: Off either way
            b.copyIn(0x1FF2, hex("0000")); // the tail the write never sends
        };

        // A channel emptied, and the same record used as another channel.
        const Edit moved = [](MemoryImage &b) {
            b.copyIn(region::channelRecord(10), b.bytes(region::channelRecord(1), region::ChannelRecordSize));
            b.copyIn(region::channelRecord(1), QByteArray(region::ChannelRecordSize, char(0xFF)));
            b.copyIn(region::nameSlot(1), QByteArray(region::NameSlotSize, char(0xFF)));
        };

        QTest::newRow("equal") << u"eng"_s << none << 0 << QStringList{};
        QTest::newRow("channel empty on one side, eng")
            << u"eng"_s << moved << 1
            << QStringList{u"CH 1\t\t462.12500 / 462.12500 / 88.5 / D023N / Carrier / High / Add / Wide / CH1\tempty"_s,
                           u"CH 10\t\tempty\t462.12500 / 462.12500 / 88.5 / D023N / Carrier / High / Add / Wide"_s};
        QTest::newRow("channel empty on one side, cht")
            << u"cht"_s << moved << 1
            << QStringList{u"信道 1\t\t462.12500 / 462.12500 / 88.5 / D023N / 載波 / 高 / 添加 / 寬 / CH1\t空"_s,
                           u"信道 10\t\t空\t462.12500 / 462.12500 / 88.5 / D023N / 載波 / 高 / 添加 / 寬"_s};
        QTest::newRow("channel, eng") << u"eng"_s << channel << 1
                                      << texts(u"CH 1\tRx Freq\t462.12500\t462.22500|CH 1\tName\tCH1\tCH2");
        QTest::newRow("channel, cht") << u"cht"_s << channel << 1
                                      << texts(u"信道 1\t接收頻率\t462.12500\t462.22500|信道 1\t信道名稱\tCH1\tCH2");
        QTest::newRow("settings, eng") << u"eng"_s << settings << 1
                                       << texts(u"Option\tSQL\t5\t3|PTT ID\tCode\t\t\\x01\\x02");
        QTest::newRow("settings, cht") << u"cht"_s << settings << 1
                                       << texts(u"選項\t靜噪\t5\t3|PTT ID\t編碼\t\t\\x01\\x02");
        // An empty channel's record with a byte the radio stored wrong.
        const Edit insideEmpty = [](MemoryImage &b) { b.setByte(region::channelRecord(2), 0xFE); };
        QTest::newRow("bytes of a channel empty on both sides")
            << u"eng"_s << insideEmpty << 1 << QStringList{u"CH 2\t0x0010\tFF\tFE"_s};
        QTest::newRow("bytes no cell or item shows")
            << u"eng"_s << unshown << 1 << texts(u"0x1820\t\tFF\t00|0x1FF2..0x1FF3\t\tFF FF\t00 00");
    }

    void diff()
    {
        QFETCH(QString, lang);
        QFETCH(Edit, edit);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        const MemoryImage a = exampleImage();
        MemoryImage b = a;
        edit(b);
        QVERIFY(writeFile(path(u"b.sin"_s), b.bytes()));
        const CliRun run = runCli({u"diff"_s, u"--lang"_s, lang, path(u"a.sin"_s), path(u"b.sin"_s)});
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), lines);
    }

    // A file longer than a channel data file is compared by its first 8192
    // bytes, with a warning.
    void diffOfALongFileWarns()
    {
        QVERIFY(writeFile(path(u"long.sin"_s), exampleImage().bytes() + QByteArray(10, 'x')));
        const CliRun run = runCli({u"diff"_s, path(u"a.sin"_s), path(u"long.sin"_s)});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(u"is 8202 bytes, not 8192"_s), qPrintable(run.err));
    }

    // Bad input is exit status 2 with a message naming it, and no file written.
    void badInputLeavesFileUntouched()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, csv);
        QFETCH(int, fileSize);
        QFETCH(QString, message);
        QFile::remove(path(u"a.sin"_s));
        const QByteArray before = fileSize == 8192 ? exampleImage().bytes() : QByteArray(fileSize, '\x01');
        if (fileSize)
            QVERIFY(writeFile(path(u"a.sin"_s), before));
        QVERIFY(writeFile(path(u"grid.csv"_s), csv));
        const CliRun run = runOnFiles(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(QFile::exists(path(u"a.sin"_s)), fileSize != 0);
        QCOMPARE(readFile(path(u"a.sin"_s)), before);
    }

    // kdw-cli's own folder is its program directory: a Default.sin there is
    // read (even a short one), one in the working directory is not.
    void newReadsDefaultSinOfItsOwnFolder()
    {
#ifdef Q_OS_WIN
        const QString name = u"kdw-cli.exe"_s;
#else
        const QString name = u"kdw-cli"_s;
#endif
        QTemporaryDir programDir;
        const QString tool = programDir.filePath(name);
        QVERIFY(QFile::copy(QStringLiteral(KDW_PROGRAM_DIR "/") + name, tool));
        QVERIFY(writeFile(path(u"Default.sin"_s), QByteArray(8192, '\x11')));
        QCOMPARE(runCli({u"new"_s, u"a.sin"_s}, tool, m_dir.path()).exitCode, 0);
        QCOMPARE(firstDifference(readFile(path(u"a.sin"_s)), builtInDefaultsImage().bytes()), QString());

        QVERIFY(writeFile(programDir.filePath(u"Default.sin"_s), QByteArray(100, '\x22')));
        QCOMPARE(runCli({u"new"_s, path(u"b.sin"_s)}, tool).exitCode, 0);
        QCOMPARE(readFile(path(u"b.sin"_s)), QByteArray(100, '\x22') + QByteArray(8092, '\xFF'));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
