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
        if (frame == QByteArray("M\x02", 2))
            return identifications.at(current);
        if (frame.size() == 12 && frame.at(0) == 'W' && current == failingRadio && writtenBlocks++ >= failAfterBlocks)
            return {};
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

    // Runs three radios' worth of rows over `box`, connecting radio N when asked for it.
    Run runBatch(Box &box, const QString &variations, std::function<bool()> stop = {}, bool backup = true)
    {
        ScriptedPort port;
        port.radio = [&box](const QByteArray &frame, int count) { return box.answer(frame, count); };
        BatchPlan plan;
        plan.document = m_document;
        const VariationsRead read = parseVariations(variations);
        if (!read)
            qFatal("bad variations in the test: %s", qPrintable(*read.error));
        plan.variations = read.units;
        plan.backup = backup;
        plan.maxResumes = 0;
        plan.backupDirectory = m_dir.filePath(u"backups/"_s);
        plan.programDirectory = m_dir.path() + u'/';
        static int runs = 0;
        const QString logPath = m_dir.filePath(u"log%1.csv"_s.arg(++runs));
        QString error;
        auto log = BatchLog::create(logPath, &error);
        if (!log)
            qFatal("cannot make the log: %s", qPrintable(error));
        Run run;
        BatchObserver observer;
        observer.nextConnected = [&box, &run](int unit) {
            ++run.prompts;
            box.current = unit - 1;
            return unit <= box.memories.size();
        };
        observer.stopRequested = std::move(stop);
        run.summary = BatchRun(plan, log.get(), observer).run(port);
        run.log = logPath;
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
            // The backup holds what the radio held before its write.
            const QByteArray backup = readFile(m_dir.filePath(u"backups/"_s) + cells.at(5));
            QCOMPARE(backup.size(), MemoryImage::Size);
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
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "tst_batchrun.moc"
