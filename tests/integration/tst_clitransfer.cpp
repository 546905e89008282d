// kdw-cli read, write and ports against kdw-radio-sim on a pseudo-terminal.

#include "image/sinfile.h"
#include "radiosim.h"

#include <QFile>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestCliTransfer : public QObject
{
    Q_OBJECT

private slots:
    void readAtLineSpeed();
    void writeVerify_data();
    void writeVerify();
    void portThatCannotOpen();
    void portsShowsTheMapping();
    void fault_data();
    void fault();
};

// Paced as the real 9600-baud line: a 12-byte answer takes 12.5 ms to come
// in, well inside the read time-outs, and no block is lost to them.
void TestCliTransfer::readAtLineSpeed()
{
    const MemoryImage radio = patternImage(2);
    RadioSim sim({u"--baud"_qs, u"9600"_qs}, radio);
    QVERIFY(sim.isRunning());
    const QString out = sim.directory() + u"out.sin"_qs;
    const RadioSim::CliResult result = sim.runCli({u"read"_qs, u"--port"_qs, u"COM1"_qs, out});
    QVERIFY2(result.exitCode == 0, qPrintable(result.err + sim.logTail()));
    QVERIFY2(result.err.contains(u"reading 100%"_qs), qPrintable(result.err));
    const SinLoadResult loaded = readSinFile(out);
    QVERIFY(loaded);
    MemoryImage image;
    image.copyIn(*loaded.bytes);
    QVERIFY(overlay(image, radio, ReadRanges) == image); // the read ranges are the radio's
    QCOMPARE(sim.hostBytes().count("\x02PROGRA"), 1);    // at the first wake-up
}

void TestCliTransfer::writeVerify_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("radio keeps what it gets") << QStringList{} << 0;
    QTest::newRow("radio ignores writes") << QStringList{u"--read-only"_qs} << 1;
}

void TestCliTransfer::writeVerify()
{
    QFETCH(QStringList, faults);
    QFETCH(int, exitCode);
    MemoryImage radio = patternImage(4);
    MemoryImage file = radio;
    // Two bytes differ from the radio: one in range 1, one in range 5.
    for (int a : {0x0010, 0x1FE3, 0x1FF5}) // 0x1FF5: never sent, never compared
        file.setByte(a, quint8(~radio.byte(a)));
    RadioSim sim(faults, radio);
    QVERIFY(sim.isRunning());
    const QString path = sim.directory() + u"file.sin"_qs;
    QVERIFY(writeSinFile(path, file));

    const RadioSim::CliResult result = sim.runCli({u"write"_qs, u"--port"_qs, u"COM1"_qs, path, u"--verify"_qs});
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.err + sim.logTail()));
    const auto line = [&](int a) {
        return u"0x%1: wrote %2, read %3"_qs.arg(a, 4, 16, QLatin1Char('0'))
            .arg(file.byte(a), 2, 16, QLatin1Char('0'))
            .arg(radio.byte(a), 2, 16, QLatin1Char('0'));
    };
    const QStringList differences{line(0x0010), line(0x1FE3)};
    QCOMPARE(result.out.split(u'\n', Qt::SkipEmptyParts), exitCode == 0 ? QStringList() : differences);
    QCOMPARE(result.err.contains(u"2 bytes differ"_qs), exitCode != 0);
    // What the radio kept: the write ranges, never 0x1FF0..0x1FFF.
    QCOMPARE(sim.savedMemory(), (exitCode == 0 ? overlay(radio, file, WriteRanges) : radio).bytes());
}

void TestCliTransfer::portThatCannotOpen()
{
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const QString file = sim.directory() + u"image.sin"_qs;
    for (const QString &verb : {u"read"_qs, u"write"_qs}) {
        if (verb == u"write")
            QVERIFY(writeSinFile(file, patternImage()));
        const RadioSim::CliResult result = sim.runCli({verb, u"--port"_qs, u"/nonexistent/ttyKDW"_qs, file});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err.section(u'\n', 0, 0), u"Could not open the port"_qs);
        QVERIFY2(result.err.section(u'\n', 1, 1).contains(u"/nonexistent/ttyKDW"_qs), qPrintable(result.err));
        QCOMPARE(QFile::exists(file), verb == u"write");
    }
}

void TestCliTransfer::portsShowsTheMapping()
{
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const RadioSim::CliResult result = sim.runCli({u"ports"_qs});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains(u"COM1 -> "_qs + sim.terminal() + u'\n'), qPrintable(result.out));
    QVERIFY2(result.out.contains(u"COM2 -> /dev/ttyUSB1"_qs), qPrintable(result.out));
}

void TestCliTransfer::fault_data()
{
    addFaultRows();
}

// Exit status 1 and "Communication error" on a failure; no file from a
// failed read.
void TestCliTransfer::fault()
{
    QFETCH(bool, read);
    QFETCH(QStringList, simArgs);
    QFETCH(bool, fails);
    RadioSim sim(simArgs);
    QVERIFY(sim.isRunning());
    const QString file = sim.directory() + u"image.sin"_qs;
    if (!read)
        QVERIFY(writeSinFile(file, patternImage(5)));
    const RadioSim::CliResult result =
        sim.runCli({read ? u"read"_qs : u"write"_qs, u"--port"_qs, u"COM1"_qs, file});
    QVERIFY2(result.exitCode == (fails ? 1 : 0), qPrintable(result.err + sim.logTail()));
    QCOMPARE(result.err.split(u'\n').contains(u"Communication error"_qs), fails);
    QCOMPARE(QFile::exists(file), !read || !fails);
}

QTEST_GUILESS_MAIN(TestCliTransfer)
#include "tst_clitransfer.moc"
