// Full transfers over a real pseudo-terminal against kdw-radio-sim, through
// the transfer core and through kdw-cli.

#include "app/globals.h"
#include "image/sinfile.h"
#include "link/radiotransfer.h"
#include "radiosim.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestSimTransfer : public QObject
{
    Q_OBJECT

private slots:
    void readAtLineSpeed();
    void writeThenReadBack();
    void cliReadWritesTheFileOnlyOnSuccess_data();
    void cliReadWritesTheFileOnlyOnSuccess();
    void cliWriteVerify_data();
    void cliWriteVerify();
    void cliPortThatCannotOpen_data();
    void cliPortThatCannotOpen();
    void cliPortsShowsTheMapping();
};

// Paced as the real 9600-baud line: a 12-byte answer takes 12.5 ms to come
// in, well inside the read time-outs, and no block is lost to them.
void TestSimTransfer::readAtLineSpeed()
{
    const MemoryImage radio = patternImage(6);
    RadioSim sim({u"--baud"_qs, u"9600"_qs}, radio);
    QVERIFY(sim.isRunning());
    setProgramDirectory(sim.directory());
    MemoryImage image;
    const TransferOutcome outcome = runTransfer(u"COM1"_qs, TransferDirection::Read, image);
    QVERIFY2(outcome, qPrintable(outcome.detail + u'\n' + sim.logTail()));
    QCOMPARE(outcome.protocol.wakeUpAttempts, 1);
    QVERIFY(readRangesEqual(image, radio));
}

void TestSimTransfer::writeThenReadBack()
{
    const MemoryImage radio = patternImage(2);
    RadioSim sim({}, radio);
    QVERIFY(sim.isRunning());
    setProgramDirectory(sim.directory());

    MemoryImage written = patternImage(77);
    QVERIFY(runTransfer(u"COM1"_qs, TransferDirection::Write, written));
    MemoryImage readBack;
    readBack.fill(0x00);
    QVERIFY(runTransfer(u"COM1"_qs, TransferDirection::Read, readBack));

    QVERIFY(writeRangesEqual(readBack, written));
    // 0x1FF0..0x1FFF are read from the radio but never written to it.
    QCOMPARE(readBack.bytes(0x1FF0, 16), radio.bytes(0x1FF0, 16));
    QVERIFY(written.bytes(0x1FF0, 16) != radio.bytes(0x1FF0, 16));

    // The radio saved its memory after the completed write: the written ranges
    // are new, everything else is as it was.
    const QByteArray saved = sim.savedMemory();
    QCOMPARE(saved.size(), MemoryImage::Size);
    MemoryImage expected = radio;
    for (const TransferRange &r : WriteRanges)
        expected.copyIn(r.start, written.bytes(r.start, r.end - r.start));
    QCOMPARE(saved, expected.bytes());
}

void TestSimTransfer::cliReadWritesTheFileOnlyOnSuccess_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("healthy radio") << QStringList{} << 0 << QString();
    QTest::newRow("NAK at block 200") << QStringList{u"--nak"_qs, u"200"_qs} << 1 << u"Communication error"_qs;
    QTest::newRow("no answer") << QStringList{u"--no-answer"_qs} << 1 << u"Communication error"_qs;
}

void TestSimTransfer::cliReadWritesTheFileOnlyOnSuccess()
{
    QFETCH(QStringList, faults);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const MemoryImage radio = patternImage(3);
    RadioSim sim(faults, radio);
    QVERIFY(sim.isRunning());
    const QString out = sim.directory() + u"out.sin"_qs;

    const RadioSim::CliResult result = sim.runCli({u"read"_qs, u"--port"_qs, u"COM1"_qs, out});
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(result.err.split(u'\n').contains(message), qPrintable(result.err));
        QVERIFY(!QFile::exists(out));
        return;
    }
    QVERIFY2(result.err.contains(u"reading 100%"_qs), qPrintable(result.err));
    const SinLoadResult loaded = readSinFile(out);
    QVERIFY(loaded);
    MemoryImage image;
    image.copyIn(*loaded.bytes);
    QVERIFY(readRangesEqual(image, radio));
}

void TestSimTransfer::cliWriteVerify_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("radio keeps what it gets") << QStringList{} << 0;
    QTest::newRow("radio ignores writes") << QStringList{u"--read-only"_qs} << 1;
}

void TestSimTransfer::cliWriteVerify()
{
    QFETCH(QStringList, faults);
    QFETCH(int, exitCode);
    MemoryImage radio = patternImage(4);
    MemoryImage file = radio;
    // Two bytes differ from the radio: one in range 1, one in range 5.
    file.setByte(0x0010, quint8(~radio.byte(0x0010)));
    file.setByte(0x1FE3, quint8(~radio.byte(0x1FE3)));
    file.setByte(0x1FF5, quint8(~radio.byte(0x1FF5))); // never sent, never compared
    RadioSim sim(faults, radio);
    QVERIFY(sim.isRunning());
    const QString path = sim.directory() + u"file.sin"_qs;
    QVERIFY(writeSinFile(path, file));

    const RadioSim::CliResult result = sim.runCli({u"write"_qs, u"--port"_qs, u"COM1"_qs, path, u"--verify"_qs});
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.err + sim.logTail()));
    if (exitCode == 0) {
        QCOMPARE(result.out, QString());
        return;
    }
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{u"0x0010: wrote %1, read %2"_qs.arg(file.byte(0x10), 2, 16, QLatin1Char('0'))
                                     .arg(radio.byte(0x10), 2, 16, QLatin1Char('0')),
                                 u"0x1fe3: wrote %1, read %2"_qs.arg(file.byte(0x1FE3), 2, 16, QLatin1Char('0'))
                                     .arg(radio.byte(0x1FE3), 2, 16, QLatin1Char('0'))}));
    QVERIFY2(result.err.contains(u"2 bytes differ"_qs), qPrintable(result.err));
}

void TestSimTransfer::cliPortThatCannotOpen_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("reason");
    QTest::newRow("absent device") << u"/nonexistent/ttyKDW"_qs << u"/nonexistent/ttyKDW"_qs;
    QTest::newRow("COM3 of this directory") << u"COM3"_qs << u"/dev/ttyUSB2"_qs;
}

void TestSimTransfer::cliPortThatCannotOpen()
{
    QFETCH(QString, port);
    QFETCH(QString, reason);
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const QString out = sim.directory() + u"out.sin"_qs;
    for (const QString &verb : {u"read"_qs, u"write"_qs}) {
        if (verb == u"write")
            QVERIFY(writeSinFile(out, patternImage()));
        const RadioSim::CliResult result = sim.runCli({verb, u"--port"_qs, port, out});
        QCOMPARE(result.exitCode, 1);
        const QStringList lines = result.err.split(u'\n');
        QCOMPARE(lines.value(0), u"Could not open the port"_qs);
        QVERIFY2(lines.value(1).contains(reason), qPrintable(result.err));
        if (verb == u"read")
            QVERIFY(!QFile::exists(out));
    }
}

void TestSimTransfer::cliPortsShowsTheMapping()
{
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const RadioSim::CliResult result = sim.runCli({u"ports"_qs});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains(u"COM1 -> "_qs + sim.terminal() + u'\n'), qPrintable(result.out));
    QVERIFY2(result.out.contains(u"COM2 -> /dev/ttyUSB1"_qs), qPrintable(result.out));
}

QTEST_GUILESS_MAIN(TestSimTransfer)
#include "tst_simtransfer.moc"
