#include "core/image/memoryimage.h"
#include "core/link/byteport.h"
#include "core/link/protocol.h"
#include "core/link/radiotransfer.h"
#include "scriptedport.h"
#include "testbytes.h"

#include <QTest>

#include <functional>

using namespace kdw;
using namespace kdw::test;
using Step = ProtocolResult::Step;

namespace {

// A different byte at every address of a block, and different blocks.
QByteArray patternMemory()
{
    return test::patternBytes(MemoryImage::Size);
}

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void wakeUp_data();
    void wakeUp();
    void identify_data();
    void identify();
    void fullTransfer_data();
    void fullTransfer();
    void blockFailure_data();
    void blockFailure();
    void verifySession_data();
    void verifySession();
    void changedOnly_data();
    void changedOnly();
};

void TestProtocol::wakeUp_data()
{
    QTest::addColumn<QList<QByteArray>>("answers"); // to the attempts, in order
    QTest::addColumn<int>("attempts");
    QTest::addColumn<bool>("ok");
    const QByteArray ack("\x06"), wrong("\x07"), none;
    QTest::newRow("0x06 at once") << QList{ack} << 1 << true;
    QTest::newRow("0x16: low nibble 6") << QList{QByteArray("\x16")} << 1 << true;
    QTest::newRow("0x60: high nibble 6") << QList{QByteArray("\x60"), none, none, none} << 4 << false;
    QTest::newRow("0x07 three times, then 0x06") << QList{wrong, wrong, wrong, ack} << 4 << true;
    QTest::newRow("0x07 four times") << QList{wrong, wrong, wrong, wrong, ack} << 4 << false;
    QTest::newRow("no answer") << QList{none, none, none, none} << 4 << false;
}

void TestProtocol::wakeUp()
{
    QFETCH(QList<QByteArray>, answers);
    QFETCH(int, attempts);
    QFETCH(bool, ok);
    ScriptedPort port;
    port.answers = answers;
    const ProtocolResult result = ProgrammingProtocol(port).wakeUp();
    QCOMPARE(result.step, ok ? Step::None : Step::WakeUp);
    QCOMPARE(result.wakeUpAttempts, attempts);
    QStringList expected;
    for (int i = 0; i < attempts; ++i)
        expected += wakeUpAttempt(answers.at(i));
    QCOMPARE(port.trace, expected);
}

void TestProtocol::identify_data()
{
    QTest::addColumn<QByteArray>("identification");
    QTest::addColumn<QByteArray>("ack");
    const QByteArray ack("\x06");
    QTest::newRow("8 bytes") << QByteArray("KDW417\x01\x02") << ack;
    QTest::newRow("5 bytes") << QByteArray("KDW41") << ack;
    QTest::newRow("nothing") << QByteArray() << ack;
    QTest::newRow("NAK to the acknowledge") << QByteArray("KDW417\x01\x02") << QByteArray("\x15");
}

void TestProtocol::identify()
{
    QFETCH(QByteArray, identification);
    QFETCH(QByteArray, ack);
    ScriptedPort port;
    // The last answer is never asked for: a failed acknowledge is not retried.
    port.answers = {identification, ack, QByteArray("\x06")};
    const ProtocolResult result = ProgrammingProtocol(port).identify();
    QCOMPARE(result.step, ack == "\x06" ? Step::None : Step::IdentifyAck);
    QCOMPARE(port.trace,
             (QStringList{u"pause 1"_qs, u"purge"_qs, u"write 4d 02"_qs, u"read 8 -> "_qs + hexBytes(identification),
                          u"purge"_qs, u"write 06"_qs, u"read 1 -> "_qs + hexBytes(ack)}));
}

void TestProtocol::fullTransfer_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("end");                // of the last range
    QTest::addColumn<QStringList>("firstBlock"); // the exchange of block 0x0000
    const QString data = hexBytes(patternMemory().left(8));
    QTest::newRow("read") << true << 0x2000
                          << texts(u"pause 1|pause 1|purge|write 52 00 00 08|read 12 -> aa bb cc dd %1|purge|"
                                   u"write 06|read 1 -> 06"_qs.arg(data));
    // 0x1FF0..0x1FFF never leave the program.
    QTest::newRow("write") << false << 0x1FF0
                           << texts(u"pause 1|purge|write 57 00 00 08|write %1|read 1 -> 06"_qs.arg(data));
}

