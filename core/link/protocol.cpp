#include "core/link/protocol.h"

#include "core/link/byteport.h"

namespace kdw {

namespace {

using Step = ProtocolResult::Step;

// STX and "PROGRA", written one byte at a time.
constexpr char WakeUp[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
constexpr char IdentifyRequest[] = {'M', 0x02};
constexpr char AcknowledgeFrame[] = {char(ProgrammingProtocol::Acknowledge)};
constexpr int IdentifyAnswerLength = 8;
constexpr int ReadAnswerLength = 12; // 4 bytes not examined, then the 8 data bytes
constexpr int ReadAnswerLead = 4;
constexpr int BlockSize = TransferRange::BlockSize;

QByteArray blockRequest(char command, int address)
{
    QByteArray frame(4, Qt::Uninitialized);
    frame[0] = command;
    frame[1] = char(address >> 8);
    frame[2] = char(address & 0xFF);
    frame[3] = char(BlockSize);
    return frame;
}

ProtocolResult failure(ProtocolResult result, Step step, const QByteArray &received, int address = -1)
{
    result.step = step;
    result.received = received;
    result.address = address;
    return result;
}

QString hex(const QByteArray &bytes)
{
    return bytes.isEmpty() ? QStringLiteral("nothing") : QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString blockName(int address)
{
    return QStringLiteral("0x%1").arg(address, 4, 16, QLatin1Char('0')).toUpper().replace(u'X', u'x');
}

} // namespace

QString ProtocolResult::describe() const
{
    switch (step) {
    case Step::None: return QStringLiteral("%1 blocks transferred").arg(blocks);
    case Step::WakeUp:
        return QStringLiteral("no acknowledge to the wake-up in %1 attempts (last answer: %2)")
            .arg(wakeUpAttempts)
            .arg(hex(received));
    case Step::IdentifyAck:
        return QStringLiteral("no acknowledge after the identification (answer: %1)").arg(hex(received));
    case Step::ReadAnswer:
        return QStringLiteral("short answer to the read request of block %1: %2 of 12 bytes (%3)")
            .arg(blockName(address))
            .arg(received.size())
            .arg(hex(received));
    case Step::BlockAck:
        return QStringLiteral("no acknowledge after reading block %1 (answer: %2)")
            .arg(blockName(address), hex(received));
    case Step::WriteAnswer:
        return QStringLiteral("no acknowledge to the write of block %1 (answer: %2)")
            .arg(blockName(address), hex(received));
    case Step::Cancelled: return QStringLiteral("cancelled after %1 blocks").arg(blocks);
    case Step::OtherRadio: return QStringLiteral("another radio answered (identification %1)").arg(hex(identification));
    case Step::IdentifyAnswer:
        return QStringLiteral("short answer to the identification: %1 of %2 bytes (%3)")
            .arg(received.size())
            .arg(IdentifyAnswerLength)
            .arg(hex(received));
    }
    return {};
}

bool ProtocolResult::resumable() const
{
    return (step == Step::ReadAnswer || step == Step::BlockAck || step == Step::WriteAnswer) && !lineLost;
}

bool ProtocolResult::failedAtStart() const
{
    return (step == Step::WakeUp || step == Step::IdentifyAck || step == Step::IdentifyAnswer) && !lineLost;
}

void ProgrammingProtocol::setResumes(int maxResumes, Resuming resuming)
{
    m_maxResumes = maxResumes;
    m_resuming = std::move(resuming);
}

bool ProgrammingProtocol::isAcknowledge(const QByteArray &answer)
{
    return answer.size() == 1 && (quint8(answer.at(0)) & 0x0F) == Acknowledge;
}

void ProgrammingProtocol::send(QByteArrayView frame)
{
    m_port.purge();
    m_port.write(frame);
}

void ProgrammingProtocol::blockDone(ProtocolResult &result)
{
    ++result.blocks;
    if (m_progress)
        m_progress(result.blocks);
}

ProtocolResult ProgrammingProtocol::wakeUp(int attempts)
{
    ProtocolResult result;
    QByteArray answer;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (cancelled())
            return failure(result, Step::Cancelled, answer);
        result.wakeUpAttempts = attempt;
        for (char byte : WakeUp) {
            m_port.pause(PauseMs);
            send(QByteArrayView(&byte, 1));
        }
        answer = m_port.read(1);
        if (isAcknowledge(answer) || m_port.lineLost())
            break;
    }
    if (isAcknowledge(answer))
        return result;
    return failure(result, Step::WakeUp, answer);
}

ProtocolResult ProgrammingProtocol::identify()
{
    ProtocolResult result;
    m_port.pause(PauseMs);
    send(QByteArrayView(IdentifyRequest, sizeof IdentifyRequest));
    // The identification is kept for the caller; the exchange goes on
    // whatever it holds, however long.
    result.identification = m_port.read(IdentifyAnswerLength);
    send(QByteArrayView(AcknowledgeFrame, 1));
    const QByteArray answer = m_port.read(1);
    if (!isAcknowledge(answer))
        return failure(result, Step::IdentifyAck, answer);
    return result;
}

ProtocolResult ProgrammingProtocol::eachBlock(const BlockList &blocks, int firstBlock, const BlockExchange &exchange)
{
    ProtocolResult result;
    result.blocks = firstBlock;
    for (const int address : blocks.sliced(firstBlock)) {
        if (cancelled())
            return failure(result, Step::Cancelled, {}, address);
        if (const auto fault = exchange(address))
            return failure(result, fault->step, fault->received, address);
        blockDone(result);
    }
    return result;
}

ProtocolResult ProgrammingProtocol::readBlocks(MemoryImage &image, const BlockList &blocks, int firstBlock)
{
    return eachBlock(blocks, firstBlock, [&](int address) -> std::optional<BlockFault> {
        m_port.pause(PauseMs);
        m_port.pause(PauseMs);
        send(blockRequest('R', address));
        const QByteArray answer = m_port.read(ReadAnswerLength);
        if (answer.size() < ReadAnswerLength)
            return BlockFault{Step::ReadAnswer, answer};
        image.copyIn(address, QByteArrayView(answer).sliced(ReadAnswerLead, BlockSize));
        send(QByteArrayView(AcknowledgeFrame, 1));
        const QByteArray ack = m_port.read(1);
        if (!isAcknowledge(ack))
            return BlockFault{Step::BlockAck, ack};
        return std::nullopt;
    });
}

ProtocolResult ProgrammingProtocol::writeBlocks(const MemoryImage &image, const BlockList &blocks, int firstBlock)
{
    return eachBlock(blocks, firstBlock, [&](int address) -> std::optional<BlockFault> {
        m_port.pause(PauseMs);
        const QByteArray data = image.bytes(address, BlockSize);
        // Request and data go out as two writes back to back.
        send(blockRequest('W', address));
        m_port.write(data);
        const QByteArray answer = m_port.read(1);
        if (!isAcknowledge(answer))
            return BlockFault{Step::WriteAnswer, answer};
        return std::nullopt;
    });
}

ProtocolResult ProgrammingProtocol::session(int wakeUpAttempts, int firstBlock, const BlockLoop &blockLoop)
{
    ProtocolResult result = wakeUp(wakeUpAttempts);
    const int attempts = result.wakeUpAttempts;
    if (result)
        result = identify();
    const QByteArray identification = result.identification;
    if (result && !m_expected.isEmpty() && identification != m_expected)
        result = failure(result, identification.size() < m_expected.size() ? Step::IdentifyAnswer : Step::OtherRadio,
                         identification);
    else if (result && m_identified && !m_identified(identification))
        result = failure(result, Step::Cancelled, {});
    if (result)
        result = blockLoop(firstBlock);
    else
        result.blocks = firstBlock; // what earlier sessions moved stays counted
    result.identification = identification;
    result.wakeUpAttempts = attempts;
    result.lineLost = !result && m_port.lineLost();
    return result;
}

ProtocolResult ProgrammingProtocol::run(int wakeUpAttempts, int total, const BlockLoop &blockLoop)
{
    ProtocolResult result = session(wakeUpAttempts, 0, blockLoop);
    int resumes = 0;
    // Every session is the whole exchange of the first, frame for frame; it
    // only leaves out the blocks that went through before. A new session
    // that finds no radio at its start is one resume spent, not the end.
    while (resumes < m_maxResumes && (result.resumable() || (resumes > 0 && result.failedAtStart())) && !cancelled()) {
        ++resumes;
        if (m_resuming)
            m_resuming(result.blocks + 1, total, resumes);
        result = session(WakeUpAttempts, result.blocks, blockLoop);
    }
    result.resumes = resumes;
    result.total = total;
    return result;
}

ProtocolResult ProgrammingProtocol::read(MemoryImage &image)
{
    const BlockList blocks = blocksOf(ReadRanges);
    return run(WakeUpAttempts, int(blocks.size()), [&](int first) { return readBlocks(image, blocks, first); });
}

ProtocolResult ProgrammingProtocol::readWritten(MemoryImage &image, const BlockList &blocks)
{
    return run(VerifyWakeUpAttempts, int(blocks.size()), [&](int first) { return readBlocks(image, blocks, first); });
}

ProtocolResult ProgrammingProtocol::write(const MemoryImage &image, const BlockList &blocks)
{
    return run(WakeUpAttempts, int(blocks.size()), [&](int first) { return writeBlocks(image, blocks, first); });
}

} // namespace kdw
