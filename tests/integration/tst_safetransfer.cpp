// Verify after write, backups, Compare with Radio, the questions before a
// write (the channel check, another radio) and the title after a read,
// through the windows, offscreen, against kdw-radio-sim on a pseudo-terminal.

#include "core/image/backups.h"
#include "core/image/blocklist.h"
#include "core/image/identification.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/link/transferworker.h"
#include "core/program/globals.h"
#include "gui/dialogs/backuplistdlg.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/diffdlg.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/findingslist.h"
#include "gui/grid/programview.h"
#include "gui/link/batchdlg.h"
#include "gui/link/transferdlg.h"
#include "gui/link/writecheckdlg.h"
#include "guitest.h"
#include "modal.h"
#include "radiosim.h"

#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace kdw;
using namespace kdw::test;

namespace {

// Stands in for the user while it lives: presses Start in every transfer
// dialog, notes its caption when it closes, and answers the list of
// differences with the button of the text given (Close when none); answers
// the question before a write with Enter (Cancel) or Write Anyway, noting its
// findings' channels; notes and closes a batch window. Told a key, it answers
// message boxes too (Qt::Key_Y: a click on Yes), noting their texts.
class Autopilot : public QObject
{
public:
    explicit Autopilot(QString diffAnswer = {}, bool writeAnyway = false)
        : m_diffAnswer(std::move(diffAnswer))
        , m_writeAnyway(writeAnyway)
    {
        connect(&m_poll, &QTimer::timeout, this, &Autopilot::look);
        m_poll.start(2);
    }

    QStringList captions;      // of each transfer dialog, as it closed
    QStringList startCaptions; // of each, when Start was pressed
    QList<int> progressMaxima; // of each, when Start was pressed
    QList<int> closingMaxima;  // of each, as it closed
    QStringList steps;         // the status line as each step's blocks finish, once per step
    QString diffCaption;       // of the list of differences
    QString diffMessage;
    QList<QStringList> diffRows; // its table, row by row
    QStringList diffHeadings;
    QStringList asked; // the channels of the findings the question before a write listed
    bool batchOpened = false;
    QStringList statuses; // each transfer dialog's status line as it closed
    QStringList boxes;    // the texts of the message boxes answered
    int boxKey = 0;       // the key that answers a message box; 0: none is answered
    int resumes = 0;      // sessions begun again after a fault on the line

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        // An Alt+letter reaches only the active window, and a dialog just
        // shown may not be active yet on a slow run.
        if (auto *question = qobject_cast<CWriteCheckDlg *>(modal);
            question && question->isActiveWindow() && question != m_asked) {
            m_asked = question;
            const QTreeWidgetItem *warnings = question->findingsList()->topLevelItem(0);
            for (int r = 0; r < warnings->childCount(); ++r)
                asked.append(warnings->child(r)->text(0));
            if (m_writeAnyway)
                QTest::keyClick(question, Qt::Key_W, Qt::AltModifier);
            else
                QTest::keyClick(question->focusWidget() ? question->focusWidget() : question, Qt::Key_Return);
            return;
        }
        if (auto *box = qobject_cast<QMessageBox *>(modal); box && boxKey && box != m_box) {
            m_box = box;
            boxes.append(box->text());
            if (boxKey == Qt::Key_Y)
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            else
                QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key(boxKey));
            return;
        }
        if (auto *batch = qobject_cast<CBatchDlg *>(modal)) {
            batchOpened = true;
            batch->reject();
            return;
        }
        auto *dialog = qobject_cast<CTransferDlg *>(modal);
        if (dialog && dialog->isVisible() && dialog != m_started) {
            // One dialog after another may take the same address.
            m_started = dialog;
            startCaptions.append(dialog->windowTitle());
            connect(dialog, &QDialog::finished, this, [this, dialog] {
                captions.append(dialog->windowTitle());
                statuses.append(dialog->item<QLabel>(ctl::transfer::Status)->text());
                closingMaxima.append(dialog->item<QProgressBar>(ctl::transfer::Progress)->maximum());
                m_started = nullptr;
            });
            progressMaxima.append(dialog->item<QProgressBar>(ctl::transfer::Progress)->maximum());
            QTest::mouseClick(dialog->item<QPushButton>(ctl::transfer::Start), Qt::LeftButton);
            if (auto *worker = dialog->findChild<TransferWorker *>()) {
                connect(worker, &TransferWorker::blockDone, this, [this, dialog] { noteStep(*dialog); });
                connect(worker, &TransferWorker::resuming, this, [this] { ++resumes; });
            }
        } else if (auto *diff = qobject_cast<CDiffDlg *>(modal); diff && diff->isVisible()) {
            answerDiff(*diff);
        }
    }

    void noteStep(const CTransferDlg &dialog)
    {
        const QString step = dialog.item<QLabel>(ctl::transfer::Status)->text();
        if (steps.value(steps.size() - 1) != step)
            steps << step;
    }

    void answerDiff(CDiffDlg &dialog)
    {
        diffCaption = dialog.windowTitle();
        diffMessage = dialog.findChild<QLabel *>(QStringLiteral("message"))->text();
        const QTableWidget *table = dialog.table();
        for (int c = 0; c < table->columnCount(); ++c)
            diffHeadings.append(table->horizontalHeaderItem(c)->text());
        diffRows = tableTexts(*table);
        for (auto *button : dialog.findChildren<QPushButton *>()) {
            if (button->text() == m_diffAnswer || (m_diffAnswer.isEmpty() && button->isDefault())) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        dialog.reject();
    }

    QString m_diffAnswer;
    bool m_writeAnyway;
    QTimer m_poll;
    QObject *m_started = nullptr;
    QObject *m_asked = nullptr;
    QObject *m_box = nullptr;
};

