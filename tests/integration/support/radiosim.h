#pragma once

#include "image/memoryimage.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kdw::test {

// kdw-radio-sim running in a temporary directory, linked as ports/COM1 there,
// so that the directory serves as the program directory of a transfer on
// "COM1". The radio's memory starts as `memory`, it saves after every
// completed write, and records the bytes of both directions.
class RadioSim
{
public:
    explicit RadioSim(const QStringList &faults = {}, const MemoryImage &memory = patternImage());
    ~RadioSim();

    // Started and its terminal linked; false with a QWARN otherwise.
    bool isRunning() const { return m_running; }
    // With a trailing separator, as the program directory is held.
    QString directory() const { return m_dir.path() + u'/'; }
    QString linkPath() const { return directory() + QStringLiteral("ports/COM1"); }
    QString terminal() const { return m_terminal; }

    // The memory saved after the last completed write (empty before any).
    QByteArray savedMemory() const;
    // The log: lines "<ms> host|radio <hex>" and "# <event>".
    QStringList log() const;
    // Every host byte the radio received, in order.
    QByteArray hostBytes() const;

    // A memory with a different byte at every address of a block.
    static MemoryImage patternImage(quint8 seed = 0);

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_terminal;
    bool m_running = false;
};

// The five read ranges of two images are equal.
bool readRangesEqual(const MemoryImage &a, const MemoryImage &b);
// The five write ranges of two images are equal.
bool writeRangesEqual(const MemoryImage &a, const MemoryImage &b);

} // namespace kdw::test
