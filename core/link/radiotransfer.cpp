#include "core/link/radiotransfer.h"

#include "core/image/identification.h"
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

ProgrammingProtocol protocolFor(BytePort &port, const TransferObserver &observer, int maxResumes, QByteArray radio = {})
{
    ProgrammingProtocol protocol(port, observer.blockDone);
    protocol.setResumes(maxResumes, observer.resuming);
    protocol.setCancelCheck(observer.cancelRequested);
    protocol.expectIdentification(std::move(radio));
    protocol.setIdentified(observer.identified);
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

WriteScope scopeAfterRead(const MemoryImage &radio, const ProtocolResult &read, const MemoryImage &document,
                          bool changedOnly)
{
    WriteScope scope;
    if (!isWholeIdentification(read.identification))
        return scope;
    scope.radio = read.identification;
    if (changedOnly)
        scope.blocks = changedBlocks(radio, document);
    return scope;
}

TransferOutcome readFromPort(BytePort &port, TransferDirection direction, MemoryImage &image,
                             const TransferObserver &observer, int maxResumes, const WriteScope &scope)
{
    MemoryImage staging = image;
    const bool verify = direction == TransferDirection::Verify;
    ProgrammingProtocol protocol = protocolFor(port, observer, maxResumes, scope.radio);
    const TransferOutcome outcome
        = fromProtocol(verify ? protocol.readWritten(staging, scope.blocks) : protocol.read(staging));
    if (outcome) {
        for (const int address : verify ? scope.blocks : blocksOf(ReadRanges))
            image.copyIn(address, staging.bytes(address, TransferRange::BlockSize));
    }
    return outcome;
}

TransferOutcome writeToPort(BytePort &port, const MemoryImage &image, const TransferObserver &observer, int maxResumes,
                            const WriteScope &scope)
{
    ProgrammingProtocol protocol = protocolFor(port, observer, maxResumes, scope.radio);
    return fromProtocol(protocol.write(image, scope.blocks));
}

TransferOutcome openPort(SerialPort &port, const QString &portName, const QString &programDirectory)
{
    TransferOutcome outcome;
    outcome.device = devicePathFor(portName, programDirectory);
    if (const SerialPort::OpenResult opened = port.open(outcome.device); !opened) {
        outcome.status = TransferOutcome::Status::PortNotOpened;
        outcome.detail = opened.why;
    }
    return outcome;
}

TransferOutcome runTransfer(const QString &portName, const QString &programDirectory, TransferDirection direction,
                            MemoryImage &image, const TransferObserver &observer, int maxResumes)
{
    SerialPort port;
    const TransferOutcome opened = openPort(port, portName, programDirectory);
    if (!opened)
        return opened;
    if (observer.portOpened)
        observer.portOpened();
    TransferOutcome outcome = direction == TransferDirection::Write
                                  ? writeToPort(port, image, observer, maxResumes)
                                  : readFromPort(port, direction, image, observer, maxResumes);
    outcome.device = opened.device;
    return outcome;
}

} // namespace kdw
