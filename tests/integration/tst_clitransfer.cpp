// kdw-cli read, write, ports and doctor against kdw-radio-sim on a
// pseudo-terminal (doctor also on the live system). The refused command lines
// of every command: tst_cli badInputLeavesFileUntouched.

#include "core/image/regions.h"
#include "core/image/sinfile.h"
#include "radiosim.h"

#include <QDir>
#include <QFile>
#include <QProcess>
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
    void heldPortIsNamed_data();
    void heldPortIsNamed();
    void portsShowsTheMapping();
    void fault_data();
    void fault();
    void resume_data();
    void resume();
    void doctorRadio_data();
    void doctorRadio();
};

// Paced as the real 9600-baud line: a 12-byte answer takes 12.5 ms to come
// in, well inside the read time-outs, and no block is lost to them.
void TestCliTransfer::readAtLineSpeed()
{
    const MemoryImage radio = patternImage(2);
    RadioSim sim({u"--baud"_qs, u"9600"_qs}, radio);
    QVERIFY(sim.isRunning());
    const QString out = sim.directory() + u"out.sin"_qs;
    const CliRun result = sim.runCli({u"read"_qs, u"--port"_qs, u"COM1"_qs, out});
    QVERIFY2(result.exitCode == 0, qPrintable(result.err + sim.logTail()));
    QVERIFY2(result.err.contains(u"reading 100%"_qs), qPrintable(result.err));
    const SinLoadResult loaded = readSinFile(out);
    QVERIFY(loaded);
    MemoryImage image;
    image.copyIn(*loaded.bytes);
    QVERIFY(overlay(image, radio, ReadRanges) == image);   // the read ranges are the radio's
    QCOMPARE(sim.hostBytes().count("\x02PROGRAM\x02"), 1); // one session: identified once
}

void TestCliTransfer::writeVerify_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");      // a part of standard error
    QTest::addColumn<QStringList>("lines"); // what standard output starts with
    const QString verified = u"Write verified"_qs, differs = u"The radio does not hold the document"_qs;
    const QStringList none, backup{u"--backup"_qs};
    QTest::newRow("radio keeps what it gets") << none << none << 0 << verified << QStringList{};
    QTest::newRow("radio stores one byte wrong")
        << texts(u"--corrupt|0x0010") << none << 1 << differs
        << texts(u"CH 2\tRx Freq\t462.12500\t462.12501|0x0010: wrote 00, read 01");
    // The check gets no answer: the write went through and could not be checked.
    QTest::newRow("radio rests longer than the check waits")
        << texts(u"--rest-after-write|100") << none << 1
        << u"The write succeeded, but the radio did not answer the check"_qs << QStringList{};
    // Read first, only channel 2's two blocks differ: only they go, and only they are read back.
    QTest::newRow("backed up: the changed blocks")
        << none << backup << 0 << u"sending the 2 of 316 blocks that differ from the radio"_qs << QStringList{};
    QTest::newRow("backed up: a changed block stored wrong")
        << texts(u"--corrupt|0x0010") << backup << 1 << differs
        << texts(u"CH 2\tRx Freq\t462.12500\t462.12501|0x0010: wrote 00, read 01");
    QTest::newRow("backed up: --all-blocks")
        << none << texts(u"--backup|--all-blocks") << 0 << u"writing 100%"_qs << QStringList{};
    // Every transfer names the radio; --expect refuses another before its first block.
    QTest::newRow("--expect the radio on the cable")
        << none << texts(u"--expect|4B:44:57:34:31:37:01:00") << 0
        << u"radio: \"KDW417..\" (4B 44 57 34 31 37 01 00)\n"_qs << QStringList{};
    const QString refused = u"kdw-cli: the radio answers \"KDW417..\" (4B 44 57 34 31 37 01 00), not "
                            "4B 44 57 34 31 38 01 00 (--expect): nothing was read from it or written to it"_qs;
    QTest::newRow("--expect another radio")
        << none << texts(u"--expect|4b44573431380100") << 2 << refused << QStringList{};
    QTest::newRow("backed up: --expect another radio")
        << none << texts(u"--backup|--expect|4b44573431380100") << 2 << refused << QStringList{};
}

