// A transfer that goes on after a fault on the line: a new session, frame for
// frame the first one's, that starts at the failed block.

#include "core/image/memoryimage.h"
#include "core/image/transferranges.h"
#include "core/link/protocol.h"
#include "core/link/radiotransfer.h"
#include "core/link/transfermessages.h"
#include "scriptedport.h"
#include "testbytes.h"

#include <QRegularExpression>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using Step = ProtocolResult::Step;

namespace {

// WakeUpLost and IdentifyLost: silence at the block once, then the next
// `times` sessions find no answer to their wake-up or their identification.
enum class Fault { Silence, Nak, Short, HangUp, SilentAfter, WakeUpLost, IdentifyLost };

const std::array<TransferRange, 5> &rangesOf(TransferDirection direction)
{
    return direction == TransferDirection::Read ? ReadRanges : WriteRanges;
}

// The blocks a transfer moves: its whole table, or the write table's blocks
// of the indices in `changed` (a write of the changed blocks and its verify).
BlockList blocksMoved(TransferDirection direction, const QList<int> &changed)
{
    const BlockList table = blocksOf(rangesOf(direction));
    if (changed.isEmpty())
        return table;
    BlockList blocks;
    for (const int index : changed)
        blocks.append(table.at(index));
    return blocks;
}

int address(const QByteArray &frame)
{
    return (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
}

// A healthy radio but for `times` faults in a row at one block: each new
// session that asks for the block meets the fault again.
struct FaultyRadio
{
    int faultAddress;
    Fault fault;
    int times;
    QByteArray memory = patternBytes(MemoryImage::Size, 7);
    QList<int> requests; // the block addresses asked for or written, in order
    bool nakNext = false;
    bool silent = false;
    int lostStarts = 0; // wake-up attempts or identifications still to go unanswered
    bool identifying = false;

    bool loseStart(const QByteArray &written)
    {
        const bool identifyAck = std::exchange(identifying, written == "M\x02") && written == "\x06";
        const bool lost = lostStarts > 0 && (fault == Fault::WakeUpLost ? written == "\x02PROGRA" : identifyAck);
        lostStarts -= lost ? 1 : 0;
        return lost;
    }

    QByteArray answer(ScriptedPort &port, const QByteArray &written, int count)
    {
        if (silent || loseStart(written))
            return {};
        const bool request = written.size() >= 4 && (written.at(0) == 'R' || written.at(0) == 'W');
        if (request)
            requests.append(address(written));
        if (nakNext && written == "\x06") {
            nakNext = false;
            return QByteArray("\x15");
        }
        if (!request || address(written) != faultAddress || times <= 0)
            return healthyRadio(&memory)(written, count);
        --times;
        const bool read = written.at(0) == 'R';
        switch (fault) {
        case Fault::Silence: return {};
        case Fault::Nak:
            if (!read)
                return QByteArray("\x15");
            nakNext = true;
            return healthyRadio(&memory)(written, count);
        case Fault::Short: return healthyRadio(&memory)(written, count).chopped(1);
        case Fault::HangUp: port.lost = true; return {};
        case Fault::SilentAfter: silent = true; return {};
        case Fault::WakeUpLost:
        case Fault::IdentifyLost:
            lostStarts = (std::exchange(times, 0) + 1)
                         * (fault == Fault::WakeUpLost ? ProgrammingProtocol::WakeUpAttempts : 1);
            return {};
        }
        return {};
    }
};

// The addresses a transfer of `blocks` asks for when it fails `faults` times
// at the block of index `index` and resumes each time, and goes on to the end
// if it may.
QList<int> expectedRequests(const BlockList &blocks, int index, int faults, bool completes)
{
    QList<int> list = blocks.mid(0, index);
    for (int i = 0; i < faults; ++i)
        list.append(blocks.at(index));
    if (completes)
        list += blocks.mid(index);
    return list;
}

// The trace of the first session's start: the whole wake-up and identification.
QStringList sessionStart()
{
    return wakeUpAttempt(QByteArray("\x06"))
           + QStringList{u"pause 1"_qs, u"purge"_qs,    u"write 4d 02"_qs, u"read 8 -> 49 44 45 4e 54 2d 30 31"_qs,
                         u"purge"_qs,   u"write 06"_qs, u"read 1 -> 06"_qs};
}

} // namespace

class TestResume : public QObject
{
    Q_OBJECT

private slots:
    void resume_data();
    void resume();
    void cancel_data();
    void cancel();
    void messages_data();
    void messages();
};

void TestResume::resume_data()
{
    QTest::addColumn<TransferDirection>("direction");
    QTest::addColumn<QList<int>>("changed"); // write table indices of a changed-only write; none: the table
    QTest::addColumn<int>("block");          // the index of the failing block among those moved
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("times");      // faults in a row there
    QTest::addColumn<int>("maxResumes"); // 0: resume off
    QTest::addColumn<Step>("step");      // how the transfer ends
    QTest::addColumn<int>("resumes");

    const auto R = TransferDirection::Read, W = TransferDirection::Write, V = TransferDirection::Verify;
    const QList<int> all, three{4, 100, 315};
    QTest::newRow("read: silence at block 159") << R << all << 159 << Fault::Silence << 1 << 3 << Step::None << 1;
    QTest::newRow("read: NAK after the first block") << R << all << 0 << Fault::Nak << 1 << 3 << Step::None << 1;
    QTest::newRow("read: short answer at the last block")
        << R << all << 317 << Fault::Short << 1 << 3 << Step::None << 1;
    QTest::newRow("write: silence at block 200") << W << all << 200 << Fault::Silence << 1 << 3 << Step::None << 1;
    QTest::newRow("write: NAK at the first block") << W << all << 0 << Fault::Nak << 1 << 3 << Step::None << 1;
    QTest::newRow("write: NAK at the last block") << W << all << 315 << Fault::Nak << 1 << 3 << Step::None << 1;
    QTest::newRow("read: three faults in a row, then the block")
        << R << all << 60 << Fault::Silence << 3 << 3 << Step::None << 3;
    QTest::newRow("write: three NAKs in a row, then the block")
        << W << all << 250 << Fault::Nak << 3 << 3 << Step::None << 3;
    QTest::newRow("read: four faults in a row fail")
        << R << all << 60 << Fault::Short << 4 << 3 << Step::ReadAnswer << 3;
    QTest::newRow("write: four faults in a row fail")
        << W << all << 250 << Fault::Nak << 4 << 3 << Step::WriteAnswer << 3;
    QTest::newRow("read: resume off") << R << all << 159 << Fault::Silence << 1 << 0 << Step::ReadAnswer << 0;
    QTest::newRow("write: resume off") << W << all << 10 << Fault::Nak << 1 << 0 << Step::WriteAnswer << 0;
    QTest::newRow("read: the line went away") << R << all << 159 << Fault::HangUp << 1 << 3 << Step::ReadAnswer << 0;
    QTest::newRow("read: no answer to any new wake-up")
        << R << all << 159 << Fault::SilentAfter << 1 << 3 << Step::WakeUp << 3;
    QTest::newRow("write: the new session's identification unanswered, the next goes on")
        << W << all << 81 << Fault::IdentifyLost << 1 << 3 << Step::None << 2;
    QTest::newRow("read: two new wake-ups unanswered, the third goes on")
        << R << all << 159 << Fault::WakeUpLost << 2 << 3 << Step::None << 3;
    QTest::newRow("write: three new identifications unanswered fail")
        << W << all << 81 << Fault::IdentifyLost << 3 << 3 << Step::IdentifyAck << 3;
    QTest::newRow("verify: a new wake-up unanswered, the next goes on")
        << V << three << 1 << Fault::WakeUpLost << 1 << 3 << Step::None << 2;
    QTest::newRow("changed only: write, NAK at the second of three")
        << W << three << 1 << Fault::Nak << 1 << 3 << Step::None << 1;
    QTest::newRow("changed only: write, the line went away at the last")
        << W << three << 2 << Fault::HangUp << 1 << 3 << Step::WriteAnswer << 0;
    QTest::newRow("changed only: verify, silence at the first of three")
        << V << three << 0 << Fault::Silence << 1 << 3 << Step::None << 1;
}

// Checks the requests on the wire (a resumed session asks for the failed
// block first, after a whole wake-up and identification), the progress (one
// step per block, never back), and the image or the radio's memory.
void TestResume::resume()
{
    QFETCH(TransferDirection, direction);
    QFETCH(QList<int>, changed);
    QFETCH(int, block);
    QFETCH(Fault, fault);
    QFETCH(int, times);
    QFETCH(int, maxResumes);
    QFETCH(Step, step);
    QFETCH(int, resumes);
    const bool write = direction == TransferDirection::Write;
    const bool succeeds = step == Step::None;
    const BlockList blocks = blocksMoved(direction, changed);
    const int total = int(blocks.size());
    const int faultAddress = blocks.at(block);
    FaultyRadio radio{.faultAddress = faultAddress, .fault = fault, .times = times, .requests = {}};
    const QByteArray radioBefore = radio.memory;
    ScriptedPort port;
    port.radio = [&](const QByteArray &written, int count) { return radio.answer(port, written, count); };

    QList<int> progress;
    QList<QPair<int, int>> notices;
    TransferObserver observer;
    observer.blockDone = [&](int done) { progress.append(done); };
    observer.resuming = [&](int failed, int of, int resume) {
        QCOMPARE(of, total);
        notices.append({failed, resume});
    };
    MemoryImage image = patternImage(write ? 9 : 3);
    const MemoryImage before = image;
    const WriteScope scope{blocks, {}};
    const TransferOutcome outcome = write ? writeToPort(port, image, observer, maxResumes, scope)
                                          : readFromPort(port, direction, image, observer, maxResumes, scope);

    QCOMPARE(outcome.protocol.step, step);
    QCOMPARE(outcome.protocol.resumes, resumes);
    QCOMPARE(outcome.protocol.blocks, succeeds ? total : block);
    QCOMPARE(bool(outcome), succeeds);
    // Resumes are told with the failed block counted from 1.
    QList<QPair<int, int>> told;
    for (int k = 1; k <= resumes; ++k)
        told.append({block + 1, k});
    QCOMPARE(notices, told);
    QList<int> steps;
    for (int i = 1; i <= (succeeds ? total : block); ++i)
        steps.append(i);
    QCOMPARE(progress, steps);
    // Sessions that failed at their start never asked for the block.
    const bool lostAtStart = fault == Fault::WakeUpLost || fault == Fault::IdentifyLost;
    const bool startsFail = fault == Fault::SilentAfter || lostAtStart;
    const int lostStarts = fault == Fault::SilentAfter ? resumes : lostAtStart ? times : 0;
    const int faultsMet = startsFail ? 1 : std::min(times, maxResumes + 1);
    const bool tellsNak = fault == Fault::Nak && !write;
    QCOMPARE(radio.requests, expectedRequests(blocks, block, faultsMet, succeeds));
    if (tellsNak) // the failed block's data had arrived: it is asked for again all the same
        QCOMPARE(radio.requests.count(faultAddress), faultsMet + (succeeds ? 1 : 0));

    // Each new session begins as the first did, and its first request is the failed block.
    const QStringList start = sessionStart();
    QCOMPARE(port.trace.mid(0, start.size()), start);
    const QString failedRequest = write ? u"write 57 "_qs : u"write 52 "_qs;
    const QString request = failedRequest
                            + hexBytes(QByteArray::fromHex(QByteArray::number(faultAddress, 16).rightJustified(4, '0')))
                            + u" 08"_qs;
    int from = 0;
    for (int k = 0; k < resumes && !startsFail; ++k) {
        const qsizetype at = port.trace.indexOf(start.first(), port.trace.indexOf(request, from));
        QVERIFY2(at > 0, qPrintable(u"no session %1"_qs.arg(k + 2)));
        QCOMPARE(port.trace.mid(at, start.size()), start);
        const qsizetype next = port.trace.indexOf(QRegularExpression(u"write 5[27] .*"_qs), at + start.size());
        QCOMPARE(port.trace.value(next), request);
        from = int(at + start.size());
    }
    const int identifications = 1 + resumes - (fault == Fault::IdentifyLost ? 0 : lostStarts);
    QCOMPARE(port.trace.count(u"write 4d 02"_qs), identifications);

    // A write leaves the blocks it sent (all, or those before the fault) in
    // the radio and no other; a read fills exactly its blocks, or nothing.
    QByteArray expected = write ? radioBefore : before.bytes();
    for (const int address : blocks.mid(0, succeeds ? total : (write ? block : 0))) {
        if (write)
            expected.replace(address, 8, image.bytes(address, 8));
        else
            expected.replace(address, 8, radio.memory.mid(address, 8));
    }
    QCOMPARE(firstDifference(write ? radio.memory : image.bytes(), expected), QString());
}

void TestResume::cancel_data()
{
    QTest::addColumn<TransferDirection>("direction");
    QTest::addColumn<int>("after"); // blocks done when the user asks to stop; -1: during the wake-up
    QTest::newRow("read, half-way") << TransferDirection::Read << 150;
    QTest::newRow("write, half-way") << TransferDirection::Write << 150;
    QTest::newRow("write, during the wake-up") << TransferDirection::Write << -1;
    QTest::newRow("verify, after the first block") << TransferDirection::Verify << 1;
}

// Asked to stop, a transfer sends nothing more after the block under way; a
// read leaves the image as it was.
void TestResume::cancel()
{
    QFETCH(TransferDirection, direction);
    QFETCH(int, after);
    const bool write = direction == TransferDirection::Write;
    QByteArray memory = patternBytes(MemoryImage::Size, 4);
    const QByteArray radioBefore = memory;
    const auto healthy = healthyRadio(&memory);
    bool stop = false;
    int wakeUps = 0;
    ScriptedPort port;
    port.radio = [&](const QByteArray &written, int count) {
        if (written == "\x02PROGRA" && ++wakeUps == 2 && after < 0)
            stop = true;
        return after < 0 && written == "\x02PROGRA" && wakeUps < 4 ? QByteArray() : healthy(written, count);
    };
    TransferObserver observer;
    observer.blockDone = [&](int done) { stop = stop || done == after; };
    observer.cancelRequested = [&] { return stop; };
    MemoryImage image = patternImage(5);
    const MemoryImage before = image;
    const TransferOutcome outcome = write ? writeToPort(port, image, observer, ProgrammingProtocol::MaxResumes)
                                          : readFromPort(port, direction, image, observer, 3);
    QCOMPARE(outcome.status, TransferOutcome::Status::Cancelled);
    QCOMPARE(outcome.message(), nullptr);
    QCOMPARE(outcome.protocol.blocks, std::max(after, 0));
    QCOMPARE(outcome.protocol.wakeUpAttempts, after < 0 ? 2 : 1);
    // The last thing on the line is the end of the last whole exchange.
    QVERIFY2(port.trace.last().startsWith(u"read 1 -> "), qPrintable(port.trace.last()));
    QVERIFY(image == before);
    if (write) {
        // Stopped during the wake-up, nothing was written; else the blocks done, from the first on.
        QByteArray expected = radioBefore;
        const int written = std::max(after, 0) * TransferRange::BlockSize;
        expected.replace(0, written, image.bytes(0, written));
        QCOMPARE(memory, expected);
    }
}

void TestResume::messages_data()
{
    QTest::addColumn<TransferDirection>("direction");
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("says");

    const auto R = TransferDirection::Read, W = TransferDirection::Write;
    QTest::newRow("resumed write, no answer to the new wake-up")
        << W << Step::WakeUp << 120 << Language::Eng
        << u"stopped answering at block 121 of 316.|partly written and must be written again"_qs;
    QTest::newRow("resumed read, no answer to the new wake-up")
        << R << Step::WakeUp << 120 << Language::Eng << u"stopped answering at block 121 of 318."_qs;
    QTest::newRow("write cancelled after a block, Eng")
        << W << Step::Cancelled << 1 << Language::Eng
        << u"The write was cancelled.\nThe radio's memory is now partly written and must be written again before use."_qs;
    QTest::newRow("write cancelled after a block, Chs")
        << W << Step::Cancelled << 40 << Language::Chs
        << u"写入已取消。\n对讲机的存储器现在只写入了一部分，使用前必须重新写入。"_qs;
    QTest::newRow("write cancelled before the first block") << W << Step::Cancelled << 0 << Language::Eng << QString();
    QTest::newRow("read cancelled") << R << Step::Cancelled << 200 << Language::Eng << QString();
}

// What the user is told after a transfer that ended past its first session
// or was stopped.
void TestResume::messages()
{
    QFETCH(TransferDirection, direction);
    QFETCH(Step, step);
    QFETCH(int, blocks);
    QFETCH(Language, language);
    QFETCH(QString, says);
    TransferOutcome outcome;
    outcome.status
        = step == Step::Cancelled ? TransferOutcome::Status::Cancelled : TransferOutcome::Status::CommunicationError;
    outcome.protocol.step = step;
    outcome.protocol.blocks = blocks;
    outcome.protocol.resumes = 1;
    const QString text = step == Step::Cancelled ? cancelledMessage(outcome, direction, language)
                                                 : failureMessage(outcome, direction, u"COM1"_qs, language);
    if (step == Step::Cancelled) {
        QCOMPARE(text, says);
        return;
    }
    QVERIFY2(text.startsWith(u"Communication error\n"), qPrintable(text));
    for (const QString &part : says.split(u'|'))
        QVERIFY2(text.contains(part), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestResume)
#include "tst_resume.moc"
