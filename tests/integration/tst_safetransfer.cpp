// Verify after write, backups and Compare with Radio through the windows,
// offscreen, against kdw-radio-sim on a pseudo-terminal.

#include "core/image/backups.h"
#include "core/image/blocklist.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/link/transferworker.h"
#include "core/program/globals.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/diffdlg.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/programview.h"
#include "gui/link/transferdlg.h"
#include "guitest.h"
#include "modal.h"
#include "radiosim.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace kdw;
using namespace kdw::test;

namespace {

// Stands in for the user while it lives: presses Start in every transfer
// dialog, notes its caption when it closes, and answers the list of
// differences with the button of the text given (Close when none).
class Autopilot : public QObject
{
public:
    explicit Autopilot(QString diffAnswer = {})
        : m_diffAnswer(std::move(diffAnswer))
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

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<CTransferDlg *>(modal);
        if (dialog && dialog->isVisible() && dialog != m_started) {
            // One dialog after another may take the same address.
            m_started = dialog;
            startCaptions.append(dialog->windowTitle());
            connect(dialog, &QDialog::finished, this, [this, dialog] {
                captions.append(dialog->windowTitle());
                closingMaxima.append(dialog->item<QProgressBar>(ctl::transfer::Progress)->maximum());
                m_started = nullptr;
            });
            progressMaxima.append(dialog->item<QProgressBar>(ctl::transfer::Progress)->maximum());
            QTest::mouseClick(dialog->item<QPushButton>(ctl::transfer::Start), Qt::LeftButton);
            if (auto *worker = dialog->findChild<TransferWorker *>())
                connect(worker, &TransferWorker::blockDone, this, [this, dialog] { noteStep(*dialog); });
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
    QTimer m_poll;
    QObject *m_started = nullptr;
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

private:
    void start(const QByteArray &language = "Eng");
    CProgramApp &app() { return m_program->app; }
    QStringList backupNames() const { return backupFiles(m_program->dir.path() + u"backups/"_qs); }
    QByteArray backup(const QString &name) const { return m_program->dir.read(u"backups/"_qs + name); }

    std::unique_ptr<Program> m_program;
};

void TestSafeTransfer::start(const QByteArray &language)
{
    m_program = std::make_unique<Program>("[Setup]\nLanguage=" + language + "\nCOM=COM1\nCheckBeforeWrite=0\n");
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
    QTest::newRow("one byte wrong, Cht")
        << QByteArray("Cht") << corrupt << u"校驗結果"_qs
        << u"對講機中的內容與文件不符：寫入後以下各項不同。\n請將文件再次寫入對講機。"_qs
        << texts(u"位置|項目|寫入的|對講機") << texts(u"信道 2|接收頻率|462.12500|462.12501") << none;
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
    {
        Autopilot pilot;
        m_program->showImage(patternImage(6));
        m_program->action(cmd::Read)->trigger();
        QCOMPARE(pilot.captions, QStringList{u"Read Data"_qs});
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
    }
    QCOMPARE(messages.texts, QStringList());
    // Both backups may carry the same second: find the new one by its kind.
    const QStringList afterWrite = backupNames();
    QCOMPARE(afterWrite.size(), 2);
    const QStringList beforeWrite = afterWrite.filter(u"-before-write.sin"_qs);
    QVERIFY2(beforeWrite.size() == 1 && afterWrite.contains(afterRead.first()), qPrintable(afterWrite.join(u' ')));
    QCOMPARE(backup(beforeWrite.first()), radioBytes(radio, m_program->dir.path()).bytes());
    QCOMPARE(sim.savedMemory(), overlay(radio, written, WriteRanges).bytes());
    QCOMPARE(sim.hostBytes().count("\x02PROGRA"), 3); // the read, the backup and the write

    // The next start shows the choices kept.
    m_program.reset();
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
    QTest::newRow("nothing differs, Cht")
        << QByteArray("Cht") << true << QList<int>{} << 0 << texts(u"對講機中已是該文件的內容：沒有寫入任何內容。");
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
    m_program = std::make_unique<Program>("[Setup]\nLanguage=" + language
                                          + "\nCOM=COM1\nCheckBeforeWrite=0\nBackupBeforeWrite=1\n");
    QVERIFY(m_program->start());
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
    // The radio was read for the backup, written and read back: one port, no second read.
    QCOMPARE(sim.hostBytes().count("\x02PROGRA"), sent > 0 ? 3 : 1);
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
    QCOMPARE(sim.hostBytes().count("\x02PROGRA"), 1);
    QCOMPARE(sim.hostBytes().count("M\x02"), 1);
}

QTEST_MAIN(TestSafeTransfer)
#include "tst_safetransfer.moc"