// The written ranges read back in a second session and listed as kdw-cli
// diff lists them, then address by address.
void TestCliTransfer::writeVerify()
{
    QFETCH(QStringList, faults);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(QStringList, lines);
    const MemoryImage radio = patternImage(4);
    MemoryImage file = radio;
    file.copyIn(region::channelRecord(2), QByteArray::fromHex("0025214600252146850823807D010203"));
    file.setByte(0x1FF5, quint8(~radio.byte(0x1FF5))); // never sent, never compared
    RadioSim sim(faults, radio);
    QVERIFY(sim.isRunning());
    const QString path = sim.directory() + u"file.sin"_qs;
    QVERIFY(writeSinFile(path, file));

    const CliRun result
        = sim.runCli(QStringList{u"write"_qs, u"--port"_qs, u"COM1"_qs, path, u"--verify"_qs} + options);
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.err + sim.logTail()));
    const QStringList out = result.out.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(out.size() >= lines.size(), qPrintable(result.out));
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(out.at(i).startsWith(lines.at(i)), qPrintable(result.out));
    QCOMPARE(out.isEmpty(), lines.isEmpty());
    QVERIFY2(result.err.contains(says), qPrintable(result.err));
    QCOMPARE(result.err.contains(u"Write verified"_qs), exitCode == 0);
    QVERIFY(!result.err.contains(u"Communication error"_qs));
    if (exitCode == 2) {
        // Refused: no block asked for or sent, no backup; a read is refused alike, its file not made.
        const QByteArray host = sim.hostBytes();
        QVERIFY(!host.contains(QByteArray("R\x00\x00\x08", 4)) && !host.contains(QByteArray("W\x00\x00\x08", 4)));
        QVERIFY(!QDir(sim.directory() + u"backups"_qs).exists());
        const QString out = sim.directory() + u"out.sin"_qs;
        const CliRun read = sim.runCli(QStringList{u"read"_qs, u"--port"_qs, u"COM1"_qs, out}
                                       + options.mid(options.indexOf(u"--expect"_qs)));
        QCOMPARE(read.exitCode, 2);
        QVERIFY2(read.err.contains(says) && !QFile::exists(out), qPrintable(read.err));
        return;
    }
    if (lines.isEmpty()) // what the radio kept: the write ranges, never 0x1FF0..0x1FFF
        QCOMPARE(sim.savedMemory(), overlay(radio, file, WriteRanges).bytes());
    // Blocks written: channel 2's two, or the whole table.
    const bool changedOnly = options.contains(u"--backup"_qs) && !options.contains(u"--all-blocks"_qs);
    QCOMPARE(sim.hostBytes().count(QByteArray("W\x00\x18\x08", 4)), 1);
    QCOMPARE(sim.hostBytes().count(QByteArray("W\x00\x00\x08", 4)), changedOnly ? 0 : 1);
}

void TestCliTransfer::heldPortIsNamed_data()
{
    QTest::addColumn<QStringList>("arguments"); // OUT: a file in the radio's folder
    QTest::addColumn<QStringList>("faults");
    QTest::newRow("a read that finds no radio") << texts(u"read|--port|COM1|OUT") << QStringList{u"--no-answer"_qs};
    QTest::newRow("doctor") << texts(u"doctor|--port|COM1") << QStringList{};
}

// A read that finds no radio, and the doctor, name the program that holds the
// port, from the live /proc, with its pid, and give no advice about the cable.
// (The services in the way, found by name on a made-up system: tst_cabledoctor.)
void TestCliTransfer::heldPortIsNamed()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, faults);
    RadioSim sim(faults);
    QVERIFY(sim.isRunning());
    QProcess holder;
    QVERIFY(holdTerminal(holder, sim.terminal()));
    const qint64 pid = holder.processId();
    const CliRun result = sim.runCli(arguments.replaceInStrings(u"OUT"_qs, sim.directory() + u"out.sin"_qs));
    holder.kill();
    QVERIFY(holder.waitForFinished());
    const QString said = result.out + result.err;
    QCOMPARE(result.exitCode, 1);
    const QString finding = u"%1 is open in another program, sleep (pid %2)"_qs.arg(sim.terminal()).arg(pid);
    QVERIFY2(said.contains(finding), qPrintable(said));
    QVERIFY2(!said.contains(u"did not answer"_qs), qPrintable(said));
}