// A memory with channel 2 at 462.12500 MHz on a pattern.
MemoryImage withChannel2(quint8 seed)
{
    MemoryImage image = patternImage(seed);
    image.copyIn(region::channelRecord(2), QByteArray::fromHex("0025214600252146850823807D010203"));
    return image;
}

} // namespace

class TestSafeTransfer : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void verifyAfterWrite_data();
    void verifyAfterWrite();
    void backups();
    void rewriteSendsWhatChanged_data();
    void rewriteSendsWhatChanged();
    void backupReadFailsNothingWritten();
    void compareWithRadio_data();
    void compareWithRadio();
    void busyKeepsSecondSessionOut();
    void writeAsksFirst_data();
    void writeAsksFirst();
    void otherRadioAsksFirst_data();
    void otherRadioAsksFirst();
    void readIntoAFileIsShownUntilSaved_data();
    void readIntoAFileIsShownUntilSaved();

private:
    // Program.ini: the language, COM1 and `setup`'s lines of [Setup].
    void start(const QByteArray &language = "Eng", const QByteArray &setup = "CheckBeforeWrite=0\n");
    CProgramApp &app() { return m_program->app; }
    QStringList backupNames() const { return backupFiles(m_program->dir.path() + u"backups/"_qs); }
    QByteArray backup(const QString &name) const { return m_program->dir.read(u"backups/"_qs + name); }

    std::unique_ptr<Program> m_program;
};

void TestSafeTransfer::start(const QByteArray &language, const QByteArray &setup)
{
    m_program = std::make_unique<Program>("[Setup]\nLanguage=" + language + "\nCOM=COM1\n" + setup);
    QVERIFY(m_program->start());
}

void TestSafeTransfer::cleanup()
{
    m_program.reset();
    QVERIFY(!BusyGuard::held());
}

