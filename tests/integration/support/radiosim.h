#pragma once

#include "clirun.h"
#include "core/image/memoryimage.h"
#include "core/image/transferranges.h"
#include "testbytes.h"
#include "testfiles.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kdw::test {

// kdw-radio-sim linked as ports/COM1 (or the port given) in a directory (its own temporary one
// unless given), so that the directory serves as the program directory of a
// transfer on "COM1". The radio's memory starts as `memory`, it saves after
// every completed write, and logs the bytes of both directions.
class RadioSim
{
public:
    explicit RadioSim(const QStringList &faults = {}, const MemoryImage &memory = patternImage(),
                      const QString &programDirectory = {}, const QString &port = QStringLiteral("COM1"));
    ~RadioSim();

    // Started and its terminal linked; false with a QWARN otherwise.
    bool isRunning() const { return m_running; }
    // With a trailing separator, as the program directory is held.
    QString directory() const { return m_programDirectory; }
    QString terminal() const { return m_terminal; }

    // Runs kdw-cli from the radio's directory, so that "COM1" names this radio.
    CliRun runCli(const QStringList &arguments) const;
    // That copy of kdw-cli, for a test that runs it itself; empty when it
    // could not be made.
    QString cliPath() const;

    // The memory as the last written block left it (empty before any write).
    QByteArray savedMemory() const;
    // With --box: the memory radio `radio` (from 1) saved after its last write.
    QByteArray savedMemory(int radio) const;
    // With --box: the radio on the cable taken away and radio `next` (from 1)
    // connected at once, as a person swaps them by hand; true once it is.
    bool swapTo(int next);
    // The last lines of the log ("<ms> host|radio <hex>", "# <event>"), for
    // failure messages.
    QString logTail() const;
    // Every host byte the radio received, in order.
    QByteArray hostBytes() const;

private:
    QStringList log() const;

    // The radio's files (its memory, the saved copy, the byte log) live in
    // memory where the system offers it: a write to a busy disk can stall the
    // simulated radio past the host's 100 ms time-outs.
    QTemporaryDir m_dir{memoryBackedTemporaryPath(QStringLiteral("kdw-radio-sim"))};
    QString m_programDirectory;
    QProcess m_process;
    QString m_terminal;
    bool m_running = false;
};

// The fault table of the simulated radio, for a `_data()` function: the
// columns "read" (bool: a read, else a write), "simArgs" (QStringList: the
// options of kdw-radio-sim), "fails" (bool: the transfer ends with
// "Communication error"), "staysOff" (bool: the next transfer fails too) and
// "says" (QString: parts of the English lines below that message, separated
// by '|'), and a row for each case. Every kind of fault appears, spread over the
// stages: the wake-up, the identification, the first block, the middle of a
// range and the last block.
void addFaultRows();

// Starts another program that holds `terminal` open and reads nothing from
// it (`sleep`, the terminal its standard input); false with a QWARN otherwise.
bool holdTerminal(QProcess &holder, const QString &terminal);

// True when `text` holds every '|'-separated part of `parts`.
bool saysAll(const QString &text, const QString &parts);

} // namespace kdw::test
