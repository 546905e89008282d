#pragma once

#include "core/image/memoryimage.h"
#include "core/image/transferranges.h"
#include "core/link/protocol.h"
#include "core/text/localisedtext.h"

#include <QString>

#include <functional>

namespace kdw {

class BytePort;
class SerialPort;

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
    enum class Status { Done, PortNotOpened, CommunicationError, Cancelled };

    Status status = Status::Done;
    // The system's reason for an open failure, or what went wrong on the line.
    QString detail;
    // The device the port name opened (or was to open).
    QString device;
    ProtocolResult protocol;
    // The cable check's finding on a transfer that failed at its start, when
    // one was made (failedStartFinding): said in place of the guess from the
    // step that failed.
    QString finding;

    explicit operator bool() const { return status == Status::Done; }
    // "Could not open the port" or "Communication error"; null on success
    // and for a cancelled transfer.
    const LocalisedText *message() const;
};

// What a transfer reports while it runs, and what may stop it. All are
// called on the thread that runs the transfer.
struct TransferObserver
{
    std::function<void()> portOpened;
    ProgrammingProtocol::Progress blockDone;
    ProgrammingProtocol::Resuming resuming;
    // Asked between blocks; true stops the transfer (Status::Cancelled).
    std::function<bool()> cancelRequested;
    // Each session's identification, before its first block; false stops
    // the transfer there (Status::Cancelled, nothing moved).
    ProgrammingProtocol::Identified identified;
};

// Which blocks a write and the verify after it move, and the radio each of
// their sessions (and those of a read) must find. By default the whole write
// table, any radio.
struct WriteScope
{
    BlockList blocks = blocksOf(WriteRanges);
    QByteArray radio; // the identification every session must get; empty: any
};

// The write that follows a read of the same radio in one operation, over the
// same open port: with `changedOnly`, only the blocks whose bytes differ from
// what the read brought; in any case only on the radio that was read, so a
// radio put in its place in between is written nothing. A read that got no
// whole identification cannot tell radios apart: the whole table then, on any.
WriteScope scopeAfterRead(const MemoryImage &radio, const ProtocolResult &read, const MemoryImage &document,
                          bool changedOnly);

// One transfer over an open port, resumed after up to `maxResumes` faults
// on the line; a session that finds a radio other than `scope.radio` ends it
// before its first block (Step::OtherRadio). A read (and a verify, over the
// written blocks) fills a staging copy and only when every block has arrived
// copies the ranges into `image`: a read that fails or is cancelled part-way
// leaves `image` exactly as it was.
TransferOutcome readFromPort(BytePort &port, TransferDirection direction, MemoryImage &image,
                             const TransferObserver &observer, int maxResumes = 0, const WriteScope &scope = {});
TransferOutcome writeToPort(BytePort &port, const MemoryImage &image, const TransferObserver &observer,
                            int maxResumes = 0, const WriteScope &scope = {});

// Opens and sets up the port of `portName` (mapped through
// `programDirectory`). The outcome names the device; when the port does not
// open it is Status::PortNotOpened with the system's reason.
TransferOutcome openPort(SerialPort &port, const QString &portName, const QString &programDirectory);

// Opens the port of `portName` (mapped through `programDirectory`), sets
// it up, runs one transfer in `direction` and closes the port again. For a
// write `image` is only read; a verify reads the written ranges into it.
TransferOutcome runTransfer(const QString &portName, const QString &programDirectory, TransferDirection direction,
                            MemoryImage &image, const TransferObserver &observer = {}, int maxResumes = 0);

} // namespace kdw