void TestSafeTransfer::verifyAfterWrite_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("caption"); // of the list of differences; empty: no list
    QTest::addColumn<QString>("message"); // above the list
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QStringList>("messages"); // of the message boxes
    const QStringList corrupt{u"--corrupt"_qs, u"0x0010"_qs}, none;
    QTest::newRow("one byte wrong, Eng") << QByteArray("Eng") << corrupt << u"Verify Result"_qs
                                         << u"The radio does not hold the document: after the write these differ.\n"
                                            "Write the document to the radio again."_qs
                                         << texts(u"Where|What|Written|The radio")
                                         << texts(u"CH 2|Rx Freq|462.12500|462.12501") << none;
    QTest::newRow("one byte wrong, Chs")
        << QByteArray("Chs") << corrupt << u"校验结果"_qs
        << u"对讲机中的内容与文档不符：写入后以下各项不同。\n请将文档再次写入对讲机。"_qs
        << texts(u"位置|项目|写入的|对讲机") << texts(u"信道 2|接收频率|462.12500|462.12501") << none;
    // The radio needs longer than the check waits: the write went through and
    // the message says so, never that the write failed.
    QTest::newRow("no answer to the check")
        << QByteArray("Eng") << texts(u"--rest-after-write|100") << QString() << QString() << none << none
        << QStringList{u"The write succeeded, but the radio did not answer the check that follows "
                       "it. Read the radio to see what it holds."_qs};
}

// The check after a write reads the radio back in a session of its own and
// names what differs, in the running language.
void TestSafeTransfer::verifyAfterWrite()
{
    QFETCH(QByteArray, language);
    QFETCH(QStringList, faults);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, row);
    QFETCH(QStringList, messages);
    start(language);
    RadioSim sim(faults, patternImage(3), m_program->dir.path());
    QVERIFY(sim.isRunning());
    const MemoryImage written = m_program->showImage(withChannel2(8));

    MessageRecorder recorder;
    Autopilot pilot;
    m_program->action(cmd::Write)->trigger();
    QCOMPARE(recorder.texts, messages);
    QCOMPARE(pilot.captions.size(), 1);
    QCOMPARE(pilot.diffCaption, caption);
    QCOMPARE(pilot.diffMessage, message);
    QCOMPARE(pilot.diffHeadings, headings);
    QCOMPARE(pilot.diffRows, row.isEmpty() ? QList<QStringList>() : QList<QStringList>{row});
    QVERIFY(app().document()->image() == written);
    MemoryImage kept = overlay(patternImage(3), written, WriteRanges);
    if (faults.contains(u"--corrupt"_qs))
        kept.setByte(0x0010, quint8(kept.byte(0x0010) ^ 1)); // stored with its lowest bit flipped
    QCOMPARE(sim.savedMemory(), kept.bytes());
}

// Every read keeps what the radio sent; with Back Up Before Write on (kept in
// Program.ini) a write first keeps what the radio held. Verify off: no check.
void TestSafeTransfer::backups()
{
    start();
    const MemoryImage radio = patternImage(5);
    RadioSim sim({}, radio, m_program->dir.path());
    QVERIFY(sim.isRunning());
    QVERIFY(m_program->action(cmd::VerifyAfterWrite)->isChecked());
    QVERIFY(!m_program->action(cmd::BackupBeforeWrite)->isChecked());
    QVERIFY(m_program->action(cmd::ResumeAfterFault)->isChecked());
    m_program->action(cmd::VerifyAfterWrite)->trigger();
    m_program->action(cmd::BackupBeforeWrite)->trigger();
    const QByteArray ini = m_program->dir.read(u"Program.ini"_qs);
    QVERIFY2(ini.contains("VerifyAfterWrite=0") && ini.contains("BackupBeforeWrite=1"), ini.constData());

    MessageRecorder messages;
    int resumes = 0;
    {
        Autopilot pilot;
        m_program->showImage(patternImage(6));
        m_program->action(cmd::Read)->trigger();
        QCOMPARE(pilot.captions, QStringList{u"Read Data"_qs});
        resumes += pilot.resumes;
    }
    const QStringList afterRead = backupNames();
    QCOMPARE(afterRead.size(), 1);
    QVERIFY2(afterRead.first().endsWith(u"-read.sin"), qPrintable(afterRead.first()));
    QCOMPARE(backup(afterRead.first()), radioBytes(radio, m_program->dir.path()).bytes());

    const MemoryImage written = m_program->showImage(withChannel2(7));
    {
        Autopilot pilot;
        m_program->action(cmd::Write)->trigger();
        // One Start: the backup read and the write in one dialog, the steps
        // named under one bar, the radio below them, and no check after the write.
        QCOMPARE(pilot.captions, QStringList{u"Write Data"_qs});
        QCOMPARE(pilot.progressMaxima, QList<int>{318 + 316});
        const QString radio = u"\nRadio: \"KDW417..\" (4B 44 57 34 31 37 01 00)"_qs;
        QCOMPARE(pilot.steps, (QStringList{u"Reading the radio for the backup…"_qs + radio, u"Writing…"_qs + radio}));
        resumes += pilot.resumes;
    }
    QCOMPARE(messages.texts, QStringList());
    // Both backups may carry the same second: find the new one by its kind.
    const QStringList afterWrite = backupNames();
    QCOMPARE(afterWrite.size(), 2);
    const QStringList beforeWrite = afterWrite.filter(u"-before-write.sin"_qs);
    QVERIFY2(beforeWrite.size() == 1 && afterWrite.contains(afterRead.first()), qPrintable(afterWrite.join(u' ')));
    QCOMPARE(backup(beforeWrite.first()), radioBytes(radio, m_program->dir.path()).bytes());
    QCOMPARE(sim.savedMemory(), overlay(radio, written, WriteRanges).bytes());
    // Identified for the read, the backup and the write, and again for each
    // session a loaded machine made resume.
    QCOMPARE(sim.hostBytes().count("\x02PROGRAM\x02"), 3 + resumes);
}

