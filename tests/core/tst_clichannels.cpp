#include "channels/channeltable.h"
#include "image/memoryimage.h"
#include "image/regions.h"
#include "image/sinfile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(KDW_PROGRAM_DIR "/kdw-cli"), args);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// An image of 0xFF with channel 1 at 462.125 MHz, 88.5 Hz / D023N, Carrier,
// High, Add, Wide, "CH1", odd bits in the bytes the editor does not own, and
// values in the bytes the grid store fixes.
MemoryImage exampleImage()
{
    MemoryImage image;
    image.fill(0xFF);
    image.copyIn(region::channelRecord(1), QByteArray::fromHex("0025214600252146850823807D010203"));
    image.copyIn(region::nameSlot(1), QByteArray("CH1\xFF\xFF\xFF\x11\x22", 8));
    image.copyIn(region::channelRecord(9), QByteArray::fromHex("0050004425064544FFFFFFFFC8AABBCC"));
    image.copyIn(region::nameSlot(9), QByteArray("\xE9t\xE9", 3));
    return image;
}

} // namespace

class TestCliChannels : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void channelsPrintsTheGrid();
    void channelsInTraditionalChinese();
    void applyOwnOutputChangesOnlyFixedBytes();
    void applySetsListedChannelsOnly();
    void badInputLeavesFileUntouched_data();
    void badInputLeavesFileUntouched();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestCliChannels::channelsPrintsTheGrid()
{
    QVERIFY(writeSinFile(path(u"a.sin"_qs), exampleImage()));
    const Run run = runCli({u"channels"_qs, path(u"a.sin"_qs)});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(u"\r\n"_qs);
    QCOMPARE(lines.size(), 101); // 100 lines, each ended by CRLF
    QCOMPARE(lines.at(0), u"CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name"_qs);
    QCOMPARE(lines.at(1), u"1,462.12500,462.12500,88.5,D023N,Carrier,High,Add,Wide,CH1"_qs);
    QCOMPARE(lines.at(2), u"2,,,,,,,,,"_qs);
    QCOMPARE(lines.at(9), u"9,440.05000,444.50625,Off,Off,Off,Low,Del,Narrow,\u00E9t\u00E9"_qs);
    QCOMPARE(lines.at(99), u"99,,,,,,,,,"_qs);
}

void TestCliChannels::channelsInTraditionalChinese()
{
    QVERIFY(writeSinFile(path(u"a.sin"_qs), exampleImage()));
    const Run run = runCli({u"channels"_qs, u"--lang"_qs, u"cht"_qs, path(u"a.sin"_qs)});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(u"\r\n"_qs);
    QCOMPARE(lines.at(0), u"信道,接收頻率,發射頻率,接收信令,發射信令,繁忙鎖定,功率,掃描添加,帶寬,信道名稱"_qs);
    QCOMPARE(lines.at(1), u"1,462.12500,462.12500,88.5,D023N,載波,高,添加,寬,CH1"_qs);
}

void TestCliChannels::applyOwnOutputChangesOnlyFixedBytes()
{
    MemoryImage image = exampleImage();
    image.setByte(region::ModelIndex, 3);
    image.setByte(region::FrequencyRangeIndex, 4);
    QVERIFY(writeSinFile(path(u"a.sin"_qs), image));
    for (const QString &lang : {u"eng"_qs, u"chs"_qs, u"cht"_qs}) {
        const Run shown = runCli({u"channels"_qs, u"--lang"_qs, lang, path(u"a.sin"_qs)});
        QCOMPARE(shown.exitCode, 0);
        writeFile(path(u"grid.csv"_qs), shown.out.toUtf8());
        const Run applied = runCli({u"apply"_qs, path(u"a.sin"_qs), path(u"grid.csv"_qs)});
        QCOMPARE(applied.err, QString());
        QCOMPARE(applied.exitCode, 0);
        MemoryImage expected = image;
        writeGridStoreFixedBytes(expected);
        expected.setByte(region::ModelIndex, 0);
        expected.setByte(region::FrequencyRangeIndex, 0);
        QCOMPARE(fileBytes(path(u"a.sin"_qs)).toHex(), expected.bytes().toHex());
    }
}

void TestCliChannels::applySetsListedChannelsOnly()
{
    QVERIFY(writeSinFile(path(u"a.sin"_qs), exampleImage()));
    writeFile(path(u"grid.csv"_qs),
              "CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name\r\n"
              "5,480,462.0070,,D023I,,\xe4\xbd\x8e,,,AB12\r\n");
    const Run applied = runCli({u"apply"_qs, u"--lang"_qs, u"chs"_qs, path(u"a.sin"_qs), path(u"grid.csv"_qs)});
    QCOMPARE(applied.exitCode, 0);
    MemoryImage image;
    image.copyIn(fileBytes(path(u"a.sin"_qs)));
    QCOMPARE(image.bytes(region::channelRecord(5), 16).toHex(), QByteArray("0000004725062046ffff23c0dcffffff"));
    QCOMPARE(image.bytes(region::nameSlot(5), 8), QByteArray("AB12\xFF\xFF\xFF\xFF", 8));
    QCOMPARE(image.bytes(region::channelRecord(1), 16), QByteArray(16, '\xFF'));
    QCOMPARE(image.bytes(region::nameSlot(1), 8), QByteArray("CH1\xFF\xFF\xFF\x11\x22", 8));
}

void TestCliChannels::badInputLeavesFileUntouched_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message"); // start of the standard error text after the file name
    const QByteArray header = "CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name\n";
    QTest::newRow("unknown tone") << header + "1,462,462,88.6\n" << QStringList() << u":2:4: "_qs;
    QTest::newRow("channel twice") << header + "1,462\n1,463\n" << QStringList() << u":3:1: "_qs;
    QTest::newRow("eleven fields") << header + "1,462,,,,,,,,,x\n" << QStringList() << u":2:11: "_qs;
    QTest::newRow("malformed") << header + "1,\"462\n" << QStringList() << u":2:2: "_qs;
    QTest::newRow("not UTF-8") << header + "1,462,,,,,,,,\xff\n" << QStringList() << u"kdw-cli: cannot read"_qs;
    QTest::newRow("bad language") << header << QStringList{u"--lang"_qs, u"fr"_qs} << u"kdw-cli: usage"_qs;
}

void TestCliChannels::badInputLeavesFileUntouched()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QVERIFY(writeSinFile(path(u"a.sin"_qs), exampleImage()));
    const QByteArray before = fileBytes(path(u"a.sin"_qs));
    writeFile(path(u"grid.csv"_qs), csv);
    const Run applied = runCli(QStringList{u"apply"_qs} + options + QStringList{path(u"a.sin"_qs), path(u"grid.csv"_qs)});
    QCOMPARE(applied.exitCode, 2);
    QVERIFY2(applied.err.contains(message), qPrintable(applied.err));
    QCOMPARE(fileBytes(path(u"a.sin"_qs)), before);
}

QTEST_GUILESS_MAIN(TestCliChannels)
#include "tst_clichannels.moc"
