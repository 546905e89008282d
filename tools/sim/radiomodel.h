#pragma once

#include "core/image/memoryimage.h"
#include "core/image/transferranges.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <random>

namespace kdw::sim {

// Where a fault strikes: the wake-up, the identification, or a block given by
// its index in transfer order (0 = the block at 0x0000).
struct Stage
{
    enum class Kind { WakeUp, Identify, Block };
    Kind kind = Kind::Block;
    int block = 0;

    bool operator==(const Stage &) const = default;
};

struct Faults
{
    bool noAnswer = false;            // a radio that is switched off
    int wrongWakeUps = 0;             // answer 0x07 to this many wake-ups
    std::optional<Stage> nak;         // answer 0x15 where an acknowledge belongs
    std::optional<Stage> silence;     // answer nothing from here until the next wake-up
    std::optional<Stage> hangUp;      // drop the line (cable pulled)
    std::optional<Stage> shortAnswer; // one byte short (identify: 5 of 8; read: 11 of 12)
    bool garbageLead = false;         // random bytes in the four leading bytes of read answers
    bool readOnly = false;            // acknowledge written blocks but keep the memory as it is
    int corruptAddress = -1;          // store the byte written here with its lowest bit flipped
    int restAfterWrite = 0;           // ignore this many wake-ups after a completed write
    int restAfterFault = 0;           // ignore this many wake-ups after a fault at a block
    bool echo = false;                // only a cable on the computer: every byte comes back, nothing else
    bool garbage = false;             // something else on the line: two bytes of noise for every byte
    int strikes = 1;                  // times a fault past the wake-up strikes
};

// The radio's side of the programming exchange, byte by byte. The host's
// bytes go in through feed(); what the radio answers comes out. Faults at the
// wake-up strike a whole transfer (its four attempts); faults at other stages
// strike once (or Faults::strikes times, each time the stage comes again), so
// the next transfer finds a healthy radio.
class RadioModel
{
public:
    struct Reply
    {
        QByteArray bytes;
        bool hangUp = false;
    };

    explicit RadioModel(const MemoryImage &memory, Faults faults = {});

    Reply feed(quint8 byte);
    // The host closed the line: whatever frame was under way is dropped.
    void hostClosed();

    const MemoryImage &memory() const { return m_memory; }
    // What the radio answers when asked who it is (8 bytes).
    void setIdentification(const QByteArray &identification) { m_identification = identification; }
    // One radio of a box: once it has said who it is, it is taken away when
    // the host knocks twice without asking that again (a batch waiting for the
    // swap). It then answers nothing more. With a clock (milliseconds), the
    // second knock must come KnockApartMs after the first: a wake-up retried
    // at once (its answer came late) is no probe.
    void setTakenAwayWhenDone(bool on, std::function<qint64()> clockMs = {})
    {
        m_takenAwayWhenDone = on;
        m_clockMs = std::move(clockMs);
    }
    static constexpr qint64 KnockApartMs = 500;
    bool takenAway() const { return m_takenAway; }
    // True once after each block written: the memory has changed. A write
    // may send any of the blocks, the whole table or only those that differ.
    bool takeWrittenBlock();
    int wakeUps() const { return m_wakeUps; }

private:
    enum class State { Idle, AwaitIdentify, AwaitIdentifyAck, Programming, AwaitBlockAck };

    // The byte of the host in each state: the wake-up sequence, the
    // identification request, its acknowledge, and the read and write frames.
    Reply takeWakeUpByte(char c);
    Reply takeIdentifyByte(char c);
    Reply takeIdentifyAckByte(char c);
    Reply takeRequestByte(char c);

    Reply onWakeUp();
    Reply onIdentify();
    Reply onIdentifyAck();
    Reply onReadRequest(int address);
    Reply onBlockAck();
    Reply onWriteFrame(int address, QByteArrayView data);
    void restartWakeUp();
    QByteArray noise(char received);

    // A fault with the number of times it may still strike.
    struct Armed
    {
        std::optional<Stage> stage;
        int left = 0;
        bool strikes(const Stage &here);
    };
    Armed arm(const std::optional<Stage> &stage, int wakeUpStrikes) const;
    // A fault that strikes at a block leaves the radio resting, as
    // Faults::restAfterFault says.
    bool strikesAtBlock(Armed &fault, int block);

    MemoryImage m_memory;
    Faults m_faults;
    Armed m_nak, m_silence, m_hangUp, m_short;
    State m_state = State::Idle;
    QByteArray m_frame;
    int m_pendingBlock = -1;
    int m_wakeUps = 0;
    int m_restingWakeUps = 0;
    bool m_writtenBlock = false;
    bool m_everIdentified = false;
    bool m_knockedOnly = false; // the last wake-up was answered and not followed by the identification
    qint64 m_knockedAt = 0;     // when, by m_clockMs
    std::function<qint64()> m_clockMs;
    bool m_takenAwayWhenDone = false;
    bool m_takenAway = false;
    QByteArray m_identification;
    std::mt19937 m_random{417};
};

} // namespace kdw::sim
