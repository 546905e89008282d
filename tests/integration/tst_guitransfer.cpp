// The Read and Write commands through the real transfer dialog, offscreen,
// against kdw-radio-sim on a pseudo-terminal.

#include "core/channels/channeltable.h"
#include "core/image/backups.h"
#include "core/image/programdoc.h"
#include "core/link/transferworker.h"
#include "core/program/globals.h"
#include "gui/dialogs/controlids.h"
#include "gui/frame/commandids.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "gui/link/transferdlg.h"
#include "guitest.h"
#include "radiosim.h"
#include "transferrun.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestGuiTransfer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readIsOneStep();
    void resumeKeepsItsPlace_data();
    void resumeKeepsItsPlace();
    void cancelRunningTransfer_data();
    void cancelRunningTransfer();
    void portThatCannotOpen_data();
    void portThatCannotOpen();
    void faultThenNextTransfer_data();
    void faultThenNextTransfer();
    void heldPortIsNamed();

private:
    CProgramApp &app() { return m_program->app; }
    DialogRun run(int command, const std::function<void(CTransferDlg &)> &whenShown = pressStart)
    {
        return runTransfer(*m_program, command, whenShown);
    }
    void restart(const QByteArray &language, bool resume);
    ChannelTable gridTable() { return gridTexts(*app().view()->grid()); }

    std::unique_ptr<Program> m_program;
};

void TestGuiTransfer::restart(const QByteArray &language, bool resume)
{
    // Each write here is one session; the check after it has its own tests.
    // A fault ends the transfer in the tests of faults; the others resume, as
    // the program does by default, so that a block a loaded machine gets too
    // late is sent again instead of failing a test that is not about the line.
    m_program.reset();
    m_program = std::make_unique<Program>("[Setup]\nLanguage=" + language
                                          + "\nCOM=COM1\nVerifyAfterWrite=0\nCheckBeforeWrite=0\n"
                                          + "ResumeAfterFault=" + (resume ? "1" : "0") + "\n");
    QVERIFY(m_program->start());
}

void TestGuiTransfer::init()
{
    restart("Eng", false);
}

void TestGuiTransfer::cleanup()
{
    m_program.reset();
    QVERIFY(!BusyGuard::held());
}

// A read is one undo step: undo brings back the document as it was, grid
// too, and redo the radio's bytes. (What a read brings in and what its dialog
// shows: faultThenNextTransfer and resumeKeepsItsPlace; a whole write and the
// document it leaves alone: cancelRunningTransfer and the safe-transfer tests.)
void TestGuiTransfer::readIsOneStep()
{
    restart("Eng", true);
    const MemoryImage radio = patternImage(12);
    RadioSim sim({}, radio, m_program->dir.path());
    QVERIFY(sim.isRunning());
    const MemoryImage before = m_program->showImage(filledImage(0x5A));
    const MemoryImage expected = overlay(before, radio, ReadRanges);
    run(cmd::Read);
    QVERIFY(app().document()->image() == expected);
    m_program->action(cmd::EditUndo)->trigger();
    QVERIFY(app().document()->image() == before);
    QVERIFY(gridTable() == channelTable(before, Language::Eng));
    m_program->action(cmd::EditRedo)->trigger();
    QVERIFY(app().document()->image() == expected);
}

void TestGuiTransfer::resumeKeepsItsPlace_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<int>("place"); // the bar's value when the line failed
    QTest::addColumn<QString>("notice");
    QTest::newRow("read, silence at block 160, Eng") << QByteArray("Eng") << true << texts(u"--silence|159") << 159
                                                     << u"Connection lost at block 160 of 318. Resuming (1 of 3)…"_qs;
    QTest::newRow("write, NAK at block 201, Chs")
        << QByteArray("Chs") << false << texts(u"--nak|200") << 200
        << u"连接在第 201 块（共 316 块）处中断。正在续传（第 1 次，共 3 次）…"_qs;
    QTest::newRow("read, short answer at block 2, Cht")
        << QByteArray("Cht") << true << texts(u"--short|1") << 1
        << u"連接在第 2 塊（共 318 塊）處中斷。正在續傳（第 1 次，共 3 次）…"_qs;
}

