#include "image/memoryimage.h"
#include "link/protocol.h"
#include "scriptedport.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;
using Step = ProtocolResult::Step;

namespace {

// One wake-up attempt: each byte of STX "PROGRA" after its own pause and purge.
QStringList wakeUpAttempt(const QByteArray &answer)
{
    QStringList trace;
    for (const char *byte : {"02", "50", "52", "4f", "47", "52", "41"})
        trace << u"pause 1"_qs << u"purge"_qs << u"write "_qs + QLatin1String(byte);
    return trace << u"read 1 -> "_qs + hexBytes(answer);
}

// A different byte at every address of a block, and different blocks.
QByteArray patternMemory()
{
    QByteArray m(MemoryImage::Size, Qt::Uninitialized);
    for (int i = 0; i < m.size(); ++i)
        m[i] = char((i * 7 + i / 256) & 0xFF);
    return m;
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
    QCOMPARE(port.trace, (QStringList{u"pause 1"_qs, u"purge"_qs, u"write 4d 02"_qs,
                                      u"read 8 -> "_qs + hexBytes(identification), u"purge"_qs, u"write 06"_qs,
                                      u"read 1 -> "_qs + hexBytes(ack)}));
}

void TestProtocol::fullTransfer_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("end");                // of the last range
    QTest::addColumn<QStringList>("firstBlock"); // the exchange of block 0x0000
    const QString data = hexBytes(patternMemory().left(8));
    QTest::newRow("read") << true << 0x2000
                          << QStringList{u"pause 1"_qs, u"pause 1"_qs, u"purge"_qs, u"write 52 00 00 08"_qs,
                                         u"read 12 -> aa bb cc dd "_qs + data, u"purge"_qs, u"write 06"_qs,
                                         u"read 1 -> 06"_qs};
    // 0x1FF0..0x1FFF never leave the program.
    QTest::newRow("write") << false << 0x1FF0
                           << QStringList{u"pause 1"_qs, u"purge"_qs, u"write 57 00 00 08"_qs, u"write "_qs + data,
                                          u"read 1 -> 06"_qs};
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
    ProgrammingProtocol protocol(port, [&](int done) { progress.append(done); });

    const ProtocolResult result = read ? protocol.read(image) : protocol.write(image);
    QVERIFY2(result, qPrintable(result.describe()));
    const int blocks = read ? 318 : 316;
    QCOMPARE(result.blocks, blocks);
    QCOMPARE(progress.size(), blocks);
    QCOMPARE(progress.last(), blocks);
    // After the wake-up (22 lines) and the identification (7 lines).
    QCOMPARE(port.trace.mid(29, firstBlock.size()), firstBlock);

    QByteArray expected = blank;
    for (auto [start, stop] : {std::pair{0x0000, 0x0640}, {0x0C90, 0x0FB0}, {0x1810, 0x1850}, {0x1D30, 0x1D50},
                               {0x1FD0, end}})
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
    QTest::newRow("write: no answer to the last block")
        << false << 315 << QList{none} << Step::WriteAnswer << 0x1FE8;
}

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
    ProgrammingProtocol protocol(port);
    MemoryImage image;
    const ProtocolResult result = read ? protocol.read(image) : protocol.write(image);
    QCOMPARE(result.step, step);
    QCOMPARE(result.address, address);
    QCOMPARE(result.blocks, block);
    QCOMPARE(result.received, received);
    // Nothing follows the failure: the last call is the failed read.
    QVERIFY(port.trace.last().startsWith(u"read"));
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
