#include "link/radiotransfer.h"

#include "app/globals.h"
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

TransferOutcome readFromPort(BytePort &port, MemoryImage &image, const ProgrammingProtocol::Progress &progress)
{
    MemoryImage staging = image;
    ProgrammingProtocol protocol(port, progress);
    const TransferOutcome outcome = fromProtocol(protocol.read(staging));
    if (outcome) {
        for (const TransferRange &range : ReadRanges)
            image.copyIn(range.start, staging.bytes(range.start, range.end - range.start));
    }
    return outcome;
}

TransferOutcome writeToPort(BytePort &port, const MemoryImage &image, const ProgrammingProtocol::Progress &progress)
{
    ProgrammingProtocol protocol(port, progress);
    return fromProtocol(protocol.write(image));
}

TransferOutcome runTransfer(const QString &portName, TransferDirection direction, MemoryImage &image,
                            const TransferObserver &observer)
{
    SerialPort port;
    const SerialPort::OpenResult opened = port.open(devicePathFor(portName, programDirectory()));
    if (!opened) {
        TransferOutcome outcome;
        outcome.status = TransferOutcome::Status::PortNotOpened;
        outcome.detail = opened.reason;
        return outcome;
    }
    if (observer.portOpened)
        observer.portOpened();
    return direction == TransferDirection::Read ? readFromPort(port, image, observer.blockDone)
                                                : writeToPort(port, image, observer.blockDone);
}

} // namespace kdw
