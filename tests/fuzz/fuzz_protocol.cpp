// Plays arbitrary radio answers to a whole read, write or verify and checks
// what the host must hold to whatever the line brings: every request lies
// inside its direction's ranges and a written block carries the image's bytes,
// the exchange never takes longer than its slowest legal run, a failed read or
// verify leaves the image as it was and a good one copies exactly what arrived.
//
// Input: a mode byte (bits 0-1: read, write, verify, read; bit 2: a healthy
// radio answers once the script is used up, else silence), two bytes counting
// the reads a healthy radio answers before the script starts, then the script:
// per read of n bytes, a length byte (taken modulo n + 1) and that many bytes.
#include "core/image/memoryimage.h"
#include "core/image/transferranges.h"
#include "core/link/byteport.h"
#include "core/link/radiotransfer.h"
#include "tests/fuzz/fuzzinput.h"

#include <QByteArray>

#include <cstring>
#include <vector>

using namespace kdw;
using kdw::fuzz::check;

namespace {

int wakeUpAttempts(TransferDirection direction)
{
    return direction == TransferDirection::Verify ? ProgrammingProtocol::VerifyWakeUpAttempts
                                                  : ProgrammingProtocol::WakeUpAttempts;
}

template <std::size_t N>
bool insideRanges(const std::array<TransferRange, N> &ranges, int address)
{
    for (const TransferRange &range : ranges) {
        if (address >= range.start && address + TransferRange::BlockSize <= range.end
            && (address - range.start) % TransferRange::BlockSize == 0)
            return true;
    }
    return false;
}

// The radio's memory as the healthy radio sends it: differs from the host's.
quint8 radioByte(int address)
{
    return quint8((address * 11 + 0x3C) ^ (address >> 8));
}

const MemoryImage &hostImage()
{
    static const MemoryImage image = [] {
        MemoryImage made;
        for (int i = 0; i < MemoryImage::Size; ++i)
            made.setByte(i, quint8(i * 7 + 1));
        return made;
    }();
    return image;
}

// Answers from the script, then from a healthy radio or not at all. It
// charges every call the longest time the serial line may take for it, checks
// each frame the host writes as it goes, and lays the data it sent for every
// block over a copy of the host's image, for comparison after a completed read.
class FuzzPort : public BytePort
{
public:
    FuzzPort(const uint8_t *script, size_t size, TransferDirection direction, int healthyFirst, bool healthyAfter,
             const MemoryImage &image)
        : sent(image)
        , m_script(script)
        , m_end(script + size)
        , m_direction(direction)
        , m_healthyFirst(healthyFirst)
        , m_healthyAfter(healthyAfter)
        , m_image(image)
    {
    }

    void purge() override { ++calls; }
    void write(QByteArrayView bytes) override
    {
        ++calls;
        elapsedMs += linktime::writeTotal(bytes.size());
        if (m_pendingWrite >= 0) {
            // The data of a write request follows it at once and is the image's.
            check(bytes.size() == TransferRange::BlockSize);
            check(std::memcmp(bytes.data(), m_image.data() + m_pendingWrite, TransferRange::BlockSize) == 0);
            m_pendingWrite = -1;
            return;
        }
        if (bytes.size() != 4 || (bytes.at(0) != 'R' && bytes.at(0) != 'W'))
            return;
        const int address = (quint8(bytes.at(1)) << 8) | quint8(bytes.at(2));
        check(quint8(bytes.at(3)) == TransferRange::BlockSize);
        if (bytes.at(0) == 'R') {
            check(m_direction == TransferDirection::Read
                      ? insideRanges(ReadRanges, address)
                      : m_direction == TransferDirection::Verify && insideRanges(WriteRanges, address));
            m_requested = address;
        } else {
            check(m_direction == TransferDirection::Write && insideRanges(WriteRanges, address));
            m_pendingWrite = address;
        }
    }
    QByteArray read(int count) override
    {
        ++calls;
        check(m_pendingWrite < 0);
        elapsedMs += linktime::readTotal(count);
        QByteArray answer;
        if (m_healthyFirst > 0) {
            --m_healthyFirst;
            answer = healthyAnswer(count);
        } else if (m_script < m_end) {
            const int length = *m_script++ % (count + 1);
            const int available = int(qMin<std::ptrdiff_t>(length, m_end - m_script));
            answer = QByteArray(reinterpret_cast<const char *>(m_script), available);
            m_script += available;
        } else if (m_healthyAfter) {
            answer = healthyAnswer(count);
        }
        check(answer.size() <= count);
        check(count != 12 || m_requested >= 0);
        if (count == 12 && answer.size() == 12)
            sent.copyIn(m_requested, QByteArrayView(answer).sliced(4));
        return answer;
    }
    void pause(int milliseconds) override
    {
        ++calls;
        elapsedMs += milliseconds;
    }

