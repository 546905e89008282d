#pragma once

#include "core/link/batchrun.h"
#include "core/link/radiotransfer.h"

#include <QString>
#include <QStringList>

namespace kdw {

// How a run over serial ports ended, or why it never began.
struct BatchOutcome
{
    enum class Failure { None, Port, Log };
    Failure failure = Failure::None;
    QString port;           // Failure::Port: the port that did not open
    TransferOutcome opened; // Failure::Port: what the open said
    QString logError;       // Failure::Log: why the log could not be made
    QString logPath;        // the log, once made
    BatchSummary summary;

    explicit operator bool() const { return failure == Failure::None; }
};

// Opens every port, each exclusively and on the thread of its own lane (a
// serial port is used from the thread that opened it), makes the log at
// `logPath`, runs the lanes and closes the ports. No radio is touched
// unless every port opened and the log was made.
BatchOutcome runBatchOnPorts(const QStringList &ports, const QString &programDirectory, const BatchPlan &plan,
                             const QString &logPath, const BatchObserver &observer, Language language);

} // namespace kdw
