#include "core/link/radiotransfer.h"

#include "core/link/portnames.h"
#include "core/link/serialport.h"

namespace kdw {

namespace {

TransferOutcome fromProtocol(const ProtocolResult &result)
{
    TransferOutcome outcome;
    outcome.protocol = result;
    if (result.step == ProtocolResult::Step::Cancelled) {
        outcome.status = TransferOutcome::Status::Cancelled;
    } else if (!result) {
        outcome.status = TransferOutcome::Status::CommunicationError;
        outcome.detail = result.describe();
    }
    return outcome;
}

ProgrammingProtocol protocolFor(BytePort &port, const TransferObserver &observer, int maxResumes)
{
    ProgrammingProtocol protocol(port, observer.blockDone);
    protocol.setResumes(maxResumes, observer.resuming);
    protocol.setCancelCheck(observer.cancelRequested);
    return protocol;
}

} // namespace

const LocalisedText *TransferOutcome::message() const
{
    switch (status) {
    case Status::PortNotOpened: return &CouldNotOpenPort;
    case Status::CommunicationError: return &CommunicationError;
    case Status::Done:
    case Status::Cancelled: break;
    }
    return nullptr;
}

TransferOutcome readFromPort(BytePort &port, TransferDirection direction, MemoryImage &image,
                             const TransferObserver &observer, int maxResumes)
{
    MemoryImage staging = image;
    ProgrammingProtocol protocol = protocolFor(port, observer, maxResumes);
    const bool verify = direction == TransferDirection::Verify;
    const TransferOutcome outcome = fromProtocol(verify ? protocol.readWritten(staging) : protocol.read(staging));
    if (outcome) {
        for (const TransferRange &range : verify ? WriteRanges : ReadRanges)
            image.copyIn(range.start, staging.bytes(range.start, range.end - range.start));
    }
    return outcome;
}

TransferOutcome writeToPort(BytePort &port, const MemoryImage &image, const TransferObserver &observer, int maxResumes)
{
    ProgrammingProtocol protocol = protocolFor(port, observer, maxResumes);
    return fromProtocol(protocol.write(image));
}

TransferOutcome runTransfer(const QString &portName, const QString &programDirectory, TransferDirection direction,
                            MemoryImage &image, const TransferObserver &observer, int maxResumes)
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
                                  ? writeToPort(port, image, observer, maxResumes)
                                  : readFromPort(port, direction, image, observer, maxResumes);
    outcome.device = device;
    return outcome;
}

} // namespace kdw