void TestSafeTransfer::rewriteSendsWhatChanged_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<bool>("changedOnly"); // Program > Write Only Changed Blocks
    QTest::addColumn<QList<int>>("edits"); // addresses where the radio differs from the document
    QTest::addColumn<int>("sent");         // blocks written
    QTest::addColumn<QStringList>("messages");
    const QList<int> three{region::channelRecord(3) + 1, region::channelRecord(40) + 9, 0x0C90 + 98 * 8};
    QTest::newRow("three channels differ") << QByteArray("Eng") << true << three << 3 << texts(u"Write verified");
    QTest::newRow("nothing differs, Chs")
        << QByteArray("Chs") << true << QList<int>{} << 0 << texts(u"对讲机中已是该文档的内容：没有写入任何内容。");
    QTest::newRow("the item off: the whole table")
        << QByteArray("Eng") << false << three << 316 << texts(u"Write verified");
}

// A write backed up first sends only the blocks in which the radio just read
// differs from the document, verifies those, and leaves the radio as a whole
// write would; the bar counts what is sent.
void TestSafeTransfer::rewriteSendsWhatChanged()
{
    QFETCH(QByteArray, language);
    QFETCH(bool, changedOnly);
    QFETCH(QList<int>, edits);
    QFETCH(int, sent);
    QFETCH(QStringList, messages);
    start(language, "CheckBeforeWrite=0\nBackupBeforeWrite=1\n");
    QVERIFY(m_program->action(cmd::WriteChangedOnly)->isChecked());
    if (!changedOnly) {
        m_program->action(cmd::WriteChangedOnly)->trigger();
        QVERIFY(m_program->dir.read(u"Program.ini"_qs).contains("WriteChangedOnly=0"));
    }
    const MemoryImage document = m_program->showImage(withChannel2(5));
    MemoryImage radio = document;
    for (const int address : edits)
        radio.setByte(address, quint8(~radio.byte(address)));
    RadioSim sim({}, radio, m_program->dir.path());
    QVERIFY(sim.isRunning());

    MessageRecorder recorder;
    Autopilot pilot;
    m_program->action(cmd::Write)->trigger();
    QCOMPARE(recorder.texts, messages);
    QCOMPARE(pilot.closingMaxima, QList<int>{sent > 0 ? sent : ReadBlockCount + sent});
    QCOMPARE(sim.savedMemory(), sent > 0 ? overlay(radio, document, WriteRanges).bytes() : QByteArray());
    const QByteArray host = sim.hostBytes();
    int frames = 0;
    for (const int address : blocksOf(WriteRanges))
        frames += host.contains(QByteArray("W") + char(address >> 8) + char(address & 0xFF) + '\x08') ? 1 : 0;
    QCOMPARE(frames, sent);
    // The radio was read once, for the backup: the read table's last block,
    // which no write or verify touches, was asked for once. (A session
    // resumed on a loaded machine asks again only from its failed block.)
    const int last = blocksOf(ReadRanges).last();
    QCOMPARE(host.count(QByteArray("R") + char(last >> 8) + char(last & 0xFF) + '\x08'), 1);
}

