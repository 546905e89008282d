#include "link/radiotransfer.h"

#include "link/portnames.h"
#include "link/serialport.h"

namespace kdw {

namespace {

TransferOutcome fromProtocol(const ProtocolResult &result)
{
    TransferOutcome outcome;
    outcome.protocol = result;
    if (!result) {
        outcome.status = TransferOutcome::Status::CommunicationError;
        outcome.detail = result.describe();
    }
    return outcome;
}

} // namespace

const LocalisedText *TransferOutcome::message() const
{
    switch (status) {
    case Status::PortNotOpened: return &CouldNotOpenPort;
    case Status::CommunicationError: return &CommunicationError;
    case Status::Done: break;
    }
    return nullptr;
}

TransferOutcome readFromPort(BytePort &port, TransferDirection direction, MemoryImage &image,
                             const ProgrammingProtocol::Progress &progress)
{
    MemoryImage staging = image;
    ProgrammingProtocol protocol(port, progress);
    const bool verify = direction == TransferDirection::Verify;
    const TransferOutcome outcome = fromProtocol(verify ? protocol.readWritten(staging) : protocol.read(staging));
    if (outcome) {
        for (const TransferRange &range : verify ? WriteRanges : ReadRanges)
            image.copyIn(range.start, staging.bytes(range.start, range.end - range.start));
    }
    return outcome;
}

TransferOutcome writeToPort(BytePort &port, const MemoryImage &image, const ProgrammingProtocol::Progress &progress)
{
    ProgrammingProtocol protocol(port, progress);
    return fromProtocol(protocol.write(image));
}

TransferOutcome runTransfer(const QString &portName, const QString &programDirectory, TransferDirection direction,
                            MemoryImage &image, const TransferObserver &observer)
{
    SerialPort port;
    const QString device = devicePathFor(portName, programDirectory);
    const SerialPort::OpenResult opened = port.open(device);
    if (!opened) {
        TransferOutcome outcome;
        outcome.status = TransferOutcome::Status::PortNotOpened;
        outcome.detail = opened.why;
        outcome.device = device;
        return outcome;
    }
    if (observer.portOpened)
        observer.portOpened();
    TransferOutcome outcome = direction == TransferDirection::Write
                                  ? writeToPort(port, image, observer.blockDone)
                                  : readFromPort(port, direction, image, observer.blockDone);
    outcome.device = device;
    return outcome;
}

} // namespace kdw
