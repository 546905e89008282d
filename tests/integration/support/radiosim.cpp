#include "radiosim.h"

#include "image/sinfile.h"
#include "image/transferranges.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace kdw::test {

MemoryImage patternImage(quint8 seed)
{
    MemoryImage image;
    for (int a = 0; a < MemoryImage::Size; ++a)
        image.setByte(a, quint8((a * 31 + (a >> 8) * 7 + seed) & 0xFF));
    return image;
}

RadioSim::RadioSim(const QStringList &faults, const MemoryImage &memory, const QString &programDirectory)
    : m_programDirectory(programDirectory.isEmpty() ? m_dir.path() + u'/' : programDirectory)
{
    const QString image = m_dir.filePath(QStringLiteral("radio.sin"));
    if (!QDir(m_programDirectory).mkpath(QStringLiteral("ports")) || !writeSinFile(image, memory)) {
        QWARN("cannot prepare the simulated radio's directory");
        return;
    }
    QStringList args{QStringLiteral("--link"), linkPath(),
                     QStringLiteral("--image"), image,
                     QStringLiteral("--save"), m_dir.filePath(QStringLiteral("saved.sin")),
                     QStringLiteral("--log"), m_dir.filePath(QStringLiteral("log.txt"))};
    args += faults;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(KDW_PROGRAM_DIR "/kdw-radio-sim"), args);
    // The first line is the terminal's path; the link is in place by then.
    while (m_process.waitForReadyRead(5000)) {
        if (m_process.canReadLine()) {
            m_terminal = QString::fromLocal8Bit(m_process.readLine()).trimmed();
            m_running = QFileInfo::exists(linkPath());
            break;
        }
    }
    if (!m_running)
        QWARN("the simulated radio did not start");
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

RadioSim::CliResult RadioSim::runCli(const QStringList &arguments) const
{
    const QString tool = directory() + QStringLiteral("kdw-cli");
    if (!QFileInfo::exists(tool) && !QFile::copy(QStringLiteral(KDW_PROGRAM_DIR "/kdw-cli"), tool))
        return {};
    QProcess cli;
    cli.start(tool, arguments);
    if (!cli.waitForFinished(60000)) {
        cli.kill();
        cli.waitForFinished();
        return {};
    }
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromLocal8Bit(cli.readAllStandardOutput()), QString::fromLocal8Bit(cli.readAllStandardError())};
}

QByteArray RadioSim::savedMemory() const
{
    QFile file(m_dir.filePath(QStringLiteral("saved.sin")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList RadioSim::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("log.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QString RadioSim::logTail(int lines) const
{
    const QStringList all = log();
    return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(u'\n');
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

namespace {
template <std::size_t N>
bool rangesEqual(const std::array<TransferRange, N> &ranges, const MemoryImage &a, const MemoryImage &b)
{
    for (const TransferRange &r : ranges) {
        if (a.bytes(r.start, r.end - r.start) != b.bytes(r.start, r.end - r.start))
            return false;
    }
    return true;
}
} // namespace

bool readRangesEqual(const MemoryImage &a, const MemoryImage &b)
{
    return rangesEqual(ReadRanges, a, b);
}

bool writeRangesEqual(const MemoryImage &a, const MemoryImage &b)
{
    return rangesEqual(WriteRanges, a, b);
}

} // namespace kdw::test