void TestSafeTransfer::backupReadFailsNothingWritten()
{
    start();
    m_program->action(cmd::BackupBeforeWrite)->trigger();
    RadioSim sim({u"--silence"_qs, u"identify"_qs}, patternImage(5), m_program->dir.path());
    QVERIFY(sim.isRunning());
    m_program->showImage(withChannel2(7));
    MessageRecorder messages;
    Autopilot pilot;
    m_program->action(cmd::Write)->trigger();
    QCOMPARE(pilot.captions, QStringList{u"Write Data"_qs});
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.at(0).startsWith(u"Communication error\n"), qPrintable(messages.texts.at(0)));
    QVERIFY2(messages.texts.at(0).endsWith(
                 u"\nThe write was not started: the radio's memory could not be backed up first."_qs),
             qPrintable(messages.texts.at(0)));
    QCOMPARE(sim.savedMemory(), QByteArray());
    QCOMPARE(sim.hostBytes().count('W'), 0);
    QCOMPARE(backupNames(), QStringList());
}

void TestSafeTransfer::compareWithRadio_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("close") << QString();
    QTest::newRow("open the radio's memory") << u"Open the radio's memory as a new document"_qs;
    QTest::newRow("write the document") << u"Write the document now"_qs;
}

// The radio is read into a copy: the document and its modified mark stay
// as they were unless the user takes one of the offers.
void TestSafeTransfer::compareWithRadio()
{
    QFETCH(QString, answer);
    start();
    // The radio holds what a grid store leaves, so that only SQL differs.
    const MemoryImage radio = m_program->showImage(withChannel2(9));
    RadioSim sim({}, radio, m_program->dir.path());
    QVERIFY(sim.isRunning());
    MemoryImage mine = radio;
    mine.setByte(0x1814, 3); // SQL 3 where the radio has 0x14 (shown as 5)
    const QString file = m_program->dir.file(u"mine.sin"_qs);
    QVERIFY(writeFile(file, mine.bytes()));
    QCOMPARE(app().documentCommands()->OpenDocumentFile(file), DocumentCommands::OpenResult::Opened);
    const MemoryImage before = m_program->showImage(mine);
    const bool write = answer.startsWith(u"Write");
    if (write) // the backup before the write is read in the Write dialog
        m_program->action(cmd::BackupBeforeWrite)->trigger();

    MessageRecorder messages;
    Autopilot pilot(answer);
    m_program->action(cmd::CompareWithRadio)->trigger();
    // Patience, not a time limit: a loaded machine may take long over the read.
    QTRY_COMPARE_WITH_TIMEOUT(pilot.captions.size(), write ? 2 : 1, 60000);
    if (write) // the second dialog is the write's, though the backup is read first
        QCOMPARE(pilot.startCaptions, texts(u"Read Data|Write Data"));
    QVERIFY2(!pilot.diffRows.isEmpty(), qPrintable(messages.texts.join(u'\n')));
    QCOMPARE(pilot.diffRows.first(), texts(u"Option|SQL|3|5"));
    QCOMPARE(pilot.diffHeadings.mid(2), texts(u"This document|The radio"));
    if (answer.isEmpty()) {
        QVERIFY(app().document()->image() == before);
        QVERIFY(!app().document()->IsModified());
        QCOMPARE(app().document()->GetPathName(), file);
    } else if (answer.startsWith(u"Open")) {
        QVERIFY(app().document()->image() == overlay(before, radio, ReadRanges));
        QVERIFY(app().document()->IsModified());
        QCOMPARE(app().document()->GetPathName(), QString());
    } else {
        QCOMPARE(messages.texts, QStringList{u"Write verified"_qs});
        QCOMPARE(sim.savedMemory(), overlay(radio, before, WriteRanges).bytes());
    }
    // The radio's memory as it was compared, and before the write.
    QCOMPARE(backupNames().size(), write ? 2 : 1);
}

