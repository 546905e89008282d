#pragma once

// Helpers shared by the core tests: images, files and runs of kdw-cli.
#include "channels/channelcodec.h"
#include "image/memoryimage.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace kdw::test {

// An image with every byte set to `value`.
MemoryImage filledImage(quint8 value);

// "0xOFFS: actual != expected" for the first byte that differs; empty when equal.
QString firstDifference(const QByteArray &actual, const QByteArray &expected);
inline QString firstDifference(const MemoryImage &actual, const MemoryImage &expected)
{
    return firstDifference(actual.bytes(), expected.bytes());
}

// Texts written as one string separated by '|': "Off|Low" is {"Off", "Low"}.
QStringList texts(QStringView joined);
// A grid row from nine texts separated by '|', and back.
ChannelTexts row(QStringView joined);
QStringList cells(const ChannelTexts &row);

// Bytes written as hex digits: hex("00FF") is {0x00, 0xFF}.
inline QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);
// Writes the file whole; a test cannot go on without it, so failing is fatal.
void writeFile(const QString &path, const QByteArray &bytes);

struct CliRun
{
    int exitCode = -1; // -1 when the tool crashed or did not finish
    QString out;
    QString err;
};

// Runs the build's kdw-cli, or `program`, in `workingDirectory` (default: the current one).
CliRun runCli(const QStringList &args, const QString &program = {}, const QString &workingDirectory = {});

// The generator of one test's random inputs. Its seed comes from the
// environment variable KDW_TEST_SEED when set, otherwise from the system; when
// the test fails the seed is printed, so the failing run can be repeated.
class SeededRandom
{
public:
    SeededRandom();
    ~SeededRandom();
    SeededRandom(const SeededRandom &) = delete;
    SeededRandom &operator=(const SeededRandom &) = delete;

    QRandomGenerator *operator->() { return &m_generator; }
    quint32 seed() const { return m_seed; }

private:
    quint32 m_seed;
    QRandomGenerator m_generator;
};

} // namespace kdw::test
