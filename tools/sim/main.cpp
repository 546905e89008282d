// kdw-radio-sim: a simulated radio on a pseudo-terminal, for trying the
// program without a radio and for the tests of the link.

#include "image/sinfile.h"
#include "tools/sim/ptyline.h"
#include "tools/sim/radiomodel.h"
#include "tools/sim/simoptions.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <cstdio>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

using namespace kdw;
using namespace kdw::sim;

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

// One line per burst: "<ms since start> host|radio <hex bytes>", "# ..." for events.
class ByteLog
{
public:
    explicit ByteLog(const QString &path)
    {
        if (!path.isEmpty())
            m_file = std::fopen(QFile::encodeName(path).constData(), "w");
    }
    ~ByteLog()
    {
        if (m_file)
            std::fclose(m_file);
    }
    bool failed(const QString &path) const { return !path.isEmpty() && !m_file; }

    void bytes(const char *who, QByteArrayView data)
    {
        if (m_file && !data.isEmpty())
            line(QByteArray(who) + ' ' + data.toByteArray().toHex(' '));
    }
    void event(const QByteArray &text)
    {
        if (m_file)
            line("# " + text);
    }

private:
    void line(const QByteArray &text)
    {
        std::fprintf(m_file, "%.3f %s\n", double(nowNs() - m_start) / 1e6, text.constData());
        std::fflush(m_file);
    }

    std::FILE *m_file = nullptr;
    qint64 m_start = nowNs();
};

// The radio's memory into a file, replaced whole by a rename. Unlike a saved
// document it skips the wait for the disk: that wait, under a busy disk, would
// hold the last acknowledge past the host's time-out.
bool saveMemory(const QString &path, const MemoryImage &memory)
{
    const QString partial = path + QStringLiteral(".part");
    QFile file(partial);
    const QByteArray bytes = memory.bytes();
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (written && std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    QFile::remove(partial);
    return false;
}

void announce(const PtyLine &line)
{
    std::printf("%s\n", QFile::encodeName(line.terminalPath()).constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.contains(QStringLiteral("--help"))) {
        std::printf("%s", qPrintable(simUsage()));
        return 0;
    }
    QString error;
    const auto options = parseSimOptions(arguments, &error);
    if (!options) {
        std::fprintf(stderr, "kdw-radio-sim: %s\n%s", qPrintable(error), qPrintable(simUsage()));
        return 2;
    }

    MemoryImage memory;
    memory.fill(0xFF);
    if (!options->imagePath.isEmpty()) {
        const SinLoadResult loaded = readSinFile(options->imagePath);
        if (!loaded) {
            std::fprintf(stderr, "kdw-radio-sim: cannot load %s\n", qPrintable(options->imagePath));
            return 2;
        }
        memory.copyIn(*loaded.bytes);
    }
    ByteLog log(options->logPath);
    if (log.failed(options->logPath)) {
        std::fprintf(stderr, "kdw-radio-sim: cannot write %s\n", qPrintable(options->logPath));
        return 2;
    }

#ifdef Q_OS_LINUX
    // Byte times are about a millisecond: sleep to the microsecond.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    // A radio answers whatever else the computer is doing; a busy machine
    // must not make the simulated one miss the host's 100 ms time-outs. Where
    // the system allows it, run ahead of ordinary processes.
    (void)setpriority(PRIO_PROCESS, 0, -10);
    struct sigaction action{};
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);

    PtyLine line(options->linkPath, options->baud);
    if (!line.open(&error)) {
        std::fprintf(stderr, "kdw-radio-sim: %s\n", qPrintable(error));
        return 1;
    }
    announce(line);

    RadioModel radio(memory, options->faults);
    int status = 0;
    while (!g_stop) {
        switch (line.waitForHost(-1)) {
        case PtyLine::Wait::Interrupted:
            continue;
        case PtyLine::Wait::HostClosed:
            radio.hostClosed();
            continue;
        case PtyLine::Wait::Data:
            break;
        }
        const QByteArray received = line.takeHostBytes();
        log.bytes("host", received);
        for (char byte : received) {
            line.awaitArrival();
            const RadioModel::Reply reply = radio.feed(quint8(byte));
            if (reply.hangUp) {
                log.event("hangup");
                if (!line.reopen(&error)) {
                    std::fprintf(stderr, "kdw-radio-sim: %s\n", qPrintable(error));
                    g_stop = 1;
                    status = 1;
                }
                announce(line);
                break; // the rest went down the pulled cable
            }
            // The memory is saved before the last block is acknowledged: once
            // the host sees its write complete, the file holds it.
            if (radio.takeCompletedWrite() && !options->savePath.isEmpty()) {
                const bool saved = saveMemory(options->savePath, radio.memory());
                log.event(saved ? "saved" : "save failed");
                if (!saved)
                    std::fprintf(stderr, "kdw-radio-sim: cannot save %s\n", qPrintable(options->savePath));
            }
            line.send(reply.bytes);
            log.bytes("radio", reply.bytes);
        }
    }
    line.removeLink();
    return status;
}
