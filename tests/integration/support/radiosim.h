#pragma once

#include "image/memoryimage.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kdw::test {

// A memory with a different byte at every address of a block.
MemoryImage patternImage(quint8 seed = 0);

// kdw-radio-sim linked as ports/COM1 in a directory (its own temporary one
// unless given), so that the directory serves as the program directory of a
// transfer on "COM1". The radio's memory starts as `memory`, it saves after
// every completed write, and records the bytes of both directions. Its files
// live in a temporary directory of its own.
class RadioSim
{
public:
    explicit RadioSim(const QStringList &faults = {}, const MemoryImage &memory = patternImage(),
                      const QString &programDirectory = {});
    ~RadioSim();

    // Started and its terminal linked; false with a QWARN otherwise.
    bool isRunning() const { return m_running; }
    // With a trailing separator, as the program directory is held.
    QString directory() const { return m_programDirectory; }
    QString linkPath() const { return directory() + QStringLiteral("ports/COM1"); }
    QString terminal() const { return m_terminal; }

    struct CliResult
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // Runs kdw-cli from the radio's directory, so that "COM1" names this radio.
    CliResult runCli(const QStringList &arguments) const;

    // The memory saved after the last completed write (empty before any).
    QByteArray savedMemory() const;
    // The log: lines "<ms> host|radio <hex>" and "# <event>".
    QStringList log() const;
    // The last lines of the log, for failure messages.
    QString logTail(int lines = 16) const;
    // Every host byte the radio received, in order.
    QByteArray hostBytes() const;

private:
    QTemporaryDir m_dir;
    QString m_programDirectory;
    QProcess m_process;
    QString m_terminal;
    bool m_running = false;
};

// The five read ranges of two images are equal.
bool readRangesEqual(const MemoryImage &a, const MemoryImage &b);
// The five write ranges of two images are equal.
bool writeRangesEqual(const MemoryImage &a, const MemoryImage &b);

} // namespace kdw::test
