#pragma once

#include "image/memoryimage.h"
#include "image/transferranges.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace kdw {

class BytePort;

// How a protocol run ended. `step` names the exchange that failed; `address`
// is the block's address for the block steps.
struct [[nodiscard]] ProtocolResult
{
    enum class Step {
        None,        // success
        WakeUp,      // no acknowledged wake-up in four attempts
        IdentifyAck, // the acknowledge after the identification
        ReadAnswer,  // fewer than 12 bytes in answer to a read request
        BlockAck,    // the acknowledge after a block read
        WriteAnswer, // the answer to a written block
    };

    Step step = Step::None;
    int address = -1;
    QByteArray received; // what the failed read returned
    int wakeUpAttempts = 0;
    int blocks = 0;        // blocks completed
    bool lineLost = false; // the port itself went away (cable pulled)

    explicit operator bool() const { return step == Step::None; }
    // A line for people: what failed, where, and what arrived.
    QString describe() const;
};

// The host side of the programming exchange with the radio: wake-up,
// identification, then the block loop of one direction over the shared range
// tables. The port must be open and set up.
class ProgrammingProtocol
{
public:
    // Called after every block with the number of blocks done so far.
    using Progress = std::function<void(int blocksDone)>;

    static constexpr quint8 Acknowledge = 0x06;
    static constexpr int WakeUpAttempts = 4;
    static constexpr int PauseMs = 1;
    // A radio may need a moment after a write before it answers again: the
    // verify session keeps knocking for about 3 s, an attempt being the seven
    // paced wake-up bytes and the 100 ms wait for the answer.
    static constexpr int VerifyWakeUpAttempts = 3000 / (7 * PauseMs + 100);

    explicit ProgrammingProtocol(BytePort &port, Progress progress = {})
        : m_port(port)
        , m_progress(std::move(progress))
    {
    }

    // The whole exchange of one direction. A read writes each block into
    // `image` as it arrives; callers that must not expose a partial read pass
    // a staging copy.
    ProtocolResult read(MemoryImage &image);
    ProtocolResult write(const MemoryImage &image);
    // The session after a write: the wake-up retried for VerifyWakeUpAttempts,
    // then the read requests of the written ranges only.
    ProtocolResult readWritten(MemoryImage &image);

    // The steps, for tests and for checks of the link that stop early.
    ProtocolResult wakeUp(int attempts = WakeUpAttempts);
    ProtocolResult identify();

    // The radio acknowledges with any byte whose low nibble is 6.
    static bool isAcknowledge(const QByteArray &answer);

private:
    ProtocolResult run(int wakeUpAttempts, const std::function<ProtocolResult()> &blockLoop);
    ProtocolResult readBlocks(MemoryImage &image, const std::array<TransferRange, 5> &ranges);
    ProtocolResult writeBlocks(const MemoryImage &image);
    void send(QByteArrayView frame);
    void blockDone(ProtocolResult &result);

    BytePort &m_port;
    Progress m_progress;
};

} // namespace kdw