    long long elapsedMs = 0;
    long long calls = 0;
    // The host's image with the data of every full answer to a read request.
    MemoryImage sent;

private:
    // Shared answers where they do not change: most reads need no allocation.
    QByteArray healthyAnswer(int count) const
    {
        static const QByteArray ack(1, char(ProgrammingProtocol::Acknowledge));
        static const QByteArray identity = QByteArrayLiteral("KDW417\x00\x01");
        if (count == 8)
            return identity;
        if (count != 12)
            return ack;
        QByteArray answer(12, '\0');
        char *bytes = answer.data();
        bytes[0] = 'W';
        bytes[3] = char(TransferRange::BlockSize);
        for (int i = 0; i < TransferRange::BlockSize; ++i)
            bytes[4 + i] = char(radioByte(m_requested + i));
        return answer;
    }

    const uint8_t *m_script;
    const uint8_t *m_end;
    TransferDirection m_direction;
    int m_healthyFirst;
    bool m_healthyAfter;
    const MemoryImage &m_image;
    int m_requested = -1;
    int m_pendingWrite = -1;
};

struct Run
{
    TransferOutcome outcome;
    MemoryImage image;
    long long elapsedMs = 0;
    long long calls = 0;
};

Run transfer(TransferDirection direction, const uint8_t *script, size_t size, int healthyFirst, bool healthyAfter)
{
    const MemoryImage &before = hostImage();
    Run run{.outcome = {}, .image = before};
    FuzzPort port(script, size, direction, healthyFirst, healthyAfter, run.image);
    int lastBlock = 0;
    TransferObserver observer;
    observer.blockDone = [&lastBlock](int blocks) {
        check(blocks == lastBlock + 1);
        lastBlock = blocks;
    };
    if (direction == TransferDirection::Write)
        run.outcome = writeToPort(port, run.image, observer);
    else
        run.outcome = readFromPort(port, direction, run.image, observer);
    run.elapsedMs = port.elapsedMs;
    run.calls = port.calls;

    check(run.outcome.protocol.blocks == lastBlock);
    check(run.outcome.protocol.wakeUpAttempts >= 1 && run.outcome.protocol.wakeUpAttempts <= wakeUpAttempts(direction));
    if (!run.outcome) {
        check(run.outcome.status == TransferOutcome::Status::CommunicationError);
        check(!run.outcome.detail.isEmpty());
        // A failed transfer changes nothing: the staging copy is dropped.
        check(run.image == before);
        return run;
    }
    check(lastBlock == blockCount(direction));
    if (direction == TransferDirection::Write) {
        check(run.image == before);
        return run;
    }
    // A completed read or verify holds what the radio sent in its ranges and
    // the host's bytes everywhere else.
    check(run.image == port.sent);
    return run;
}

// The slowest legal exchange: every wake-up but the last goes unanswered, then
// every block of the direction, every call taking its full time-out.
Run slowestRun(TransferDirection direction)
{
    const std::vector<uint8_t> silentWakeUps(std::size_t(wakeUpAttempts(direction) - 1), 0);
    return transfer(direction, silentWakeUps.data(), silentWakeUps.size(), 0, true);
}

const Run &slowest(TransferDirection direction)
{
    static const Run read = slowestRun(TransferDirection::Read);
    static const Run write = slowestRun(TransferDirection::Write);
    static const Run verify = slowestRun(TransferDirection::Verify);
    switch (direction) {
    case TransferDirection::Read: return read;
    case TransferDirection::Write: return write;
    case TransferDirection::Verify: break;
    }
    return verify;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    static constexpr TransferDirection Directions[]
        = {TransferDirection::Read, TransferDirection::Write, TransferDirection::Verify, TransferDirection::Read};
    const TransferDirection direction = Directions[data[0] & 3];
    const bool healthyAfter = data[0] & 4;
    const int healthyFirst = (data[1] << 8 | data[2]) % 2048;
    const Run run = transfer(direction, data + 3, size - 3, healthyFirst, healthyAfter);
    const Run &bound = slowest(direction);
    check(bool(bound.outcome));
    check(run.elapsedMs <= bound.elapsedMs && run.calls <= bound.calls);
    return 0;
}
