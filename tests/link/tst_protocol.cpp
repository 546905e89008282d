#include "image/memoryimage.h"
#include "image/transferranges.h"
#include "link/protocol.h"
#include "scriptedport.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;
using Step = ProtocolResult::Step;

namespace {

const QStringList WakeUpBytes = {u"02"_qs, u"50"_qs, u"52"_qs, u"4f"_qs, u"47"_qs, u"52"_qs, u"41"_qs};

// The trace of one wake-up attempt: every byte after its own pause and purge.
QStringList wakeUpAttempt(const QString &answer)
{
    QStringList t;
    for (const QString &b : WakeUpBytes)
        t << u"pause 1"_qs << u"purge"_qs << u"write "_qs + b;
    t << u"read 1 -> "_qs + answer;
    return t;
}

QByteArray patternMemory()
{
    QByteArray m(MemoryImage::Size, Qt::Uninitialized);
    for (int i = 0; i < m.size(); ++i)
        m[i] = char((i * 7 + i / 256) & 0xFF);
    return m;
}

int readBlockAddress(int index)
{
    for (const TransferRange &r : ReadRanges) {
        if (index < r.blocks())
            return r.start + index * TransferRange::BlockSize;
        index -= r.blocks();
    }
    return -1;
}

// The protocol against a port whose answers are all scripted.
ProtocolResult wakeUpWith(const QList<QByteArray> &answers, ScriptedPort &port)
{
    port.answers = answers;
    ProgrammingProtocol protocol(port);
    return protocol.wakeUp();
}

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void wakeUpAnswers_data();
    void wakeUpAnswers();
    void wakeUpBytesPausedAndPurgedOneByOne();
    void identifyAcceptsAnyAnswer_data();
    void identifyAcceptsAnyAnswer();
    void identifyAckFailsWithoutRetry();
    void readMovesEveryReadBlock();
    void readBlockExchange();
    void readFailures_data();
    void readFailures();
    void writeMovesEveryWriteBlock();
    void writeBlockExchange();
    void writeFailsAtTheUnacknowledgedBlock_data();
    void writeFailsAtTheUnacknowledgedBlock();
};

void TestProtocol::wakeUpAnswers_data()
{
    QTest::addColumn<QList<QByteArray>>("answers");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("attempts");

    const QByteArray ack("\x06", 1), wrong("\x07", 1), none;
    QTest::newRow("0x06 at once") << QList{ack} << true << 1;
    QTest::newRow("0x16 counts") << QList{QByteArray("\x16", 1)} << true << 1;
    QTest::newRow("0xF6 counts") << QList{QByteArray("\xF6", 1)} << true << 1;
    QTest::newRow("0x07 three times, then 0x06") << QList{wrong, wrong, wrong, ack} << true << 4;
    QTest::newRow("silence then 0x06") << QList{none, none, ack} << true << 3;
    QTest::newRow("0x07 four times") << QList{wrong, wrong, wrong, wrong, ack} << false << 4;
    QTest::newRow("no answer") << QList<QByteArray>{} << false << 4;
    QTest::newRow("a received 0x00 is no acknowledge") << QList{QByteArray(1, 0), QByteArray(1, 0),
                                                             QByteArray(1, 0), QByteArray(1, 0)}
                                                       << false << 4;
    QTest::newRow("0x60 has the wrong nibble") << QList{QByteArray("\x60", 1), none, none, none} << false << 4;
}

void TestProtocol::wakeUpAnswers()
{
    QFETCH(QList<QByteArray>, answers);
    QFETCH(bool, ok);
    QFETCH(int, attempts);

    ScriptedPort port;
    const ProtocolResult result = wakeUpWith(answers, port);
    QCOMPARE(bool(result), ok);
    QCOMPARE(result.wakeUpAttempts, attempts);
    QCOMPARE(result.step, ok ? Step::None : Step::WakeUp);
    // Each attempt sends the whole sequence again: 7 single-byte writes.
    QCOMPARE(port.writes().size(), 7 * attempts);
    for (const QByteArray &w : port.writes())
        QCOMPARE(w.size(), 1);
}

void TestProtocol::wakeUpBytesPausedAndPurgedOneByOne()
{
    ScriptedPort port;
    QVERIFY(wakeUpWith({QByteArray("\x07", 1), QByteArray("\x06", 1)}, port));
    QCOMPARE(port.trace, wakeUpAttempt(u"07"_qs) + wakeUpAttempt(u"06"_qs));
}

void TestProtocol::identifyAcceptsAnyAnswer_data()
{
    QTest::addColumn<QByteArray>("identification");
    QTest::newRow("8 bytes") << QByteArray("KDW417\x01\x00", 8);
    QTest::newRow("3 bytes") << QByteArray("abc");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\xFF\x00\x06\x15\x02\x52\x41\x57", 8);
}

