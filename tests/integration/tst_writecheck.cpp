// The channel check before a write, through the windows against kdw-radio-sim:
// a plan with mistakes is written only after Write Anyway, and Program.ini's
// CheckBeforeWrite=0 writes without asking.

#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/image/transferranges.h"
#include "core/program/globals.h"
#include "gui/dialogs/controlids.h"
#include "gui/frame/commandids.h"
#include "gui/grid/findingslist.h"
#include "gui/link/batchdlg.h"
#include "gui/link/transferdlg.h"
#include "gui/link/writecheckdlg.h"
#include "guitest.h"
#include "radiosim.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

// The factory channels; with a mistake, channel 5 a copy of channel 3.
MemoryImage factoryChannels(bool duplicate)
{
    MemoryImage image = factoryImage();
    if (duplicate)
        image.copyIn(region::channelRecord(5), image.bytes(region::channelRecord(3), region::ChannelRecordSize));
    return image;
}

enum class Answer { None, Enter, WriteAnyway };

// Stands in for the user while it lives: answers the question before a write
// as told, noting the channels of its findings, and presses Start in a
// transfer dialog; a batch window is noted and closed.
class Pilot : public QObject
{
public:
    explicit Pilot(Answer answer)
        : m_answer(answer)
    {
        connect(&m_poll, &QTimer::timeout, this, &Pilot::look);
        m_poll.start(5);
    }

    QStringList asked; // the question's finding rows
    bool transferOpened = false;
    bool batchOpened = false;

private:
    void look()
    {
        // A dialog is answered once it is the active window: an Alt+letter
        // shortcut reaches only the active window, and a dialog just shown
        // may not be active yet on a slow run.
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !modal->isActiveWindow() || modal == m_seen)
            return;
        m_seen = modal;
        if (auto *question = qobject_cast<CWriteCheckDlg *>(modal)) {
            const QTreeWidgetItem *warnings = question->findingsList()->topLevelItem(0);
            for (int r = 0; r < warnings->childCount(); ++r)
                asked.append(warnings->child(r)->text(0));
            if (m_answer == Answer::WriteAnyway)
                QTest::keyClick(question, Qt::Key_W, Qt::AltModifier);
            else
                QTest::keyClick(question->focusWidget() ? question->focusWidget() : question, Qt::Key_Return);
        } else if (auto *transfer = qobject_cast<CTransferDlg *>(modal)) {
            transferOpened = true;
            QTest::mouseClick(transfer->item<QPushButton>(ctl::transfer::Start), Qt::LeftButton);
        } else if (auto *batch = qobject_cast<CBatchDlg *>(modal)) {
            batchOpened = true;
            batch->reject();
        }
    }

    Answer m_answer;
    QTimer m_poll;
    QWidget *m_seen = nullptr;
};

} // namespace

class TestWriteCheck : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(!BusyGuard::held()); }
    void writeAsksFirst_data();
    void writeAsksFirst();
    void batchAsksOnce();
};

void TestWriteCheck::writeAsksFirst_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("duplicate");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("listed"); // the question's rows; empty: not asked
    QTest::addColumn<bool>("written");
    const QByteArray on = "[Setup]\nLanguage=Eng\nCOM=COM1\nVerifyAfterWrite=0\n";
    const QByteArray off = on + "CheckBeforeWrite=0\n";
    const QStringList both{u"3, 5"_s};
    QTest::newRow("Enter cancels: nothing written") << on << true << int(Answer::Enter) << both << false;
    QTest::newRow("Write Anyway writes") << on << true << int(Answer::WriteAnyway) << both << true;
    QTest::newRow("a clean plan is not asked about") << on << false << int(Answer::None) << QStringList() << true;
    QTest::newRow("check turned off") << off << true << int(Answer::None) << QStringList() << true;
}

void TestWriteCheck::writeAsksFirst()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, duplicate);
    QFETCH(int, answer);
    QFETCH(QStringList, listed);
    QFETCH(bool, written);
    Program program(ini);
    QVERIFY(program.start());
    RadioSim sim({}, patternImage(3), program.dir.path());
    QVERIFY(sim.isRunning());
    const MemoryImage document = program.showImage(factoryChannels(duplicate));

    Pilot pilot{Answer(answer)};
    program.action(cmd::Write)->trigger();
    QCOMPARE(pilot.asked, listed);
    QCOMPARE(pilot.transferOpened, written);
    QCOMPARE(sim.savedMemory(), written ? overlay(patternImage(3), document, WriteRanges).bytes() : QByteArray());
}

// Program Several Radios asks before its window opens, once for every radio:
// they all get the same channels.
void TestWriteCheck::batchAsksOnce()
{
    Program program("[Setup]\nLanguage=Eng\nCOM=COM1\n");
    QVERIFY(program.start());
    program.showImage(factoryChannels(true));
    for (const Answer answer : {Answer::Enter, Answer::WriteAnyway}) {
        Pilot pilot{answer};
        program.action(cmd::ProgramSeveral)->trigger();
        QCOMPARE(pilot.asked, QStringList{u"3, 5"_s});
        QCOMPARE(pilot.batchOpened, answer == Answer::WriteAnyway);
    }
}

QTEST_MAIN(TestWriteCheck)
#include "tst_writecheck.moc"
