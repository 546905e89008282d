// kdw-cli doctor against kdw-radio-sim on a pseudo-terminal and the live
// system: the radio's answers, programs in the way, and the exit codes. Its
// refused command lines: tst_cli badInputLeavesFileUntouched.

#include "radiosim.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestDoctor : public QObject
{
    Q_OBJECT

private slots:
    void radio_data();
    void radio();
    void portFromProgramIni();
    void terminalProgramHoldsThePort();
};

void TestDoctor::radio_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("exitCode");
    // A line of standard output starts with it; its '|'-separated parts all in that line.
    QTest::addColumn<QString>("says");

    QTest::newRow("radio answers") << QStringList{} << u"eng"_qs << 0
                                   << u"ok: The radio answered: identification 4B 44 57 34 31 37 01 00 "
                                      u"(\"KDW417..\"), wake-up round trip "_qs;
    QTest::newRow("radio off") << QStringList{u"--no-answer"_qs} << u"eng"_qs << 1
                               << u"problem: No answer at all: the cable or port is not reaching the radio: is the "
                                  u"radio on, the plug fully in?"_qs;
    QTest::newRow("cable without radio") << QStringList{u"--echo"_qs} << u"eng"_qs << 1
                                         << u"problem: Only our own bytes came back (|): the cable is connected "
                                            u"to the computer, the radio is not answering"_qs;
    QTest::newRow("something else answers")
        << QStringList{u"--garbage"_qs} << u"eng"_qs << 1 << u"problem: Other bytes came back ("_qs;
    QTest::newRow("radio answers the wake-up only") << QStringList{u"--nak"_qs, u"identify"_qs} << u"chs"_qs << 1
                                                    << u"problem: 对讲机应答了唤醒，但识别之后没有应答（15）"_qs;
}

// The radio check is the start of a transfer and nothing more: the wake-up,
// the identification and its acknowledge; never a read or write request.
void TestDoctor::radio()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, language);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    RadioSim sim(simArgs);
    QVERIFY(sim.isRunning());
    const CliRun result = sim.runCli({u"doctor"_qs, u"--lang"_qs, language, u"--port"_qs, u"COM1"_qs});
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

// Without --port the port of Program.ini is checked, as the window uses it.
void TestDoctor::portFromProgramIni()
{
    RadioSim sim;
    QVERIFY(sim.isRunning());
    QVERIFY(writeFile(sim.directory() + u"Program.ini"_qs, "[Setup]\r\nLanguage=Eng\r\nCOM=COM1\r\n"));
    const CliRun result = sim.runCli({u"doctor"_qs});
    QVERIFY2(result.exitCode == 0, qPrintable(result.out + result.err));
    QVERIFY2(result.out.startsWith(u"ok: COM1 is "_qs + sim.terminal() + u", through the link "_qs),
             qPrintable(result.out));
    QVERIFY2(result.out.endsWith(u"note: No problems found.\n"_qs), qPrintable(result.out));
}

// The live /proc: a program holding the radio's terminal is named with its
// pid. The services in the way are found by name on a made-up system
// (tst_cabledoctor).
void TestDoctor::terminalProgramHoldsThePort()
{
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const QString sleep = QStandardPaths::findExecutable(u"sleep"_qs);
    QVERIFY(!sleep.isEmpty());
    const QString program = sim.directory() + u"minicom"_qs;
    QVERIFY(QFile::copy(sleep, program));
    QProcess other;
    other.setStandardInputFile(sim.terminal());
    other.start(program, {u"60"_qs});
    QVERIFY(other.waitForStarted());

    const qint64 pid = other.processId();
    const CliRun result = sim.runCli({u"doctor"_qs, u"--port"_qs, u"COM1"_qs});
    other.kill();
    other.waitForFinished();
    QVERIFY2(result.exitCode == 1, qPrintable(result.out + result.err));
    QVERIFY2(result.out.contains(u"is open in another program, minicom (pid %1)"_qs.arg(pid)), qPrintable(result.out));
}

QTEST_GUILESS_MAIN(TestDoctor)
#include "tst_doctor.moc"