void TestProtocol::identifyAcceptsAnyAnswer()
{
    QFETCH(QByteArray, identification);
    ScriptedPort port;
    port.answers = {identification, QByteArray("\x06", 1)};
    ProgrammingProtocol protocol(port);
    QVERIFY(protocol.identify());
    const QString answer = identification.isEmpty() ? u"nothing"_qs : hexBytes(identification);
    QCOMPARE(port.trace, (QStringList{u"pause 1"_qs, u"purge"_qs, u"write 4d 02"_qs, u"read 8 -> "_qs + answer,
                                      u"purge"_qs, u"write 06"_qs, u"read 1 -> 06"_qs}));
}

void TestProtocol::identifyAckFailsWithoutRetry()
{
    ScriptedPort port;
    port.answers = {QByteArray("12345678"), QByteArray("\x15", 1), QByteArray("\x06", 1)};
    ProgrammingProtocol protocol(port);
    const ProtocolResult result = protocol.identify();
    QCOMPARE(result.step, Step::IdentifyAck);
    QCOMPARE(result.received, QByteArray("\x15", 1));
    QCOMPARE(port.writes().size(), 2);
}

void TestProtocol::readMovesEveryReadBlock()
{
    QByteArray radio = patternMemory();
    ScriptedPort port;
    port.radio = healthyRadio(&radio);
    QList<int> progress;
    ProgrammingProtocol protocol(port, [&](int done) { progress.append(done); });
    MemoryImage image;
    image.fill(0x5A);

    const ProtocolResult result = protocol.read(image);
    QVERIFY2(result, qPrintable(result.describe()));
    QCOMPARE(result.blocks, ReadBlockCount);
    QCOMPARE(progress.size(), ReadBlockCount);
    QCOMPARE(progress.first(), 1);
    QCOMPARE(progress.last(), ReadBlockCount);

    QList<QByteArray> requests;
    for (const QByteArray &w : port.writes()) {
        if (w.size() == 4 && w.at(0) == 'R')
            requests.append(w);
    }
    QCOMPARE(requests.size(), ReadBlockCount);
    QCOMPARE(requests.first(), QByteArray("\x52\x00\x00\x08", 4));
    QCOMPARE(requests.at(199), QByteArray("\x52\x06\x38\x08", 4)); // last of range 1
    QCOMPARE(requests.at(200), QByteArray("\x52\x0C\x90\x08", 4)); // first of range 2
    QCOMPARE(requests.last(), QByteArray("\x52\x1F\xF8\x08", 4));

    int inRanges = 0;
    for (int a = 0; a < MemoryImage::Size; ++a) {
        const bool transferred = std::any_of(ReadRanges.begin(), ReadRanges.end(),
                                             [a](const TransferRange &r) { return a >= r.start && a < r.end; });
        QCOMPARE(image.byte(a), transferred ? quint8(radio.at(a)) : quint8(0x5A));
        inRanges += transferred;
    }
    QCOMPARE(inRanges, 2544);
}

void TestProtocol::readBlockExchange()
{
    QByteArray radio = patternMemory();
    ScriptedPort port;
    port.radio = healthyRadio(&radio);
    ProgrammingProtocol protocol(port);
    MemoryImage image;
    QVERIFY(protocol.read(image));

    // The first block after wake-up (8 trace lines per wake-up byte group) and
    // identification (7 lines): two pauses, the request, 12 bytes, the acknowledge.
    const QStringList block = port.trace.mid(22 + 7, 8);
    QCOMPARE(block, (QStringList{u"pause 1"_qs, u"pause 1"_qs, u"purge"_qs, u"write 52 00 00 08"_qs,
                                 u"read 12 -> aa bb cc dd "_qs + hexBytes(radio.left(8)), u"purge"_qs,
                                 u"write 06"_qs, u"read 1 -> 06"_qs}));
}

void TestProtocol::readFailures_data()
{
    QTest::addColumn<int>("failingBlock");
    QTest::addColumn<QByteArray>("answer");   // to the read request
    QTest::addColumn<QByteArray>("ack");      // after the block
    QTest::addColumn<ProtocolResult::Step>("step");

    const QByteArray full = QByteArray("\x57\x00\x00\x08", 4) + QByteArray(8, 'd');
    QTest::newRow("11-byte answer at the first block") << 0 << full.left(11) << QByteArray() << Step::ReadAnswer;
    QTest::newRow("no answer at block 100") << 100 << QByteArray() << QByteArray() << Step::ReadAnswer;
    QTest::newRow("NAK after the last block") << ReadBlockCount - 1 << full << QByteArray("\x15", 1)
                                              << Step::BlockAck;
    QTest::newRow("no ack after block 250") << 250 << full << QByteArray() << Step::BlockAck;
    QTest::newRow("any leading bytes are fine") << -1 << QByteArray("\x00\xFF\x15\x02", 4) + QByteArray(8, 'd')
                                                << QByteArray("\x06", 1) << Step::None;
}