void TestProtocol::fullTransfer()
{
    QFETCH(bool, read);
    QFETCH(int, end);
    QFETCH(QStringList, firstBlock);
    // The pattern moves from one side to the other, which starts as 0xEE.
    const QByteArray blank(MemoryImage::Size, char(0xEE));
    QByteArray radio = read ? patternMemory() : blank;
    MemoryImage image;
    image.copyIn(read ? blank : patternMemory());
    ScriptedPort port;
    port.radio = healthyRadio(&radio);
    QList<int> progress;
    TransferObserver observer;
    observer.blockDone = [&](int done) { progress.append(done); };

    const TransferOutcome outcome
        = read ? readFromPort(port, TransferDirection::Read, image, observer) : writeToPort(port, image, observer);
    QVERIFY2(outcome, qPrintable(outcome.detail));
    const int blocks = read ? 318 : 316;
    QCOMPARE(outcome.protocol.blocks, blocks);
    QCOMPARE(progress.size(), blocks);
    QCOMPARE(progress.last(), blocks);
    // After the wake-up (22 lines) and the identification (7 lines).
    QCOMPARE(port.trace.mid(29, firstBlock.size()), firstBlock);

    QByteArray expected = blank;
    for (auto [start, stop] :
         {std::pair{0x0000, 0x0640}, {0x0C90, 0x0FB0}, {0x1810, 0x1850}, {0x1D30, 0x1D50}, {0x1FD0, end}})
        expected.replace(start, stop - start, patternMemory().mid(start, stop - start));
    QCOMPARE(read ? image.bytes() : radio, expected);
}

void TestProtocol::blockFailure_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("block");                 // in transfer order
    QTest::addColumn<QList<QByteArray>>("answers"); // the radio's at that block
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("address");

    const QByteArray full = QByteArray("\x57\x00\x00\x08", 4) + QByteArray(8, 'd'), nak("\x15"), none;
    QTest::newRow("read: 11 of 12 bytes at the first block")
        << true << 0 << QList{full.left(11)} << Step::ReadAnswer << 0x0000;
    QTest::newRow("read: no answer at block 100") << true << 100 << QList{none} << Step::ReadAnswer << 0x0320;
    QTest::newRow("read: NAK after the last block") << true << 317 << QList{full, nak} << Step::BlockAck << 0x1FF8;
    QTest::newRow("write: NAK at block 201") << false << 201 << QList{nak} << Step::WriteAnswer << 0x0C98;
    QTest::newRow("write: no answer to the last block") << false << 315 << QList{none} << Step::WriteAnswer << 0x1FE8;
}

// A failed read leaves the image as it was, though blocks had arrived.
void TestProtocol::blockFailure()
{
    QFETCH(bool, read);
    QFETCH(int, block);
    QFETCH(QList<QByteArray>, answers);
    QFETCH(Step, step);
    QFETCH(int, address);
    const QByteArray received = answers.last();
    QByteArray radio = patternMemory();
    const auto healthy = healthyRadio(&radio);
    int index = -1;
    ScriptedPort port;
    port.radio = [&](const QByteArray &written, int count) {
        if (written.size() == (read ? 4 : 12) && written.at(0) == (read ? 'R' : 'W'))
            ++index;
        return index == block && !answers.isEmpty() ? answers.takeFirst() : healthy(written, count);
    };
    MemoryImage image = filledImage(0x33);
    const MemoryImage before = image;
    const TransferOutcome outcome
        = read ? readFromPort(port, TransferDirection::Read, image, {}) : writeToPort(port, image, {});
    QCOMPARE(outcome.status, TransferOutcome::Status::CommunicationError);
    QCOMPARE(outcome.protocol.step, step);
    QCOMPARE(outcome.protocol.address, address);
    QCOMPARE(outcome.protocol.blocks, block);
    QCOMPARE(outcome.protocol.received, received);
    QVERIFY(image == before);
    // Nothing follows the failure: the last call is the failed read.
    QVERIFY(port.trace.last().startsWith(u"read"));
}

void TestProtocol::verifySession_data()
{
    QTest::addColumn<int>("silentWakeUps"); // wake-up attempts the radio lets pass
    QTest::addColumn<bool>("succeeds");
    QTest::newRow("answers at once") << 0 << true;
    QTest::newRow("rests past the four attempts of a transfer") << 10 << true;
    QTest::newRow("answers at the last attempt") << ProgrammingProtocol::VerifyWakeUpAttempts - 1 << true;
    QTest::newRow("rests longer than the check waits") << ProgrammingProtocol::VerifyWakeUpAttempts << false;
}

