#pragma once

#include "core/image/blocklist.h"
#include "core/image/memoryimage.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace kdw {

class BytePort;

// How a protocol run ended. `step` names the exchange that failed; `address`
// is the block's address for the block steps.
struct [[nodiscard]] ProtocolResult
{
    enum class Step {
        None,           // success
        WakeUp,         // no acknowledged wake-up in four attempts
        IdentifyAck,    // the acknowledge after the identification
        ReadAnswer,     // fewer than 12 bytes in answer to a read request
        BlockAck,       // the acknowledge after a block read
        WriteAnswer,    // the answer to a written block
        Cancelled,      // the user stopped the transfer before the next block
        OtherRadio,     // the identification is not the one the session must find
        IdentifyAnswer, // the identification came short where the session must know its radio
    };

    Step step = Step::None;
    int address = -1;
    QByteArray received; // what the failed read returned
    int wakeUpAttempts = 0;
    int blocks = 0;            // blocks completed
    int total = 0;             // blocks of the session's list (0: not begun)
    bool lineLost = false;     // the port itself went away (cable pulled)
    int resumes = 0;           // sessions begun again after a fault
    QByteArray identification; // the radio's answer to the identification request

    explicit operator bool() const { return step == Step::None; }
    // Failed on the line after the identification went through, with the
    // port still there: a new session may go on with the failed block.
    bool resumable() const;
    // Failed at the session's own start (no acknowledged wake-up or
    // identification), with the port still there. A resumed session that
    // fails so is one failed resume: the next may follow.
    bool failedAtStart() const;
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
    // Called before a new session goes on where the last one failed: the
    // failed block counted from 1 among the `blocks` of the transfer, and
    // which resume this is, from 1.
    using Resuming = std::function<void(int failedBlock, int blocks, int resume)>;

    static constexpr quint8 Acknowledge = 0x06;
    static constexpr int WakeUpAttempts = 4;
    static constexpr int PauseMs = 1;
    // A radio may need a moment after a write before it answers again: the
    // verify session keeps knocking for about 3 s, an attempt being the seven
    // paced wake-up bytes and the 100 ms wait for the answer.
    static constexpr int VerifyWakeUpAttempts = 3000 / (7 * PauseMs + 100);
    // The new sessions one transfer may begin after faults on the line.
    static constexpr int MaxResumes = 3;

    explicit ProgrammingProtocol(BytePort &port, Progress progress = {})
        : m_port(port)
        , m_progress(std::move(progress))
    {
    }

    // A session that fails on the line after its identification is followed
    // by a new one (wake-up, identification) that starts at the failed
    // block, up to `maxResumes` times in one transfer; a new session that
    // fails at its own start counts as one of them. Off (0) by default.
    void setResumes(int maxResumes, Resuming resuming = {});
    // Asked before every wake-up attempt and every block: true ends the
    // transfer there with Step::Cancelled.
    void setCancelCheck(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
    // Every session must find the radio that answers `identification` (a
    // resumed one too): another radio ends it with Step::OtherRadio after
    // the identification's acknowledge, before any block; an answer cut
    // short tells no radio and fails as the line does (Step::IdentifyAnswer).
    // Empty: any radio.
    void expectIdentification(QByteArray identification) { m_expected = std::move(identification); }
    // Called with each session's identification once it is acknowledged,
    // before the session's first block: false ends the transfer there with
    // Step::Cancelled, nothing sent.
    using Identified = std::function<bool(const QByteArray &identification)>;
    void setIdentified(Identified identified) { m_identified = std::move(identified); }

    // The whole exchange of one direction. A read writes each block into
    // `image` as it arrives; callers that must not expose a partial read pass
    // a staging copy.
    ProtocolResult read(MemoryImage &image);
    // Sends the image's bytes of `blocks`, in that order: the whole write
    // table, or the blocks that differ from a read of the same operation.
    ProtocolResult write(const MemoryImage &image, const BlockList &blocks = blocksOf(WriteRanges));
    // The session after a write: the wake-up retried for VerifyWakeUpAttempts,
    // then the read requests of the written blocks only.
    ProtocolResult readWritten(MemoryImage &image, const BlockList &blocks = blocksOf(WriteRanges));

    // The steps, for tests and for checks of the link that stop early.
    ProtocolResult wakeUp(int attempts = WakeUpAttempts);
    ProtocolResult identify();

    // The radio acknowledges with any byte whose low nibble is 6.
    static bool isAcknowledge(const QByteArray &answer);

private:
    // The block loop of a direction from a block index (0 = the first).
    using BlockLoop = std::function<ProtocolResult(int firstBlock)>;

    ProtocolResult run(int wakeUpAttempts, int total, const BlockLoop &blockLoop);
    ProtocolResult session(int wakeUpAttempts, int firstBlock, const BlockLoop &blockLoop);
    // What went wrong in one block's exchange: the step and what came back.
    struct BlockFault
    {
        ProtocolResult::Step step;
        QByteArray received;
    };
    using BlockExchange = std::function<std::optional<BlockFault>(int address)>;
    // Runs `exchange` on each of `blocks` from index `firstBlock` on,
    // checking for a cancel before each; stops at the first fault.
    ProtocolResult eachBlock(const BlockList &blocks, int firstBlock, const BlockExchange &exchange);
    ProtocolResult readBlocks(MemoryImage &image, const BlockList &blocks, int firstBlock);
    ProtocolResult writeBlocks(const MemoryImage &image, const BlockList &blocks, int firstBlock);
    void send(QByteArrayView frame);
    void blockDone(ProtocolResult &result);
    bool cancelled() const { return m_cancelled && m_cancelled(); }

    BytePort &m_port;
    Progress m_progress;
    int m_maxResumes = 0;
    Resuming m_resuming;
    std::function<bool()> m_cancelled;
    QByteArray m_expected;
    Identified m_identified;
};

} // namespace kdw