void TestProtocol::readFailures()
{
    QFETCH(int, failingBlock);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, ack);
    QFETCH(ProtocolResult::Step, step);

    QByteArray radio = patternMemory();
    const auto healthy = healthyRadio(&radio);
    int block = -1;
    ScriptedPort port;
    // Block answers come from the table above at the failing block (every
    // block when there is none), from the healthy radio elsewhere.
    port.radio = [&](const QByteArray &frame, int count) -> QByteArray {
        if (frame.size() == 4 && frame.at(0) == 'R')
            ++block;
        const bool here = failingBlock < 0 || block == failingBlock;
        if (!here || block < 0)
            return healthy(frame, count);
        return frame.at(0) == 'R' ? answer : ack;
    };
    ProgrammingProtocol protocol(port);
    MemoryImage image;
    const ProtocolResult result = protocol.read(image);
    QCOMPARE(result.step, step);
    if (step == Step::None)
        return;
    QCOMPARE(result.blocks, failingBlock);
    QCOMPARE(result.address, readBlockAddress(failingBlock));
    // Nothing follows the failure: the last call is the failed read.
    QVERIFY(port.trace.last().startsWith(u"read"));
}

void TestProtocol::writeMovesEveryWriteBlock()
{
    QByteArray radio(MemoryImage::Size, char(0xEE));
    ScriptedPort port;
    port.radio = healthyRadio(&radio);
    int progressCalls = 0;
    ProgrammingProtocol protocol(port, [&](int) { ++progressCalls; });
    MemoryImage image;
    image.copyIn(patternMemory());

    const ProtocolResult result = protocol.write(image);
    QVERIFY2(result, qPrintable(result.describe()));
    QCOMPARE(result.blocks, WriteBlockCount);
    QCOMPARE(progressCalls, WriteBlockCount);

    QList<QByteArray> requests;
    for (const QByteArray &w : port.writes()) {
        if (w.size() == 4 && w.at(0) == 'W')
            requests.append(w);
    }
    QCOMPARE(requests.size(), WriteBlockCount);
    QCOMPARE(requests.last(), QByteArray("\x57\x1F\xE8\x08", 4));
    for (int a = 0; a < MemoryImage::Size; ++a) {
        const bool sent = std::any_of(WriteRanges.begin(), WriteRanges.end(),
                                      [a](const TransferRange &r) { return a >= r.start && a < r.end; });
        QCOMPARE(quint8(radio.at(a)), sent ? image.byte(a) : quint8(0xEE));
    }
    // 0x1FF0..0x1FFF never leave the program.
    QCOMPARE(radio.mid(0x1FF0), QByteArray(16, char(0xEE)));
}

void TestProtocol::writeBlockExchange()
{
    QByteArray radio(MemoryImage::Size, char(0xEE));
    ScriptedPort port;
    port.radio = healthyRadio(&radio);
    ProgrammingProtocol protocol(port);
    MemoryImage image;
    image.copyIn(patternMemory());
    QVERIFY(protocol.write(image));

    const QStringList block = port.trace.mid(22 + 7, 5);
    QCOMPARE(block, (QStringList{u"pause 1"_qs, u"purge"_qs, u"write 57 00 00 08"_qs,
                                 u"write "_qs + hexBytes(image.bytes(0, 8)), u"read 1 -> 06"_qs}));
}

void TestProtocol::writeFailsAtTheUnacknowledgedBlock_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("NAK") << QByteArray("\x15", 1);
    QTest::newRow("no answer") << QByteArray();
    QTest::newRow("a 0x00 byte") << QByteArray(1, 0);
}

void TestProtocol::writeFailsAtTheUnacknowledgedBlock()
{
    QFETCH(QByteArray, answer);
    QByteArray radio(MemoryImage::Size, char(0xEE));
    const auto healthy = healthyRadio(&radio);
    ScriptedPort port;
    port.radio = [&](const QByteArray &frame, int count) -> QByteArray {
        if (frame.size() == 12 && frame.startsWith(QByteArray("\x57\x0C\x98", 3)))
            return answer;
        return healthy(frame, count);
    };
    ProgrammingProtocol protocol(port);
    MemoryImage image;
    const ProtocolResult result = protocol.write(image);
    QCOMPARE(result.step, Step::WriteAnswer);
    QCOMPARE(result.address, 0x0C98);
    QCOMPARE(result.blocks, 201);
    QCOMPARE(result.received, answer);
    // Nothing is sent after the failed block.
    QVERIFY(port.trace.last().startsWith(u"read 1"));
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
