#include "tools/sim/radiomodel.h"

#include "core/image/transferranges.h"

namespace kdw::sim {

namespace {

constexpr char WakeUp[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
constexpr int WakeUpLength = sizeof WakeUp;
constexpr char Ack = 0x06;
constexpr char WrongWakeUpAnswer = 0x07;
constexpr char Nak = 0x15;
constexpr int BlockSize = TransferRange::BlockSize;
// What this radio says when asked who it is: its model and a version.
constexpr char IdentifyAnswer[] = {'K', 'D', 'W', '4', '1', '7', 0x01, 0x00};
constexpr int ShortIdentifyLength = 5;

int blockIndex(const std::array<TransferRange, 5> &ranges, int address)
{
    int index = 0;
    for (const TransferRange &r : ranges) {
        if (address >= r.start && address < r.end)
            return index + (address - r.start) / BlockSize;
        index += r.blocks();
    }
    return -1;
}

Stage blockStage(int index)
{
    return {Stage::Kind::Block, index};
}

} // namespace

bool RadioModel::Armed::strikes(const Stage &here)
{
    if (!stage || *stage != here || left <= 0)
        return false;
    --left;
    return true;
}

RadioModel::Armed RadioModel::arm(const std::optional<Stage> &stage, int wakeUpStrikes) const
{
    if (!stage)
        return {};
    return {stage, stage->kind == Stage::Kind::WakeUp ? wakeUpStrikes : m_faults.strikes};
}

bool RadioModel::strikesAtBlock(Armed &fault, int block)
{
    if (!fault.strikes(blockStage(block)))
        return false;
    m_restingWakeUps = m_faults.restAfterFault;
    return true;
}

RadioModel::RadioModel(const MemoryImage &memory, Faults faults)
    : m_memory(memory)
    , m_faults(faults)
    , m_identification(IdentifyAnswer, sizeof IdentifyAnswer)
{
    // A wake-up fault spoils the host's four attempts, that is one transfer;
    // a pulled cable is pulled once.
    m_nak = arm(faults.nak, 4);
    m_silence = arm(faults.silence, 4);
    m_hangUp = arm(faults.hangUp, 1);
    m_hangUp.left = std::min(m_hangUp.left, 1);
    m_short = arm(faults.shortAnswer, 1);
}

void RadioModel::hostClosed()
{
    m_state = State::Idle;
    m_frame.clear();
}

void RadioModel::restartWakeUp()
{
    m_state = State::Idle;
    m_frame = QByteArray(1, WakeUp[0]);
}

bool RadioModel::takeWrittenBlock()
{
    return std::exchange(m_writtenBlock, false);
}

QByteArray RadioModel::noise(char received)
{
    // Never an acknowledge, never the byte itself, never text: nothing a
    // host could take for a radio or an echo.
    QByteArray bytes(2, Qt::Uninitialized);
    for (char &b : bytes) {
        quint8 n = quint8(0x80 | (m_random() & 0x7F));
        if ((n & 0x0F) == quint8(Ack))
            n ^= 0x01;
        b = char(n) == received ? char(n ^ 0x10) : char(n);
    }
    return bytes;
}

RadioModel::Reply RadioModel::feed(quint8 byte)
{
    const char c = char(byte);
    if (m_takenAway)
        return {};
    if (m_faults.echo)
        return {QByteArray(1, c)};
    if (m_faults.garbage)
        return {noise(c)};
    switch (m_state) {
    case State::Idle: return takeWakeUpByte(c);
    case State::AwaitIdentify: return takeIdentifyByte(c);
    case State::AwaitIdentifyAck: return takeIdentifyAckByte(c);
    case State::AwaitBlockAck:
        if (c == Ack)
            return onBlockAck();
        m_state = State::Programming;
        return takeRequestByte(c);
    case State::Programming: return takeRequestByte(c);
    }
    return {};
}

RadioModel::Reply RadioModel::takeWakeUpByte(char c)
{
    // Anything but the exact wake-up sequence is ignored; a stray STX
    // starts it over.
    m_frame.append(c);
    if (!QByteArrayView(WakeUp, WakeUpLength).startsWith(m_frame)) {
        m_frame.clear();
        if (c == WakeUp[0])
            m_frame.append(c);
        return {};
    }
    if (m_frame.size() < WakeUpLength)
        return {};
    m_frame.clear();
    return onWakeUp();
}

RadioModel::Reply RadioModel::takeIdentifyByte(char c)
{
    if (m_frame.isEmpty() && c == WakeUp[0]) {
        restartWakeUp();
        return {};
    }
    m_frame.append(c);
    if (m_frame.size() < 2)
        return {};
    if (m_frame == QByteArrayView("M\x02", 2)) {
        m_frame.clear();
        return onIdentify();
    }
    hostClosed();
    return {};
}

RadioModel::Reply RadioModel::takeIdentifyAckByte(char c)
{
    if (c == Ack)
        return onIdentifyAck();
    if (c == WakeUp[0])
        restartWakeUp();
    else
        hostClosed();
    return {};
}

RadioModel::Reply RadioModel::takeRequestByte(char c)
{
    if (m_frame.isEmpty()) {
        if (c == WakeUp[0])
            restartWakeUp();
        else if (c == 'R' || c == 'W')
            m_frame.append(c);
        return {};
    }
    m_frame.append(c);
    // 'R' or 'W', the address high byte first, the length; a write then its block.
    const auto address = [this] { return (quint8(m_frame.at(1)) << 8) | quint8(m_frame.at(2)); };
    if (m_frame.at(0) == 'R' && m_frame.size() == 4) {
        const int at = address();
        m_frame.clear();
        return onReadRequest(at);
    }
    if (m_frame.at(0) == 'W' && m_frame.size() == 4 + BlockSize) {
        const int at = address();
        const QByteArray data = m_frame.sliced(4);
        m_frame.clear();
        return onWriteFrame(at, data);
    }
    return {};
}

RadioModel::Reply RadioModel::onWakeUp()
{
    ++m_wakeUps;
    m_state = State::Idle;
    const Stage here{Stage::Kind::WakeUp, 0};
    const qint64 now = m_clockMs ? m_clockMs() : 0;
    if (m_takenAwayWhenDone && m_everIdentified && m_knockedOnly && (!m_clockMs || now - m_knockedAt >= KnockApartMs)) {
        m_takenAway = true;
        return {};
    }
    if (m_restingWakeUps > 0) {
        --m_restingWakeUps;
        return {};
    }
    if (m_faults.noAnswer || m_silence.strikes(here))
        return {};
    if (m_hangUp.strikes(here))
        return {{}, true};
    if (m_faults.wrongWakeUps > 0) {
        --m_faults.wrongWakeUps;
        return {QByteArray(1, WrongWakeUpAnswer)};
    }
    if (m_nak.strikes(here))
        return {QByteArray(1, Nak)};
    m_state = State::AwaitIdentify;
    if (!m_knockedOnly)
        m_knockedAt = now;
    m_knockedOnly = true;
    return {QByteArray(1, Ack)};
}

RadioModel::Reply RadioModel::onIdentify()
{
    const Stage here{Stage::Kind::Identify, 0};
    m_state = State::Idle;
    m_knockedOnly = false;
    m_everIdentified = true;
    if (m_silence.strikes(here))
        return {};
    if (m_hangUp.strikes(here))
        return {{}, true};
    m_state = State::AwaitIdentifyAck;
    QByteArray answer = m_identification;
    if (m_short.strikes(here))
        answer.truncate(ShortIdentifyLength);
    return {answer};
}

RadioModel::Reply RadioModel::onIdentifyAck()
{
    if (m_nak.strikes({Stage::Kind::Identify, 0})) {
        m_state = State::Idle;
        return {QByteArray(1, Nak)};
    }
    m_state = State::Programming;
    return {QByteArray(1, Ack)};
}

RadioModel::Reply RadioModel::onReadRequest(int address)
{
    const Stage here = blockStage(blockIndex(ReadRanges, address));
    m_state = State::Idle;
    if (strikesAtBlock(m_silence, here.block))
        return {};
    if (strikesAtBlock(m_hangUp, here.block))
        return {{}, true};
    QByteArray answer(4, Qt::Uninitialized);
    if (m_faults.garbageLead) {
        for (char &b : answer)
            b = char(m_random() & 0xFF);
    } else {
        answer[0] = 'W';
        answer[1] = char(address >> 8);
        answer[2] = char(address & 0xFF);
        answer[3] = char(BlockSize);
    }
    for (int i = 0; i < BlockSize; ++i)
        answer.append(char(address + i < MemoryImage::Size ? m_memory.byte(address + i) : 0xFF));
    if (strikesAtBlock(m_short, here.block))
        answer.chop(1);
    m_pendingBlock = here.block;
    m_state = State::AwaitBlockAck;
    return {answer};
}

RadioModel::Reply RadioModel::onBlockAck()
{
    m_state = State::Programming;
    if (strikesAtBlock(m_nak, m_pendingBlock))
        return {QByteArray(1, Nak)};
    return {QByteArray(1, Ack)};
}

RadioModel::Reply RadioModel::onWriteFrame(int address, QByteArrayView data)
{
    const int block = blockIndex(WriteRanges, address);
    if (strikesAtBlock(m_silence, block)) {
        m_state = State::Idle;
        return {};
    }
    if (strikesAtBlock(m_hangUp, block)) {
        m_state = State::Idle;
        return {{}, true};
    }
    if (strikesAtBlock(m_nak, block))
        return {QByteArray(1, Nak)};
    if (!m_faults.readOnly && address + BlockSize <= MemoryImage::Size) {
        m_memory.copyIn(address, data);
        const int bad = m_faults.corruptAddress;
        if (bad >= address && bad < address + BlockSize)
            m_memory.setByte(bad, m_memory.byte(bad) ^ 0x01);
    }
    m_writtenBlock = true;
    // Writing the table's last block keeps the radio busy for a while after.
    if (blockIndex(WriteRanges, address) == WriteBlockCount - 1)
        m_restingWakeUps = m_faults.restAfterWrite;
    return {QByteArray(1, Ack)};
}

} // namespace kdw::sim
