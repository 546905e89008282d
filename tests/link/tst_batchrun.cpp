// A batch run over a scripted box of radios: which radio gets which image,
// what the log says about each, and how a fault or a stop ends a unit.

#include "core/image/transferranges.h"
#include "core/link/batchrun.h"
#include "core/settings/unitvariations.h"
#include "scriptedport.h"
#include "testbytes.h"
#include "testfiles.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <condition_variable>
#include <mutex>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Model = QByteArrayLiteral("KDW417\x01\x00");
const QByteArray OtherModel = QByteArrayLiteral("KDW417\x02\x00");

// Radios connected one after another, as the caller says: each has its own
// memory and identification, and may stop answering after some written blocks.
struct Box
{
    QList<QByteArray> memories;
    QList<QByteArray> identifications;
    int current = -1;
    int failingRadio = -1; // stops answering after `failAfterBlocks` written blocks
    int failAfterBlocks = 0;
    int writtenBlocks = 0;
    ScriptedPort *hangsUp = nullptr; // with failingRadio: the line goes away instead
    std::function<void()> beforeIdentification;
    std::function<void()> onFirstRead;
    bool read = false; // the first read request came

    explicit Box(int radios)
    {
        for (int i = 0; i < radios; ++i) {
            memories.append(patternBytes(MemoryImage::Size, quint8(100 + i)));
            identifications.append(Model);
        }
    }

    QByteArray answer(const QByteArray &frame, int count)
    {
        if (current < 0 || current >= memories.size())
            return {};
        if (frame == QByteArray("M\x02", 2)) {
            if (beforeIdentification)
                beforeIdentification();
            return identifications.at(current);
        }
        if (frame.size() == 4 && frame.at(0) == 'R' && !std::exchange(read, true) && onFirstRead)
            onFirstRead();
        if (frame.size() == 12 && frame.at(0) == 'W' && current == failingRadio && writtenBlocks++ >= failAfterBlocks) {
            if (hangsUp)
                hangsUp->lost = true;
            return {};
        }
        return healthyRadio(&memories[current])(frame, count);
    }
};

MemoryImage withCode(const MemoryImage &document, const QString &code)
{
    MemoryImage image = document;
    storeChosenSettings(image, {{findSetting(u"Code"), code}});
    return image;
}

QStringList logRows(const QString &path)
{
    return QString::fromUtf8(readFile(path)).split(u'\n', Qt::SkipEmptyParts);
}

// Lets the lanes' radios answer their identification one at a time, in the
// order given, each once the one before has its row or was skipped.
class IdentificationOrder
{
public:
    explicit IdentificationOrder(QList<int> lanes)
        : m_lanes(std::move(lanes))
    {
    }
    void awaitTurn(int lane)
    {
        std::unique_lock lock(m_mutex);
        m_turn.wait_for(lock, std::chrono::seconds(20), [&] { return m_lanes.value(m_next, lane) == lane; });
    }
    void done()
    {
        const std::lock_guard lock(m_mutex);
        ++m_next;
        m_turn.notify_all();
    }

private:
    QList<int> m_lanes;
    qsizetype m_next = 0;
    std::mutex m_mutex;
    std::condition_variable m_turn;
};

QString sha(const MemoryImage &image)
{
    return QString::fromLatin1(QCryptographicHash::hash(image.bytes(), QCryptographicHash::Sha256).toHex());
}

} // namespace

