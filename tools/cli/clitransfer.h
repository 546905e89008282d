#pragma once

#include "core/image/memoryimage.h"
#include "core/link/radiotransfer.h"
#include "tools/cli/prologue.h"

#include <QString>

namespace kdw::cli {

// --port NAME, which read and write require.
inline const ValueOption PortOption{QStringLiteral("--port"), QString()};
// --no-resume: a fault on the line ends the transfer, as in a single session.
inline const QString NoResumeFlag = QStringLiteral("--no-resume");

// read and write refuse a command line without a port, with both --backup
// and --no-backup, or whose file is an unknown option: `usage` then.
std::optional<QString> checkTransferArguments(const Invocation &invocation, const QString &usage);

// The new sessions a transfer of this command line may begin after faults.
int maxResumes(const Invocation &invocation);

// Runs one transfer on the named port with its progress on standard error,
// a line for every resume after a fault, and on failure the message ("Could
// not open the port" with the system's reason, or "Communication error" with
// what happened and what to try, then the exchange that failed).
TransferOutcome transferWithProgress(const CliContext &context, const QString &portName, TransferDirection direction,
                                     MemoryImage &image, int maxResumes);

// The last line of a command whose transfers resumed: how many times.
void reportResumes(int resumes);

} // namespace kdw::cli