// While a session runs no other can start: not from its dialog's Start or
// Enter, the menu, the keys or the toolbar; the one dialog stays open, and
// the radio sees a single identification.
void TestSafeTransfer::busyKeepsSecondSessionOut()
{
    start();
    m_program->action(cmd::ResumeAfterFault)->trigger(); // the fault ends the session
    QVERIFY(m_program->dir.read(u"Program.ini"_qs).contains("ResumeAfterFault=0"));
    RadioSim sim({u"--silence"_qs, u"300"_qs}, patternImage(5), m_program->dir.path());
    QVERIFY(sim.isRunning());
    MessageRecorder messages;
    int dialogs = -1;
    bool stayedOpen = false;
    whenModal<CTransferDlg>([&](CTransferDlg *dialog) {
        auto *start = dialog->item<QPushButton>(ctl::transfer::Start);
        QTest::mouseClick(start, Qt::LeftButton);
        if (start->isEnabled()) // until the worker has the port open
            QTest::mouseClick(start, Qt::LeftButton);
        QTest::keyClick(dialog, Qt::Key_Return);
        QTRY_VERIFY(!start->isEnabled());
        QTest::keyClick(dialog, Qt::Key_Return);
        for (int id : {cmd::Read, cmd::Write, cmd::CompareWithRadio})
            m_program->action(id)->trigger();
        QTest::keyClick(app().mainFrame(), Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(dialog, Qt::Key_R, Qt::ControlModifier);
        dialogs = int(app().mainFrame()->findChildren<CTransferDlg *>().size());
        stayedOpen = dialog->isVisible() && dialog->item<QPushButton>(ctl::Cancel)->isEnabled();
    });
    m_program->action(cmd::Read)->trigger();
    QCOMPARE(dialogs, 1);
    QVERIFY(stayedOpen);
    QVERIFY2(messages.texts.size() == 1, qPrintable(messages.texts.join(u'|') + sim.logTail()));
    QCOMPARE(messages.texts.first().section(u'\n', 0, 0), u"Communication error"_qs);
    QCOMPARE(sim.hostBytes().count("\x02PROGRAM\x02"), 1);
}

void TestSafeTransfer::writeAsksFirst_data()
{
    QTest::addColumn<QByteArray>("setup"); // of Program.ini
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("duplicate"); // channel 5 a copy of channel 3 of the factory channels
    QTest::addColumn<bool>("writeAnyway");
    QTest::addColumn<QStringList>("listed"); // the question's rows; empty: not asked
    QTest::addColumn<bool>("written");       // Program Several Radios: its window opened
    const QByteArray on = "VerifyAfterWrite=0\n";
    const QByteArray off = on + "CheckBeforeWrite=0\n";
    const QStringList both{u"3, 5"_qs};
    const int write = cmd::Write, several = cmd::ProgramSeveral;
    QTest::newRow("Enter cancels: nothing written") << on << write << true << false << both << false;
    QTest::newRow("Write Anyway writes") << on << write << true << true << both << true;
    QTest::newRow("a clean plan is not asked about") << on << write << false << false << QStringList() << true;
    QTest::newRow("check turned off") << off << write << true << false << QStringList() << true;
    // Asked once for every radio, before the window opens: they all get the same channels.
    QTest::newRow("Program Several Radios, Enter") << on << several << true << false << both << false;
    QTest::newRow("Program Several Radios, Write Anyway") << on << several << true << true << both << true;
}

// A plan with mistakes is written only after Write Anyway, and Program.ini's
// CheckBeforeWrite=0 writes without asking.
void TestSafeTransfer::writeAsksFirst()
{
    QFETCH(QByteArray, setup);
    QFETCH(int, command);
    QFETCH(bool, duplicate);
    QFETCH(bool, writeAnyway);
    QFETCH(QStringList, listed);
    QFETCH(bool, written);
    start("Eng", setup);
    RadioSim sim({}, patternImage(3), m_program->dir.path());
    QVERIFY(sim.isRunning());
    MemoryImage plan = factoryImage();
    if (duplicate)
        plan.copyIn(region::channelRecord(5), plan.bytes(region::channelRecord(3), region::ChannelRecordSize));
    const MemoryImage document = m_program->showImage(plan);

    Autopilot pilot({}, writeAnyway);
    m_program->action(command)->trigger();
    QCOMPARE(pilot.asked, listed);
    if (command == cmd::ProgramSeveral) {
        QCOMPARE(pilot.batchOpened, written);
        return;
    }
    QCOMPARE(pilot.captions.size(), written ? 1 : 0);
    QCOMPARE(sim.savedMemory(), written ? overlay(patternImage(3), document, WriteRanges).bytes() : QByteArray());
}

void TestSafeTransfer::otherRadioAsksFirst_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("origin");  // of the document: read, backup (of the first radio), file
    QTest::addColumn<bool>("otherRadio"); // the write finds a radio of another identification
    QTest::addColumn<int>("key");         // answers the question; Qt::Key_Y clicks Yes
    QTest::addColumn<QString>("asked");   // the start of the question; empty: not asked
    const QString question = u"This radio answers \"KDW418..\" (4B 44 57 34 31 38 01 00), but the document came "
                             "from a radio that answered \"KDW417..\" (4B 44 57 34 31 37 01 00)"_qs;
    const QByteArray eng("Eng");
    QTest::newRow("read from this radio") << eng << u"read"_qs << false << int(Qt::Key_Return) << QString();
    QTest::newRow("read from another, Enter") << eng << u"read"_qs << true << int(Qt::Key_Return) << question;
    QTest::newRow("read from another, Yes") << eng << u"read"_qs << true << int(Qt::Key_Y) << question;
    QTest::newRow("a backup of another, Escape, Chs")
        << QByteArray("Chs") << u"backup"_qs << true << int(Qt::Key_Escape)
        << u"这台对讲机的识别码为 \"KDW418..\" (4B 44 57 34 31 38 01 00)，而文档来自识别码为"_qs;
    QTest::newRow("a backup of another, Enter, Cht")
        << QByteArray("Cht") << u"backup"_qs << true << int(Qt::Key_Return)
        << u"這台對講機的識別碼為 \"KDW418..\" (4B 44 57 34 31 38 01 00)，而文件來自識別碼為"_qs;
    QTest::newRow("a file of unknown origin") << eng << u"file"_qs << true << int(Qt::Key_Return) << QString();
}