class TestBatchRun : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    MemoryImage m_document = patternImage(3);

    struct Run
    {
        BatchSummary summary;
        QString log;
        int prompts = 0;
    };

    BatchPlan planOf(const QString &variations, bool backup = true)
    {
        BatchPlan plan;
        plan.document = m_document;
        if (!variations.isEmpty()) {
            const VariationsRead read = parseVariations(variations);
            if (!read)
                qFatal("bad variations in the test: %s", qPrintable(*read.error));
            plan.variations = read.units;
        }
        plan.backup = backup;
        plan.maxResumes = 0;
        plan.backupDirectory = m_dir.filePath(u"backups/"_s);
        plan.programDirectory = m_dir.path() + u'/';
        return plan;
    }

    std::unique_ptr<BatchLog> makeLog(QString *path)
    {
        static int runs = 0;
        *path = m_dir.filePath(u"log%1.csv"_s.arg(++runs));
        QString error;
        auto log = BatchLog::create(*path, &error);
        if (!log)
            qFatal("cannot make the log: %s", qPrintable(error));
        return log;
    }

    // Runs three radios' worth of rows over `box`, connecting radio N when asked for it.
    Run runBatch(Box &box, const QString &variations, std::function<bool()> stop = {}, bool backup = true)
    {
        ScriptedPort port;
        port.radio = [&box](const QByteArray &frame, int count) { return box.answer(frame, count); };
        const BatchPlan plan = planOf(variations, backup);
        Run run;
        const auto log = makeLog(&run.log);
        BatchObserver observer;
        observer.nextConnected = [&box, &run](int unit) {
            ++run.prompts;
            box.current = unit - 1;
            return unit <= box.memories.size();
        };
        observer.stopRequested = std::move(stop);
        run.summary = BatchRun(plan, log.get(), observer).run(port);
        return run;
    }

    // One radio a lane, each on its port from the start, named "COM1", "COM2", ...
    Run runLanes(QList<Box> &boxes, const BatchPlan &plan, BatchObserver observer = {})
    {
        QList<ScriptedPort> ports(boxes.size());
        QList<BytePort *> lanes;
        QStringList names;
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            boxes[i].current = 0;
            ports[i].radio
                = [box = &boxes[i]](const QByteArray &frame, int count) { return box->answer(frame, count); };
            if (boxes[i].failingRadio == 0)
                boxes[i].hangsUp = &ports[i];
            lanes.append(&ports[i]);
            names.append(u"COM%1"_s.arg(i + 1));
        }
        Run run;
        const auto log = makeLog(&run.log);
        run.summary = BatchRun(plan, log.get(), std::move(observer), names).run(lanes);
        return run;
    }