// A fault on the line: the status line says so, the bar stays where it was,
// and the transfer ends as a clean one would.
void TestGuiTransfer::resumeKeepsItsPlace()
{
    QFETCH(QByteArray, language);
    QFETCH(bool, read);
    QFETCH(QStringList, fault);
    QFETCH(int, place);
    QFETCH(QString, notice);
    restart(language, true);
    const MemoryImage radio = patternImage(22);
    RadioSim sim(fault, radio, m_program->dir.path());
    QVERIFY(sim.isRunning());
    const MemoryImage before = m_program->showImage(patternImage(43));
    QStringList notices;
    QList<int> places;
    MessageRecorder messages;
    const DialogRun done = run(read ? cmd::Read : cmd::Write, [&](CTransferDlg &dialog) {
        pressStart(dialog);
        auto *worker = dialog.findChild<TransferWorker *>();
        QVERIFY(worker);
        // Queued after the dialog's own handler: the line shows the notice.
        connect(worker, &TransferWorker::resuming, this, [&notices, &places, &dialog] {
            notices << dialog.item<QLabel>(ctl::transfer::Status)->text();
            places << dialog.item<QProgressBar>(ctl::transfer::Progress)->value();
        });
    });
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join(u'|') + sim.logTail()));
    QCOMPARE(notices, QStringList{notice});
    QCOMPARE(places, QList<int>{place});
    QCOMPARE(done.progressMaximum, read ? 318 : 316);
    QCOMPARE(done.finalPercentage, u"100%"_qs);
    QCOMPARE(sim.hostBytes().count("\x02PROGRAM\x02"), 2); // the session and its resume, each identified
    if (read) {
        QVERIFY(app().document()->image() == overlay(before, radio, ReadRanges));
        QVERIFY(app().document()->IsModified());
    } else {
        QCOMPARE(sim.savedMemory(), overlay(radio, before, WriteRanges).bytes());
    }
}

void TestGuiTransfer::cancelRunningTransfer_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("at");      // blocks done when the user cancels; -1: before Start
    QTest::addColumn<bool>("escape"); // else the Cancel button
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QStringList>("messages");
    const QString question = u"Stop the write? The radio's memory will be partly written and must be written "
                             "again before use."_qs;
    QTest::newRow("read, Cancel before Start") << true << -1 << false << QMessageBox::NoButton << QStringList{};
    QTest::newRow("read, Cancel") << true << 20 << false << QMessageBox::NoButton << QStringList{};
    QTest::newRow("write, Cancel, stopped")
        << false << 20 << false << QMessageBox::Yes
        << QStringList{question, u"The write was cancelled.\nThe radio's memory is now partly written and must be "
                                 "written again before use."_qs};
    QTest::newRow("write, Escape, not stopped") << false << 20 << true << QMessageBox::No << QStringList{question};
}

// Cancelled before Start nothing goes to the radio; a read stops and changes
// nothing; a write asks first, and once stopped says the radio is partly
// written. The port is free again afterwards.
void TestGuiTransfer::cancelRunningTransfer()
{
    QFETCH(bool, read);
    QFETCH(int, at);
    QFETCH(bool, escape);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QStringList, messages);
    restart("Eng", true);
    const MemoryImage radio = patternImage(23);
    RadioSim sim({}, radio, m_program->dir.path());
    QVERIFY(sim.isRunning());
    const MemoryImage before = m_program->showImage(patternImage(44));
    MessageRecorder recorder;
    recorder.answers = {answer};
    bool pressed = false;
    const DialogRun cancelled = run(read ? cmd::Read : cmd::Write, [&](CTransferDlg &dialog) {
        const auto press = [&pressed, &dialog, escape] {
            pressed = true;
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.item<QPushButton>(ctl::Cancel), Qt::LeftButton);
        };
        if (at < 0)
            return press();
        pressStart(dialog);
        auto *worker = dialog.findChild<TransferWorker *>();
        QVERIFY(worker);
        // Counted in the worker's thread, which waits while Cancel is pressed:
        // the press reaches the transfer at its block however late the
        // window's thread gets to run on a loaded machine.
        connect(
            worker, &TransferWorker::blockDone, this,
            [this, &pressed, done = 0, at, press]() mutable {
                if (!pressed && ++done >= at)
                    QMetaObject::invokeMethod(this, press, Qt::BlockingQueuedConnection);
            },
            Qt::DirectConnection);
    });
    QVERIFY(pressed);
    QVERIFY2(recorder.texts == messages, qPrintable(recorder.texts.join(u'|')));
    const bool stopped = answer != QMessageBox::No;
    QCOMPARE(cancelled.finalPercentage == u"100%"_qs, !stopped);
    QVERIFY(app().document()->image() == before);
    QCOMPARE(app().document()->IsModified(), false);
    // A stopped write leaves the radio partly written: neither as it was nor the document.
    if (stopped && !read)
        QVERIFY(sim.savedMemory() != QByteArray() && sim.savedMemory() != overlay(radio, before, WriteRanges).bytes());
    else
        QCOMPARE(sim.savedMemory(), stopped ? QByteArray() : overlay(radio, before, WriteRanges).bytes());
    if (at < 0) {
        QCOMPARE(cancelled.finalPercentage, u"0%"_qs);
        QCOMPARE(sim.hostBytes(), QByteArray());
    }

    const DialogRun next = run(read ? cmd::Read : cmd::Write);
    QCOMPARE(next.finalPercentage, u"100%"_qs);
}

