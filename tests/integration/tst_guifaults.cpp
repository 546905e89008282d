// Every fault of the simulated radio at every stage, through the real
// transfer dialog: the right message, no hang, the image untouched after a
// failed read, and the port released so that the next transfer works.

#include "app/globals.h"
#include "app/programapp.h"
#include "channels/programview.h"
#include "dialogdriver.h"
#include "faultcases.h"
#include "guitest.h"
#include "image/programdoc.h"
#include "radiosim.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;

Q_DECLARE_METATYPE(kdw::TransferDirection)

namespace {
// Generous: the slowest failure waits out four wake-up attempts or one read
// time-out, far below this.
constexpr qint64 HangBoundMs = 20000;
} // namespace

class TestGuiFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void faultAtEveryStage_data();
    void faultAtEveryStage();

private:
    std::unique_ptr<ProgramDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;
};

void TestGuiFaults::initTestCase()
{
    m_dir = std::make_unique<ProgramDir>("[Setup]\nLanguage=Eng\nCOM=COM1\n");
    m_app = std::make_unique<CProgramApp>(m_dir->path());
    QVERIFY(m_app->InitInstance({u"Program"_qs}));
}

void TestGuiFaults::cleanupTestCase()
{
    m_app.reset();
    m_dir.reset();
}

void TestGuiFaults::faultAtEveryStage_data()
{
    QTest::addColumn<TransferDirection>("direction");
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<bool>("transferFails");
    QTest::addColumn<bool>("radioStaysOff");
    for (TransferDirection direction : {TransferDirection::Read, TransferDirection::Write}) {
        const char *verb = direction == TransferDirection::Read ? "read" : "write";
        for (const FaultCase &c : faultCases(direction)) {
            QTest::addRow("%s, %s", verb, qPrintable(c.name))
                << direction << c.simArgs << c.transferFails << c.radioStaysOff;
        }
    }
}

void TestGuiFaults::faultAtEveryStage()
{
    QFETCH(TransferDirection, direction);
    QFETCH(QStringList, simArgs);
    QFETCH(bool, transferFails);
    QFETCH(bool, radioStaysOff);
    const bool read = direction == TransferDirection::Read;
    const int command = read ? cmd::Read : cmd::Write;
    const MemoryImage radio = patternImage(21);
    RadioSim sim(simArgs, radio, m_dir->path());
    QVERIFY(sim.isRunning());

    const MemoryImage before = showImage(*m_app, patternImage(42));
    const ChannelTable gridBefore = gridTable(*m_app->view());
    m_app->document()->SetModifiedFlag(false);
    const QStringList failed{u"Communication error"_qs};

    MessageRecorder messages;
    DialogRun run = runTransferCommand(*m_app->mainFrame(), command);
    QVERIFY(run.shown);
    QVERIFY2(run.elapsedMs < HangBoundMs, qPrintable(QString::number(run.elapsedMs)));
    QVERIFY2(messages.texts == (transferFails ? failed : QStringList()), qPrintable(sim.logTail()));
    QCOMPARE(busyFlag().load(), 0);
    if (read && !transferFails) {
        QVERIFY(readRangesEqual(theImage(), radio));
        QVERIFY(gridTable(*m_app->view()) == channelTable(radio, 0));
        QVERIFY(m_app->document()->IsModified());
    } else {
        // A failed read leaves no trace: image, grid and modified mark are
        // as they were. A write never changes them.
        QVERIFY(theImage() == before);
        QVERIFY(gridTable(*m_app->view()) == gridBefore);
        QCOMPARE(m_app->document()->IsModified(), false);
    }

    // The port was closed: the next transfer opens it and runs in full.
    messages.texts.clear();
    showImage(*m_app, before);
    run = runTransferCommand(*m_app->mainFrame(), command);
    QVERIFY(run.elapsedMs < HangBoundMs);
    QVERIFY2(messages.texts == (radioStaysOff ? failed : QStringList()), qPrintable(sim.logTail()));
    if (radioStaysOff)
        return;
    QCOMPARE(run.finalPercentage, u"100%"_qs);
    if (read) {
        QVERIFY(readRangesEqual(theImage(), radio));
    } else {
        const QByteArray saved = sim.savedMemory();
        QCOMPARE(saved.size(), MemoryImage::Size);
        MemoryImage radioNow;
        radioNow.copyIn(saved);
        QVERIFY(writeRangesEqual(radioNow, theImage()));
    }
}

QTEST_MAIN(TestGuiFaults)
#include "tst_guifaults.moc"