private slots:
    void threeRadiosGetTheDocumentWithTheirRows()
    {
        Box box(3);
        // The second radio holds the document but for one byte: only its block is written.
        box.memories[1] = m_document.bytes();
        box.memories[1][0x0C93] = char(~box.memories[1].at(0x0C93));
        const QByteArray untouched = box.memories.at(1);
        const QList<QByteArray> held = box.memories;
        const Run run = runBatch(box, u"Code\n101\n\n103\n"_s);
        QCOMPARE(run.summary.count(UnitResult::Verified), 3);
        QVERIFY(run.summary.allGood());

        const MemoryImage expected[] = {withCode(m_document, u"101"_s), m_document, withCode(m_document, u"103"_s)};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(writtenRanges(box.memories.at(i)), writtenRanges(expected[i].bytes()));
        // Outside the written ranges each radio keeps what it held.
        QCOMPARE(box.memories.at(1).mid(0x1FF0), untouched.mid(0x1FF0));
        QCOMPARE(box.memories.at(1).mid(0x0640, 0x0C90 - 0x0640), untouched.mid(0x0640, 0x0C90 - 0x0640));

        const QStringList rows = logRows(run.log);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(0), BatchLog::Header);
        const QString changes[] = {u"Code=101"_s, QString(), u"Code=103"_s};
        const QString blocks[] = {u"316"_s, u"1"_s, u"316"_s};
        for (int i = 0; i < 3; ++i) {
            const QStringList cells = rows.at(i + 1).split(u',');
            QCOMPARE(cells.size(), 10);
            QCOMPARE(cells.at(0), QString::number(i + 1));
            // ISO 8601 local time with its offset, whatever the zone.
            static const QRegularExpression iso(u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$"_s);
            QVERIFY2(iso.match(cells.at(1)).hasMatch(), qPrintable(cells.at(1)));
            QVERIFY2(iso.match(cells.at(2)).hasMatch(), qPrintable(cells.at(2)));
            QCOMPARE(cells.at(3), QString::fromLatin1(Model.toHex()));
            QCOMPARE(cells.at(4), u"verified"_s);
            QVERIFY2(cells.at(5).endsWith(u"-unit%1.sin"_s.arg(i + 1)), qPrintable(cells.at(5)));
            QCOMPARE(cells.at(6), sha(expected[i]));
            QCOMPARE(cells.at(7), changes[i]);
            QCOMPARE(cells.at(8), blocks[i]);
            // The backup holds what the radio held before its write, in the ranges a read brings in.
            const QByteArray backup = readFile(m_dir.filePath(u"backups/"_s) + cells.at(5));
            QCOMPARE(backup.size(), MemoryImage::Size);
            for (const TransferRange &r : ReadRanges)
                QCOMPARE(backup.mid(r.start, r.end - r.start), held.at(i).mid(r.start, r.end - r.start));
        }
    }

    void aRadioOfAnotherModelIsSkippedAndKeepsNoRow()
    {
        Box box(3);
        box.identifications[1] = OtherModel;
        const QByteArray second = box.memories.at(1);
        const Run run = runBatch(box, u"Code\n101\n102\n"_s);
        QCOMPARE(box.memories.at(1), second);
        QCOMPARE(writtenRanges(box.memories.at(2)), writtenRanges(withCode(m_document, u"102"_s).bytes()));
        QCOMPARE(run.summary.count(UnitResult::Skipped), 1);
        QVERIFY(!run.summary.allGood());
        const QStringList cells = logRows(run.log).at(2).split(u',');
        QCOMPARE(cells.at(3), QString::fromLatin1(OtherModel.toHex()));
        QCOMPARE(cells.at(4), u"skipped"_s);
        QCOMPARE(cells.at(6), QString());
        QCOMPARE(cells.at(7), u"expected="_s + QString::fromLatin1(Model.toHex()));
    }

    // Next pressed for a radio still on the cable: with rows, the radio
    // already holds another radio's bytes and keeps them; without rows every
    // radio gets the same bytes and writing one again is harmless.
    void theSameRadioAgain_data()
    {
        QTest::addColumn<QString>("variations");
        QTest::addColumn<int>("skipped");
        QTest::newRow("rows") << u"Code\n101\n102\n103\n"_s << 1;
        QTest::newRow("no rows") << QString() << 0;
    }

    void theSameRadioAgain()
    {
        QFETCH(QString, variations);
        QFETCH(int, skipped);
        Box box(3);
        const QList<int> connected{0, 0, 1, 2}; // the radio each Next connects
        ScriptedPort port;
        port.radio = [&box](const QByteArray &frame, int count) { return box.answer(frame, count); };
        QString log;
        const auto made = makeLog(&log);
        BatchObserver observer;
        observer.nextConnected = [&](int unit) {
            box.current = int(connected.value(unit - 1, -1));
            return unit <= connected.size();
        };
        const BatchSummary summary = BatchRun(planOf(variations), made.get(), observer).run(port);
        QCOMPARE(summary.units.size(), 4);
        QCOMPARE(summary.count(UnitResult::Skipped), skipped);
        if (skipped == 0)
            return;
        QCOMPARE(summary.units.at(1).reason.in(Language::Eng),
                 u"not written: it holds radio 1's settings already (the same radio again?)"_s);
        QVERIFY(summary.units.at(1).changes.isEmpty());
        // Its row went to the next radio.
        for (int radio = 0; radio < 3; ++radio) {
            QCOMPARE(writtenRanges(box.memories.at(radio)),
                     writtenRanges(withCode(m_document, QString::number(101 + radio)).bytes()));
        }
    }

    void aRadioFailingMidWriteIsLoggedAndTheRunGoesOn()
    {
        Box box(3);
        box.failingRadio = 1;
        box.failAfterBlocks = 40;
        const Run run = runBatch(box, u"Code\n101\n102\n103\n"_s);
        QCOMPARE(run.summary.units.size(), 3);
        QCOMPARE(run.summary.units.at(1).result, UnitResult::Failed);
        QVERIFY2(run.summary.units.at(1).reason.in(Language::Eng).startsWith(u"partly written"_s),
                 qPrintable(run.summary.units.at(1).reason.in(Language::Eng)));
        // The failed radio used its row; the next gets the row after it.
        QCOMPARE(writtenRanges(box.memories.at(2)), writtenRanges(withCode(m_document, u"103"_s).bytes()));
        const QStringList cells = logRows(run.log).at(2).split(u',');
        QCOMPARE(cells.at(4), u"failed"_s);
        QCOMPARE(cells.at(6), sha(withCode(m_document, u"102"_s)));
        QVERIFY2(cells.at(7).startsWith(u"Code=102;partly written"_s), qPrintable(cells.at(7)));
    }

    void aStopDuringTheWriteEndsTheRunWithTheUnitPartlyWritten()
    {
        Box box(3);
        int blocks = 0;
        // The stop is asked before every block; it comes during the first radio's write.
        const Run run = runBatch(
            box, u"Code\n101\n102\n"_s,
            [&box, &blocks] {
                return box.current == 0 && box.memories.at(0) != patternBytes(MemoryImage::Size, 100) && ++blocks > 5;
            },
            false);
        QVERIFY(run.summary.stopped);
        QCOMPARE(run.summary.units.size(), 1);
        QCOMPARE(run.summary.units.at(0).result, UnitResult::Failed);
        QCOMPARE(run.summary.units.at(0).reason.in(Language::Eng), u"partly written"_s);
        const int written = run.summary.units.at(0).blocks;
        QVERIFY2(written > 0 && written < WriteBlockCount, qPrintable(QString::number(written)));
        QCOMPARE(run.prompts, 1);
        QCOMPARE(logRows(run.log).size(), 2);
        QVERIFY(logRows(run.log).at(1).endsWith(u",failed,,"_s + sha(withCode(m_document, u"101"_s))
                                                + u",Code=101;partly written,"_s + QString::number(written) + u','));
    }

    // The rows go to the radios in the order they are identified, whatever
    // the lanes; a skipped radio on one lane gives its row to a radio on another.
    void lanesShareTheRowsInTheOrderRadiosAreIdentified_data()
    {
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("skipped"); // the lane whose radio is another model; -1: none
        QTest::newRow("lanes in reverse") << QList<int>{2, 0, 1} << -1;
        QTest::newRow("the first identified is another model") << QList<int>{1, 2, 0} << 1;
        QTest::newRow("the second identified is another model") << QList<int>{0, 2, 1} << 2;
    }

    void lanesShareTheRowsInTheOrderRadiosAreIdentified()
    {
        QFETCH(QList<int>, order);
        QFETCH(int, skipped);
        IdentificationOrder turns(order);
        QList<Box> boxes{Box(1), Box(1), Box(1)};
        for (int lane = 0; lane < 3; ++lane)
            boxes[lane].beforeIdentification = [&turns, lane] { turns.awaitTurn(lane); };
        if (skipped >= 0)
            boxes[skipped].identifications[0] = OtherModel;
        // A radio's turn ends once it has its row (its backup read begins) or is skipped.
        BatchObserver observer;
        observer.step = [&turns](int, int, BatchStep step) {
            if (step == BatchStep::BackingUp)
                turns.done();
        };
        observer.unitDone = [&turns](const UnitRecord &record) {
            if (record.result == UnitResult::Skipped)
                turns.done();
        };
        BatchPlan plan = planOf(u"Code\n101\n102\n103\n"_s);
        plan.units = 3; // a skipped radio leaves rows no radio of these lanes takes
        const Run run = runLanes(boxes, plan, observer);
        QCOMPARE(run.summary.units.size(), 3);

        // The first radio identified sets the reference: a skipped first one
        // makes the others the strangers.
        const bool firstSkipped = skipped == order.first();
        int row = 101;
        QSet<int> units;
        const QStringList rows = logRows(run.log);
        QCOMPARE(rows.size(), 4);
        for (int lane : order) {
            const QString port = u"COM%1"_s.arg(lane + 1);
            const auto record = std::find_if(run.summary.units.begin(), run.summary.units.end(),
                                             [&](const UnitRecord &r) { return r.port == port; });
            QVERIFY(record != run.summary.units.end());
            units.insert(record->unit);
            QVERIFY(std::any_of(rows.begin(), rows.end(), [&](const QString &line) {
                return line.startsWith(QString::number(record->unit) + u',') && line.endsWith(u',' + port);
            }));
            const bool skip = firstSkipped ? lane != skipped : lane == skipped;
            if (skip) {
                QCOMPARE(record->result, UnitResult::Skipped);
                continue;
            }
            QCOMPARE(record->result, UnitResult::Verified);
            const QString code = QString::number(row++);
            QCOMPARE(record->changes, QStringList{u"Code="_s + code});
            QCOMPARE(writtenRanges(boxes.at(lane).memories.at(0)), writtenRanges(withCode(m_document, code).bytes()));
        }
        QCOMPARE(units, (QSet<int>{1, 2, 3}));
    }

    // A lane whose line goes away mid-write ends there, said in the summary;
    // the others finish. A stop reaches every lane at its next block.
    void aLaneThatLosesItsLineEndsAlone()
    {
        QList<Box> boxes{Box(1), Box(1), Box(1)};
        boxes[1].failingRadio = 0;
        boxes[1].failAfterBlocks = 30;
        BatchPlan plan = planOf({});
        plan.units = 3;
        const Run run = runLanes(boxes, plan);
        QCOMPARE(run.summary.lostPorts, QStringList{u"COM2"_s});
        QCOMPARE(run.summary.count(UnitResult::Verified), 2);
        QCOMPARE(run.summary.count(UnitResult::Failed), 1);
        QCOMPARE(run.summary.lostPortsText(Language::Eng),
                 u"COM2 went away; its radios ended there, the other ports went on"_s);
        for (int lane : {0, 2})
            QCOMPARE(writtenRanges(boxes.at(lane).memories.at(0)), writtenRanges(m_document.bytes()));
    }

    // Both lanes are held at their backup read's first block until both
    // are there; then the stop comes, and neither radio gets a byte.
    void aStopReachesEveryLane()
    {
        QList<Box> boxes{Box(1), Box(1)};
        std::mutex mutex;
        std::condition_variable bothReading;
        int reading = 0;
        for (Box &box : boxes) {
            box.onFirstRead = [&] {
                std::unique_lock lock(mutex);
                ++reading;
                bothReading.notify_all();
                bothReading.wait_for(lock, std::chrono::seconds(20), [&] { return reading == 2; });
            };
        }
        const QList<QByteArray> before{boxes.at(0).memories.at(0), boxes.at(1).memories.at(0)};
        BatchObserver observer;
        observer.stopRequested = [&] {
            const std::lock_guard lock(mutex);
            return reading == 2;
        };
        const Run run = runLanes(boxes, planOf(u"Code\n101\n102\n"_s), observer);
        QVERIFY(run.summary.stopped);
        QCOMPARE(run.summary.count(UnitResult::Skipped), 2);
        for (const UnitRecord &record : run.summary.units) {
            QCOMPARE(record.reason.in(Language::Eng), u"stopped before writing"_s);
            QCOMPARE(record.blocks, 0);
        }
        for (int lane : {0, 1})
            QCOMPARE(boxes.at(lane).memories.at(0), before.at(lane));
        QVERIFY(logRows(run.log).at(1).contains(u",skipped,"_s));
    }
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "tst_batchrun.moc"