void TestGuiTransfer::portThatCannotOpen_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("reason"); // a part of the line below the message
    // read caption, write caption, Start, Cancel, message, the menu item the last line points to
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("Eng, absent device")
        << QByteArray("Eng") << u"/nonexistent/ttyKDW"_qs << u"Could not open /nonexistent/ttyKDW: "_qs
        << texts(u"Read Data|Write Data|Start|Cancel|Could not open the port|Program > Check Cable and Radio...");
    QTest::newRow("Chs, no port") << QByteArray("Chs") << QString() << u"未选择串口"_qs
                                  << texts(u"读数据|写数据|开始|取消|无法打开串口|编程 > 检查数据线和对讲机...");
    QTest::newRow("Cht, not a terminal") << QByteArray("Cht") << u"/dev/null"_qs << u"無法開啟 /dev/null："_qs
                                         << texts(u"讀數據|寫數據|開始|取消|無法打開串口|編程 > 檢查傳輸線和對講機...");
}

void TestGuiTransfer::portThatCannotOpen()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, port);
    QFETCH(QString, reason);
    QFETCH(QStringList, texts);
    restart(language, false);
    app().context().port = port;
    const MemoryImage before = m_program->showImage(patternImage(33));
    MessageRecorder messages;
    QStringList buttons;
    const DialogRun read = run(cmd::Read, [&](CTransferDlg &dialog) {
        buttons << dialog.item<QPushButton>(ctl::transfer::Start)->text()
                << dialog.item<QPushButton>(ctl::Cancel)->text();
        pressStart(dialog);
    });
    const DialogRun write = run(cmd::Write);
    QCOMPARE((QStringList{read.caption, write.caption} + buttons), texts.mid(0, 4));
    QCOMPARE(messages.texts.size(), 2);
    for (const QString &text : messages.texts) {
        QCOMPARE(text.section(u'\n', 0, 0), texts.at(4));
        QVERIFY2(text.section(u'\n', 1, 1).contains(reason), qPrintable(text));
        QVERIFY2(text.section(u'\n', -1).startsWith(texts.at(5)), qPrintable(text));
    }
    QVERIFY(app().document()->image() == before);
    QVERIFY(!app().document()->IsModified());
}

void TestGuiTransfer::faultThenNextTransfer_data()
{
    addFaultRows();
}

// The right message, the image, grid and modified mark untouched after a
// failed read, and the port released so that the next transfer works.
void TestGuiTransfer::faultThenNextTransfer()
{
    QFETCH(bool, read);
    QFETCH(QStringList, simArgs);
    QFETCH(bool, fails);
    QFETCH(bool, staysOff);
    QFETCH(QString, says);
    const MemoryImage radio = patternImage(21);
    RadioSim sim(simArgs, radio, m_program->dir.path());
    QVERIFY(sim.isRunning());
    const MemoryImage before = m_program->showImage(patternImage(42));
    const ChannelTable gridBefore = gridTable();
    const MemoryImage readIn = overlay(before, radio, ReadRanges);
    const bool changes = read && !fails;
    const QStringList failed{u"Communication error"_qs};
    const QStringList succeeded;

    MessageRecorder messages;
    run(read ? cmd::Read : cmd::Write);
    const QString first = messages.texts.value(0);
    QVERIFY2(fails ? messages.texts.size() == 1 && first.section(u'\n', 0, 0) == failed.first()
                   : messages.texts == succeeded,
             qPrintable(messages.texts.join(u'|') + u'\n' + sim.logTail()));
    QVERIFY2(saysAll(first.section(u'\n', 1), says), qPrintable(first));
    QVERIFY(app().document()->image() == (changes ? readIn : before));
    QVERIFY(gridTable() == (changes ? channelTable(readIn, Language::Eng) : gridBefore));
    QCOMPARE(app().document()->IsModified(), changes);
    // After the dialog and its message the keys reach the main window (Ctrl+R).
    QVERIFY(QTest::qWaitForWindowActive(app().mainFrame()));

    messages.texts.clear();
    const DialogRun next = run(read ? cmd::Read : cmd::Write);
    QVERIFY2(staysOff ? messages.texts.value(0).startsWith(failed.first()) : messages.texts == succeeded,
             qPrintable(messages.texts.join(u'|') + u'\n' + sim.logTail()));
    QCOMPARE(next.finalPercentage, staysOff ? u"0%"_qs : u"100%"_qs);
    QVERIFY(app().document()->image() == (read && !staysOff ? readIn : before));
}

// A read that finds no radio while another program has the port open names
// that program, as Check Cable and Radio does, and gives no advice about the cable.
void TestGuiTransfer::heldPortIsNamed()
{
    RadioSim sim({u"--no-answer"_qs}, patternImage(), m_program->dir.path());
    QVERIFY(sim.isRunning());
    QProcess holder;
    QVERIFY(holdTerminal(holder, sim.terminal()));
    MessageRecorder messages;
    run(cmd::Read);
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(messages.texts.first().section(u'\n', 1, 1),
             u"%1 is open in another program, sleep (pid %2), which takes the radio's answers: close that program."_qs
                 .arg(sim.terminal())
                 .arg(holder.processId()));
    holder.kill();
    QVERIFY(holder.waitForFinished());
}

QTEST_MAIN(TestGuiTransfer)
#include "tst_guitransfer.moc"
