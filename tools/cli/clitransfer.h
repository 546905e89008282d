#pragma once

#include "image/memoryimage.h"
#include "link/radiotransfer.h"

#include <QString>

namespace kdw::cli {

// Runs one transfer on the named port with its progress on standard error,
// and on failure prints the message ("Could not open the port" with the
// system's reason, or "Communication error" with what happened and what to
// try, then the exchange that failed).
TransferOutcome transferWithProgress(const QString &portName, TransferDirection direction, MemoryImage &image);

} // namespace kdw::cli
