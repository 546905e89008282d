#pragma once

#include "app/localisedtext.h"
#include "image/memoryimage.h"
#include "image/transferranges.h"
#include "link/protocol.h"

#include <QString>

#include <functional>

namespace kdw {

class BytePort;

// Verify is the session after a write: the written ranges read back.
enum class TransferDirection { Read, Write, Verify };

constexpr int blockCount(TransferDirection direction)
{
    return direction == TransferDirection::Read ? ReadBlockCount : WriteBlockCount;
}

inline constexpr LocalisedText CouldNotOpenPort{u"Could not open the port", u"无法打开串口", u"無法打開串口"};
inline constexpr LocalisedText CommunicationError{u"Communication error", u"通信出錯", u"通信出錯"};

struct [[nodiscard]] TransferOutcome
{
    enum class Status { Done, PortNotOpened, CommunicationError };

    Status status = Status::Done;
    // The system's reason for an open failure, or what went wrong on the line.
    QString detail;
    // The device the port name opened (or was to open).
    QString device;
    ProtocolResult protocol;

    explicit operator bool() const { return status == Status::Done; }
    // "Could not open the port" or "Communication error"; null on success.
    const LocalisedText *message() const;
};

// What a transfer reports while it runs. Both are called on the thread that
// runs the transfer.
struct TransferObserver
{
    std::function<void()> portOpened;
    ProgrammingProtocol::Progress blockDone;
};

// One transfer over an open port. A read (and a verify, over the written
// ranges) fills a staging copy and only when every block has arrived copies
// the ranges into `image`: a read that fails part-way leaves `image` exactly
// as it was.
TransferOutcome readFromPort(BytePort &port, TransferDirection direction, MemoryImage &image,
                             const ProgrammingProtocol::Progress &progress);
TransferOutcome writeToPort(BytePort &port, const MemoryImage &image, const ProgrammingProtocol::Progress &progress);

// Opens the port of `portName` (mapped through `programDirectory`), sets
// it up, runs one transfer in `direction` and closes the port again. For a
// write `image` is only read; a verify reads the written ranges into it.
TransferOutcome runTransfer(const QString &portName, const QString &programDirectory, TransferDirection direction,
                            MemoryImage &image, const TransferObserver &observer = {});

} // namespace kdw