void TestCliTransfer::portThatCannotOpen()
{
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const QString file = sim.directory() + u"image.sin"_qs;
    for (const QString &verb : {u"read"_qs, u"write"_qs}) {
        if (verb == u"write")
            QVERIFY(writeSinFile(file, patternImage()));
        const CliRun result = sim.runCli({verb, u"--port"_qs, u"/nonexistent/ttyKDW"_qs, file});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err.section(u'\n', 0, 0), u"Could not open the port"_qs);
        QVERIFY2(result.err.section(u'\n', 1, 1).startsWith(u"Could not open /nonexistent/ttyKDW: "_qs),
                 qPrintable(result.err));
        QVERIFY2(result.err.contains(u"hint: kdw-cli doctor --port /nonexistent/ttyKDW"_qs), qPrintable(result.err));
        QCOMPARE(QFile::exists(file), verb == u"write");
    }
}

void TestCliTransfer::portsShowsTheMapping()
{
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const CliRun result = sim.runCli({u"ports"_qs});
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
    QFETCH(QString, says);
    RadioSim sim(simArgs);
    QVERIFY(sim.isRunning());
    const QString file = sim.directory() + u"image.sin"_qs;
    if (!read)
        QVERIFY(writeSinFile(file, patternImage(5)));
    // One session, as the transfer was before resuming.
    const CliRun result
        = sim.runCli({read ? u"read"_qs : u"write"_qs, u"--port"_qs, u"COM1"_qs, file, u"--no-resume"_qs});
    QVERIFY2(result.exitCode == (fails ? 1 : 0), qPrintable(result.err + sim.logTail()));
    QCOMPARE(result.err.split(u'\n').contains(u"Communication error"_qs), fails);
    QVERIFY(!result.err.contains(u"Resuming"_qs));
    QVERIFY2(saysAll(result.err, says), qPrintable(result.err));
    QCOMPARE(QFile::exists(file), !read || !fails);
}

void TestCliTransfer::resume_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<int>("resumes");  // -1: the transfer fails
    QTest::addColumn<int>("block");    // where the line fails, from 1
    QTest::addColumn<QString>("says"); // a part of standard error after a failure
    const auto args = [](const char *text) { return QString::fromLatin1(text).split(u' '); };
    QTest::newRow("read, short answer three times at block 300")
        << true << args("--short 299 --strikes 3") << 3 << 300 << QString();
    QTest::newRow("write, NAK at block 201") << false << args("--nak 200") << 1 << 201 << QString();
    // A new session that finds no radio at its start is one resume spent; the next follows.
    QTest::newRow("write, NAK at block 201, the first new wake-up unanswered")
        << false << args("--nak 200 --rest-after-fault 4") << 2 << 201 << QString();
    QTest::newRow("write, four silences at block 11")
        << false << args("--silence 10 --strikes 4") << -1 << 11
        << u"stopped answering at block 11 of 316.|partly written and must be written again before use."_qs;
}