// A document from one radio goes to a radio that answers another
// identification only after Yes; Enter and Escape write nothing. The status
// line names the radio the write found.
void TestSafeTransfer::otherRadioAsksFirst()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, origin);
    QFETCH(bool, otherRadio);
    QFETCH(int, key);
    QFETCH(QString, asked);
    start(language, "VerifyAfterWrite=0\nCheckBeforeWrite=0\n");
    const QByteArray first("KDW417\x01\x00", 8), second("KDW418\x01\x00", 8);
    if (origin == u"read") {
        RadioSim sim({}, patternImage(3), m_program->dir.path());
        Autopilot pilot;
        m_program->action(cmd::Read)->trigger();
    } else {
        // A backup of the first radio; the file its bytes without the record.
        const QString backups = backupDirectory(m_program->dir.path());
        QVERIFY(saveBackup(backups, patternImage(3), BackupKind::Read, QDateTime::currentDateTime(), first));
        const QString path = backups + backupFiles(backups).first(), file = m_program->dir.file(u"plain.sin"_qs);
        QVERIFY(QFile::copy(path, file));
        if (origin == u"backup") {
            whenModal<CBackupListDlg>([](CBackupListDlg *list) {
                QTest::keyClick(list->item<QTableWidget>(ctl::backups::List), Qt::Key_Return);
            });
            m_program->action(cmd::FileOpenBackup)->trigger();
        } else {
            QCOMPARE(m_program->app.documentCommands()->OpenDocumentFile(file), DocumentCommands::OpenResult::Opened);
        }
    }
    QCOMPARE(m_program->app.document()->RadioIdentification(), origin == u"file" ? QByteArray() : first);
    const MemoryImage document = m_program->showImage(m_program->app.document()->image());

    RadioSim sim(otherRadio ? texts(u"--ident|1:"_qs + QString::fromLatin1(second.toHex())) : QStringList(),
                 patternImage(4), m_program->dir.path());
    QVERIFY(sim.isRunning());
    Autopilot pilot;
    pilot.boxKey = key;
    m_program->action(cmd::Write)->trigger();
    QCOMPARE(pilot.boxes.size(), asked.isEmpty() ? 0 : 1);
    QVERIFY2(pilot.boxes.value(0).startsWith(asked), qPrintable(pilot.boxes.value(0)));
    QVERIFY2(pilot.statuses.value(0).endsWith(identificationText(otherRadio ? second : first)),
             qPrintable(pilot.statuses.value(0)));
    const bool written = asked.isEmpty() || key == Qt::Key_Y;
    QCOMPARE(sim.savedMemory(), written ? overlay(patternImage(4), document, WriteRanges).bytes() : QByteArray());
}