// The session after a write keeps knocking for about 3 s, then reads back
// the written ranges only, into the image only when all of them arrived.
void TestProtocol::verifySession()
{
    QFETCH(int, silentWakeUps);
    QFETCH(bool, succeeds);
    QByteArray radio = patternMemory();
    const auto healthy = healthyRadio(&radio);
    int silent = silentWakeUps;
    QByteArray requests;
    ScriptedPort port;
    port.radio = [&](const QByteArray &written, int count) {
        if (written == QByteArray("\x02PROGRA") && silent > 0) {
            --silent;
            return QByteArray();
        }
        if (written.size() == 4 && written.at(0) == 'R')
            requests += written;
        return healthy(written, count);
    };
    MemoryImage image = filledImage(0xEE);
    const TransferOutcome outcome = readFromPort(port, TransferDirection::Verify, image, {});
    QCOMPARE(bool(outcome), succeeds);
    QCOMPARE(outcome.protocol.wakeUpAttempts, std::min(silentWakeUps + 1, 28));
    QByteArray expected(MemoryImage::Size, char(0xEE));
    if (succeeds) {
        for (const TransferRange &r : WriteRanges)
            expected.replace(r.start, r.end - r.start, radio.mid(r.start, r.end - r.start));
    }
    QCOMPARE(image.bytes(), expected);
    QCOMPARE(requests.size(), succeeds ? 316 * 4 : 0);
    if (succeeds)
        QCOMPARE(requests.right(4), QByteArray("R\x1F\xE8\x08", 4));
}

void TestProtocol::changedOnly_data()
{
    QTest::addColumn<QList<int>>("edits");       // addresses where the document differs from the radio
    QTest::addColumn<QByteArray>("readAnswer");  // the identification the read gets
    QTest::addColumn<QByteArray>("writeAnswer"); // and the write
    QTest::addColumn<QList<int>>("written");     // the blocks the write sends, in order
    QTest::addColumn<Step>("step");
    const QByteArray radio("IDENT-01"), other("IDENT-02"), cut("IDE");
    QTest::newRow("three channels, one of them twice")
        << QList{0x1FE8, 0x0010, 0x0C98, 0x0017} << radio << radio << QList{0x0010, 0x0C98, 0x1FE8} << Step::None;
    QTest::newRow("nothing differs") << QList<int>{} << radio << radio << QList<int>{} << Step::None;
    QTest::newRow("only bytes the write never sends")
        << QList{0x0700, 0x1FF0} << radio << radio << QList<int>{} << Step::None;
    QTest::newRow("another radio put on the cable")
        << QList{0x0010} << radio << other << QList{0x0010} << Step::OtherRadio;
    QTest::newRow("a cut identification tells no radio apart: the whole table")
        << QList{0x0010} << cut << other << blocksOf(WriteRanges) << Step::None;
    // Bytes lost on the line, not another radio: the session failed at its start.
    QTest::newRow("the write's identification cut short")
        << QList{0x0010} << radio << cut << QList{0x0010} << Step::IdentifyAnswer;
}

// A write after a read of the same operation sends the blocks that differ
// from what was read, in table order, to the radio that was read and no
// other. (What the radio ends with, and the verify of those blocks, are
// proved against the simulated radio.)
void TestProtocol::changedOnly()
{
    QFETCH(QList<int>, edits);
    QFETCH(QByteArray, readAnswer);
    QFETCH(QByteArray, writeAnswer);
    QFETCH(QList<int>, written);
    QFETCH(Step, step);
    QByteArray memory = patternMemory();
    const auto healthy = healthyRadio(&memory);
    QByteArray identification = readAnswer;
    QList<int> writes;
    ScriptedPort port;
    port.radio = [&](const QByteArray &frame, int count) {
        if (frame == QByteArray("M\x02", 2))
            return identification;
        if (frame.size() == 12 && frame.at(0) == 'W')
            writes.append((quint8(frame.at(1)) << 8) | quint8(frame.at(2)));
        return healthy(frame, count);
    };
    MemoryImage read;
    const TransferOutcome backup = readFromPort(port, TransferDirection::Read, read, {});
    QVERIFY(backup);
    MemoryImage document = read;
    for (const int address : edits)
        document.setByte(address, quint8(~document.byte(address)));
    const WriteScope scope = scopeAfterRead(read, backup.protocol, document, true);
    QCOMPARE(scope.blocks, written);

    identification = writeAnswer;
    const TransferOutcome write = writeToPort(port, document, {}, 0, scope);
    QCOMPARE(write.protocol.step, step);
    QCOMPARE(writes, step == Step::None ? written : QList<int>{});
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
