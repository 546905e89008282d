// kdw-radio-sim: a simulated radio on a pseudo-terminal, for trying the
// program without a radio and for the tests of the link.

#include "core/image/sinfile.h"
#include "tools/sim/ptyline.h"
#include "tools/sim/radiomodel.h"
#include "tools/sim/simoptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

using namespace kdw;
using namespace kdw::sim;

namespace {

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_swap = 0;

void onSignal(int)
{
    g_stop = 1;
}

void onSwapSignal(int)
{
    g_swap = 1;
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
    const bool written
        = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
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

// The radio's memory at power-on: erased, or the bytes of the .sin file given.
std::optional<MemoryImage> initialMemory(const QString &imagePath)
{
    MemoryImage memory;
    memory.fill(0xFF);
    if (imagePath.isEmpty())
        return memory;
    const SinLoadResult loaded = readSinFile(imagePath);
    if (!loaded) {
        std::fprintf(stderr, "kdw-radio-sim: cannot load %s\n", qPrintable(imagePath));
        return std::nullopt;
    }
    memory.copyIn(*loaded.bytes);
    return memory;
}

// A radio answers whatever else the computer is doing; a busy machine must
// not make the simulated one miss the host's 100 ms time-outs.
void keepPace()
{
#ifdef Q_OS_LINUX
    // Byte times are about a millisecond: sleep to the microsecond.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    // Where the system allows it, run ahead of ordinary processes.
    (void)setpriority(PRIO_PROCESS, 0, -10);
}

void stopOnSignals()
{
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    // SIGUSR1: a person swaps the radios of a box by hand (and then tells
    // the program so), with no wait for the swap time.
    struct sigaction swap
    {
    };
    swap.sa_handler = onSwapSignal;
    sigaction(SIGUSR1, &swap, nullptr);
}

// The radio at the end of the line (or a box of them, one after another):
// takes the host's bytes as they come and sends its answers.
class Radio
{
public:
    Radio(PtyLine &line, const MemoryImage &memory, const SimOptions &options, ByteLog &log)
        : m_line(line)
        , m_options(options)
        , m_log(log)
    {
        for (int radio = 1; radio <= options.radios; ++radio) {
            RadioModel model(memory, options.faults);
            if (options.identifications.contains(radio))
                model.setIdentification(options.identifications.value(radio));
            model.setTakenAwayWhenDone(options.radios > 1, [] { return nowNs() / 1000000; });
            m_models.push_back(model);
        }
    }

    // Serves the host until a signal stops it; the exit status.
    int serve()
    {
        while (!g_stop) {
            if (g_swap) {
                g_swap = 0;
                swapByHand();
            }
            switch (m_line.waitForHost(-1)) {
            case PtyLine::Wait::Interrupted: continue;
            case PtyLine::Wait::HostClosed:
                if (RadioModel *model = current())
                    model->hostClosed();
                continue;
            case PtyLine::Wait::Data: takeBurst(m_line.takeHostBytes()); break;
            }
        }
        return m_status;
    }

private:
    // The radio on the cable; none while radios are swapped or the box is empty.
    RadioModel *current()
    {
        if (m_swapUntil > 0 && nowNs() >= m_swapUntil) {
            m_swapUntil = 0;
            ++m_current;
            if (m_current < m_models.size())
                m_log.event("radio " + QByteArray::number(m_current + 1) + " connected");
        }
        if (m_swapUntil > 0 || m_current >= m_models.size())
            return nullptr;
        return &m_models[m_current];
    }

    // The radio on the cable is taken away and the next one connected at once.
    void swapByHand()
    {
        if (m_options.radios < 2 || m_current >= m_models.size())
            return;
        if (m_swapUntil == 0)
            m_log.event("radio " + QByteArray::number(m_current + 1) + " taken away");
        m_swapUntil = nowNs();
        (void)current();
    }

    void takeBurst(const QByteArray &received)
    {
        m_log.bytes("host", received);
        for (char byte : received) {
            m_line.awaitArrival();
            RadioModel *model = current();
            if (!model)
                continue; // nothing on the cable: the bytes go nowhere
            const RadioModel::Reply reply = model->feed(quint8(byte));
            if (reply.hangUp) {
                hangUp();
                return; // the rest went down the pulled cable
            }
            // The memory is saved before each written block is acknowledged:
            // once the host sees its write complete, the file holds it.
            if (model->takeWrittenBlock() && !m_options.savePath.isEmpty())
                save(*model);
            if (model->takenAway()) {
                m_log.event("radio " + QByteArray::number(m_current + 1) + " taken away");
                m_swapUntil = nowNs() + qint64(m_options.swapMs) * 1000000;
                continue;
            }
            m_line.send(reply.bytes);
            m_log.bytes("radio", reply.bytes);
        }
    }

    // The cable pulled and plugged in again: a new terminal, announced.
    void hangUp()
    {
        m_log.event("hangup");
        QString error;
        if (!m_line.reopen(&error)) {
            std::fprintf(stderr, "kdw-radio-sim: %s\n", qPrintable(error));
            g_stop = 1;
            m_status = 1;
        }
        announce(m_line);
    }

    // A box saves each radio on its own: FILE-1.sin, FILE-2.sin, ...
    QString savePath() const
    {
        if (m_options.radios == 1)
            return m_options.savePath;
        const QFileInfo file(m_options.savePath);
        const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
        return file.path() + u'/' + file.completeBaseName() + QStringLiteral("-%1").arg(m_current + 1) + suffix;
    }

    void save(const RadioModel &model)
    {
        const QString path = savePath();
        const bool saved = saveMemory(path, model.memory());
        m_log.event(saved ? "saved" : "save failed");
        if (!saved)
            std::fprintf(stderr, "kdw-radio-sim: cannot save %s\n", qPrintable(path));
    }

    PtyLine &m_line;
    const SimOptions &m_options;
    std::vector<RadioModel> m_models;
    std::size_t m_current = 0;
    qint64 m_swapUntil = 0; // while set, the radios are being swapped
    ByteLog &m_log;
    int m_status = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const SimCommandLine command = parseSimOptions(QCoreApplication::arguments().mid(1));
    if (command.help) {
        std::printf("%s", qPrintable(simUsage()));
        return 0;
    }
    if (command.version) {
        std::printf("kdw-radio-sim %s\n", KDW_VERSION);
        return 0;
    }
    if (!command.options) {
        std::fprintf(stderr, "kdw-radio-sim: %s\n%s", qPrintable(command.error), qPrintable(simUsage()));
        return 2;
    }
    const auto &options = command.options;
    QString error;
    const auto memory = initialMemory(options->imagePath);
    if (!memory)
        return 2;
    ByteLog log(options->logPath);
    if (log.failed(options->logPath)) {
        std::fprintf(stderr, "kdw-radio-sim: cannot write %s\n", qPrintable(options->logPath));
        return 2;
    }

    keepPace();
    stopOnSignals();
    PtyLine line(options->linkPath, options->baud);
    if (!line.open(&error)) {
        std::fprintf(stderr, "kdw-radio-sim: %s\n", qPrintable(error));
        return 1;
    }
    announce(line);
    const int status = Radio(line, *memory, *options, log).serve();
    line.removeLink();
    return status;
}