// A fault on the line: a line on standard error for each new session; the
// file or the radio ends as after a clean transfer, and the last line says
// how many times it resumed.
void TestCliTransfer::resume()
{
    QFETCH(bool, read);
    QFETCH(QStringList, simArgs);
    QFETCH(int, resumes);
    QFETCH(int, block);
    QFETCH(QString, says);
    const MemoryImage radio = patternImage(6);
    RadioSim sim(simArgs, radio);
    QVERIFY(sim.isRunning());
    const QString file = sim.directory() + u"image.sin"_qs;
    const MemoryImage mine = patternImage(7);
    if (!read)
        QVERIFY(writeSinFile(file, mine));
    const CliRun result = sim.runCli({read ? u"read"_qs : u"write"_qs, u"--port"_qs, u"COM1"_qs, file});
    const bool fails = resumes < 0;
    QVERIFY2(result.exitCode == (fails ? 1 : 0), qPrintable(result.err + sim.logTail()));
    const QStringList err = result.err.split(u'\n', Qt::SkipEmptyParts);
    const int told = fails ? 3 : resumes;
    const QString total = read ? u"318"_qs : u"316"_qs;
    for (int k = 1; k <= told; ++k) {
        const QString notice
            = u"Connection lost at block %1 of %2. Resuming (%3 of 3)…"_qs.arg(block).arg(total).arg(k);
        QVERIFY2(err.contains(notice), qPrintable(result.err));
    }
    QCOMPARE(err.filter(u"Resuming"_qs).size(), told);
    QVERIFY2(saysAll(result.err, says), qPrintable(result.err));

    if (fails) {
        QCOMPARE(result.err.split(u'\n').contains(u"Communication error"_qs), true);
        QCOMPARE(QFile::exists(file), !read);
        return;
    }
    QCOMPARE(err.last(), resumes == 1 ? u"resumed 1 time after a fault on the line"_qs
                                      : u"resumed %1 times after a fault on the line"_qs.arg(resumes));
    if (read) {
        const SinLoadResult loaded = readSinFile(file);
        QVERIFY(loaded);
        MemoryImage image;
        image.copyIn(*loaded.bytes);
        QCOMPARE(firstDifference(image, overlay(image, radio, ReadRanges)), QString());
    } else {
        QCOMPARE(firstDifference(sim.savedMemory(), overlay(radio, mine, WriteRanges).bytes()), QString());
    }
}

void TestCliTransfer::doctorRadio_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("options"); // without --port, COM1 of Program.ini
    QTest::addColumn<int>("exitCode");
    // A line of standard output starts with it; its '|'-separated parts all in that line; @: the radio's terminal.
    QTest::addColumn<QString>("says");
    const QStringList com1 = texts(u"--port|COM1");

    QTest::newRow("radio answers") << QStringList{} << com1 << 0
                                   << u"ok: The radio answered: identification 4B 44 57 34 31 37 01 00 "
                                      u"(\"KDW417..\"), wake-up round trip "_qs;
    QTest::newRow("radio off") << QStringList{u"--no-answer"_qs} << com1 << 1
                               << u"problem: No answer at all: the cable or port is not reaching the radio: is the "
                                  u"radio on, the plug fully in?"_qs;
    QTest::newRow("cable without radio") << QStringList{u"--echo"_qs} << com1 << 1
                                         << u"problem: Only our own bytes came back (|): the cable is connected "
                                            u"to the computer, the radio is not answering"_qs;
    QTest::newRow("radio answers the wake-up only")
        << QStringList{u"--nak"_qs, u"identify"_qs} << texts(u"--lang|chs|--port|COM1") << 1
        << u"problem: 对讲机应答了唤醒，但识别之后没有应答（15）"_qs;
    // The port the window uses.
    QTest::newRow("the port of Program.ini")
        << QStringList{} << QStringList{} << 0 << u"ok: COM1 is @, through the link "_qs;
}

// The radio check is the start of a transfer and nothing more: the wake-up,
// the identification and its acknowledge; never a read or write request.
void TestCliTransfer::doctorRadio()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    RadioSim sim(simArgs);
    QVERIFY(sim.isRunning());
    QVERIFY(writeFile(sim.directory() + u"Program.ini"_qs, "[Setup]\r\nLanguage=Eng\r\nCOM=COM1\r\n"));
    says.replace(u'@', sim.terminal());
    const CliRun result = sim.runCli(QStringList{u"doctor"_qs} + options);
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.out + result.err + sim.logTail()));
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    // Which of the host's bytes come back before a purge drops them is a matter of timing.
    QVERIFY2(std::any_of(lines.begin(), lines.end(),
                         [&](const QString &l) { return l.startsWith(says.section(u'|', 0, 0)) && saysAll(l, says); }),
             qPrintable(result.out));
    QByteArray host = sim.hostBytes();
    if (exitCode == 0)
        QCOMPARE(host, QByteArray("\x02PROGRA"
                                  "M\x02\x06"));
    for (const char *frame : {"\x02PROGRA", "M\x02", "\x06"})
        host.replace(frame, "");
    QVERIFY2(host.isEmpty(), host.toHex(' ').constData());
}

QTEST_GUILESS_MAIN(TestCliTransfer)
#include "tst_clitransfer.moc"
