#pragma once

#include "image/memoryimage.h"
#include "link/radiotransfer.h"
#include "tools/cli/prologue.h"

#include <QString>

namespace kdw::cli {

// --port NAME, which read and write require.
inline const ValueOption PortOption{QStringLiteral("--port"), QString()};

// read and write refuse a command line without a port, with both --backup
// and --no-backup, or whose file is an unknown option: `usage` then.
std::optional<QString> checkTransferArguments(const Invocation &invocation, const QString &usage);

// Runs one transfer on the named port with its progress on standard error,
// and on failure prints the message ("Could not open the port" with the
// system's reason, or "Communication error" with what happened and what to
// try, then the exchange that failed).
TransferOutcome transferWithProgress(const CliContext &context, const QString &portName, TransferDirection direction,
                                     MemoryImage &image);

} // namespace kdw::cli
