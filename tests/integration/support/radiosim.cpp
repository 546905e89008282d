#include "radiosim.h"

#include "core/image/sinfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <csignal>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace kdw::test {

RadioSim::RadioSim(const QStringList &faults, const MemoryImage &memory, const QString &programDirectory,
                   const QString &port)
    : m_programDirectory(programDirectory.isEmpty() ? m_dir.path() + u'/' : programDirectory)
{
    const QString image = m_dir.filePath(QStringLiteral("radio.sin"));
    const QString link = m_programDirectory + QStringLiteral("ports/") + port;
    if (!QDir(m_programDirectory).mkpath(QStringLiteral("ports")) || !writeSinFile(image, memory)) {
        qWarning("cannot prepare the simulated radio's directory");
        return;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
#ifdef Q_OS_LINUX
    // A test that crashes must not leave its radio running: the orphan would
    // hold the test's output open and keep CTest waiting.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
    m_process.start(QStringLiteral(KDW_PROGRAM_DIR "/kdw-radio-sim"),
                    QStringList{QStringLiteral("--link"), link, QStringLiteral("--image"), image,
                                QStringLiteral("--save"), m_dir.filePath(QStringLiteral("saved.sin")),
                                QStringLiteral("--log"), m_dir.filePath(QStringLiteral("log.txt"))}
                        + faults);
    // The first line is the terminal's path; the link is in place by then.
    while (m_process.waitForReadyRead(5000)) {
        if (m_process.canReadLine()) {
            m_terminal = QString::fromLocal8Bit(m_process.readLine()).trimmed();
            m_running = QFileInfo::exists(link);
            break;
        }
    }
    if (!m_running)
        qWarning("the simulated radio did not start");
}

RadioSim::~RadioSim()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString RadioSim::cliPath() const
{
    const QString tool = directory() + QStringLiteral("kdw-cli");
    if (!QFileInfo::exists(tool) && !QFile::copy(QStringLiteral(KDW_PROGRAM_DIR "/kdw-cli"), tool))
        return {};
    return tool;
}

CliRun RadioSim::runCli(const QStringList &arguments) const
{
    const QString tool = cliPath();
    if (tool.isEmpty())
        return {};
    return test::runCli(arguments, tool);
}

QByteArray RadioSim::savedMemory() const
{
    return readFile(m_dir.filePath(QStringLiteral("saved.sin")));
}

QByteArray RadioSim::savedMemory(int radio) const
{
    return readFile(m_dir.filePath(QStringLiteral("saved-%1.sin").arg(radio)));
}

bool RadioSim::swapTo(int next)
{
    if (::kill(pid_t(m_process.processId()), SIGUSR1) != 0)
        return false;
    const QString connected = QStringLiteral("# radio %1 connected").arg(next);
    return QTest::qWaitFor([&] { return log().join(u'\n').contains(connected); }, 5000);
}

QStringList RadioSim::log() const
{
    return QString::fromLatin1(readFile(m_dir.filePath(QStringLiteral("log.txt")))).split(u'\n', Qt::SkipEmptyParts);
}

QString RadioSim::logTail() const
{
    const QStringList all = log();
    return all.mid(std::max<qsizetype>(0, all.size() - 16)).join(u'\n');
}

QByteArray RadioSim::hostBytes() const
{
    QByteArray bytes;
    for (const QString &line : log()) {
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() > 2 && fields.at(1) == u"host") {
            for (const QString &b : fields.mid(2))
                bytes.append(char(b.toInt(nullptr, 16)));
        }
    }
    return bytes;
}

bool saysAll(const QString &text, const QString &parts)
{
    for (const QString &part : parts.split(u'|')) {
        if (!text.contains(part))
            return false;
    }
    return true;
}

bool holdTerminal(QProcess &holder, const QString &terminal)
{
    holder.setStandardInputFile(terminal);
    holder.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    if (holder.waitForStarted())
        return true;
    qWarning("sleep did not start: %s", qPrintable(holder.errorString()));
    return false;
}

void addFaultRows()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<bool>("staysOff");
    QTest::addColumn<QString>("says");
    const auto row = [](const char *name, bool read, const char *fault, const char *stage, const char *says) {
        QStringList args{QString::fromLatin1(fault)};
        if (stage)
            args.append(QString::fromLatin1(stage));
        QTest::newRow(name) << read << args << (says != nullptr) << false << QString::fromUtf8(says);
    };
    const char *partly = "|\nThe radio's memory is now partly written and must be written again before use.";
    row("read, NAK at the wake-up", true, "--nak", "wakeup", "Other bytes came back (15");
    row("read, silence at the identification", true, "--silence", "identify",
        "The radio answered the wake-up but not after its identification (\u2014): switch the radio off and on");
    row("read, hang-up at the first block", true, "--hangup", "0", "went away during the transfer");
    row("read, short answer at block 250 (range 2)", true, "--short", "250", "wrong answer at block 251 of 318.");
    row("read, silence at the last block", true, "--silence", "317", "stopped answering at block 318 of 318.");
    row("read, short identification", true, "--short", "identify", nullptr);
    row("read, 0x07 to three wake-ups", true, "--wrong-wakeup", "3", nullptr);
    row("read, garbage leading bytes", true, "--garbage-lead", nullptr, nullptr);
    row("write, silence at the wake-up", false, "--silence", "wakeup", "No answer at all: the cable or port");
    row("write, NAK at the identification", false, "--nak", "identify", "but not after its identification (15)");
    row("write, NAK at the first block", false, "--nak", "0",
        QByteArray("wrong answer at block 1 of 316.").append(partly).constData());
    row("write, hang-up at block 310 (range 4)", false, "--hangup", "310",
        QByteArray("went away during the transfer").append(partly).constData());
    row("write, 0x07 to four wake-ups", false, "--wrong-wakeup", "4",
        "Other bytes came back (07|check that this is a KDW417 and its programming cable.");
    QTest::newRow("read, a cable without a radio")
        << true << QStringList{u"--echo"_qs} << true << true << u"Only our own bytes came back ("_qs;
    QTest::newRow("write, no KDW417") << false << QStringList{u"--garbage"_qs} << true << true
                                      << u"Other bytes came back (|check that this is a KDW417"_qs;
    QTest::newRow("read, no answer at all")
        << true << QStringList{u"--no-answer"_qs} << true << true << u"No answer at all: the cable or port"_qs;
}

} // namespace kdw::test