void TestSafeTransfer::readIntoAFileIsShownUntilSaved_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<int>("save"); // the command that ends it
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("saved");
    QTest::newRow("English, Save") << QByteArray("Eng") << int(cmd::FileSave)
                                   << u"doc1.sin* (read from radio) — KDW PC Encoder"_qs
                                   << u"doc1.sin — KDW PC Encoder"_qs;
    QTest::newRow("Simplified, Save As") << QByteArray("Chs") << int(cmd::FileSaveAs)
                                         << u"doc1.sin*（从对讲机读取） — KDW PC Encoder"_qs
                                         << u"doc2.sin — KDW PC Encoder"_qs;
}

// A Read into a document opened from a file: the title says the file now
// holds what was read from the radio, until Save or Save As.
void TestSafeTransfer::readIntoAFileIsShownUntilSaved()
{
    QFETCH(QByteArray, language);
    QFETCH(int, save);
    QFETCH(QString, read);
    QFETCH(QString, saved);
    m_program = std::make_unique<Program>("[Setup]\nLanguage=" + language + "\nCOM=COM1\nVerifyAfterWrite=0\n");
    QVERIFY(m_program->dir.write(u"doc1.sin"_qs, QByteArray(8192, char(0xFF))));
    QVERIFY(m_program->start(u"doc1.sin"_qs));
    RadioSim sim({}, patternImage(21), m_program->dir.path());
    QVERIFY(sim.isRunning());
    QWindow *window = app().mainFrame()->windowHandle();
    QCOMPARE(window->title(), u"doc1.sin — KDW PC Encoder"_qs);

    MessageRecorder messages;
    {
        Autopilot pilot;
        m_program->action(cmd::Read)->trigger();
    }
    QCOMPARE(messages.texts, QStringList());
    QVERIFY(app().document()->IsModified());
    QCOMPARE(window->title(), read);
    // Undo of the Read takes the mark away with the radio's bytes; redo brings both back.
    QVERIFY(QTest::qWaitForWindowActive(app().mainFrame()));
    pressKeys(app().mainFrame(), u"Ctrl+Z"_qs);
    QCOMPARE(window->title(), u"doc1.sin — KDW PC Encoder"_qs);
    QVERIFY(app().document()->RadioIdentification().isEmpty());
    pressKeys(app().mainFrame(), u"Ctrl+Y"_qs);
    QCOMPARE(window->title(), read);
    QVERIFY(!app().document()->RadioIdentification().isEmpty());

    app().documentCommands()->setFilePrompt([&](bool, const QString &) { return m_program->dir.file(u"doc2.sin"_qs); });
    m_program->action(save)->trigger();
    QCOMPARE(window->title(), saved);
    QCOMPARE(m_program->dir.read(QFileInfo(app().document()->GetPathName()).fileName()),
             app().document()->image().bytes());
}

QTEST_MAIN(TestSafeTransfer)
#include "tst_safetransfer.moc"
