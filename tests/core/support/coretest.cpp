#include "coretest.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace kdw::test {

namespace {

quint32 chosenSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("KDW_TEST_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::system()->generate();
}

} // namespace

SeededRandom::SeededRandom()
    : m_seed(chosenSeed())
    , m_generator(m_seed)
{
}

SeededRandom::~SeededRandom()
{
    if (QTest::currentTestFailed())
        qWarning("random inputs from seed %u; KDW_TEST_SEED=%u repeats them", m_seed, m_seed);
}

MemoryImage filledImage(quint8 value)
{
    MemoryImage image;
    image.fill(value);
    return image;
}

QString firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (actual.at(i) != expected.at(i)) {
            return QStringLiteral("0x%1: %2 != %3")
                .arg(i, 4, 16, QLatin1Char('0'))
                .arg(quint8(actual.at(i)), 2, 16)
                .arg(quint8(expected.at(i)), 2, 16);
        }
    }
    return actual.size() == expected.size()
        ? QString()
        : QStringLiteral("%1 bytes, not %2").arg(actual.size()).arg(expected.size());
}

QStringList texts(QStringView joined)
{
    return joined.toString().split(u'|');
}

ChannelTexts row(QStringView joined)
{
    const QStringList list = texts(joined);
    ChannelTexts result;
    // A row of another width fails the test instead of writing past the row.
    if (list.size() != ChannelFieldCount) {
        QTest::qFail(qPrintable(QStringLiteral("a row has %1 texts, not %2").arg(list.size()).arg(ChannelFieldCount)),
                     __FILE__, __LINE__);
        return result;
    }
    std::copy(list.begin(), list.end(), result.begin());
    return result;
}

QStringList cells(const ChannelTexts &row)
{
    return {row.begin(), row.end()};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

CliRun runCli(const QStringList &args, const QString &program, const QString &workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(program.isEmpty() ? QStringLiteral(KDW_PROGRAM_DIR "/kdw-cli") : program, args);
    CliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace kdw::test
