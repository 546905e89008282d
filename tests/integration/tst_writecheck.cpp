// The questions before a write, through the windows against kdw-radio-sim: a
// plan with mistakes is written only after Write Anyway (Program.ini's
// CheckBeforeWrite=0 writes without asking), and a document from one radio
// goes to another only after Yes.

#include "core/image/backups.h"
#include "core/image/identification.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/image/transferranges.h"
#include "core/program/globals.h"
#include "gui/dialogs/controlids.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/grid/findingslist.h"
#include "gui/link/batchdlg.h"
#include "gui/link/transferdlg.h"
#include "gui/link/writecheckdlg.h"
#include "guitest.h"
#include "radiosim.h"

#include <QApplication>
#include <QLabel>
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

enum class Answer { None, Enter, WriteAnyway, Escape, Yes };

// Stands in for the user while it lives: answers the question before a write
// as told, noting the channels of its findings or the text of a message box,
// and presses Start in a transfer dialog, noting its status line as it
// closes; a batch window is noted and closed.
class Pilot : public QObject
{
public:
    explicit Pilot(Answer answer)
        : m_answer(answer)
    {
        connect(&m_poll, &QTimer::timeout, this, &Pilot::look);
        m_poll.start(5);
    }

    QStringList asked; // the question's finding rows, or the message box's text
    bool transferOpened = false;
    bool batchOpened = false;
    QString status; // the transfer dialog's status line as it closed

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
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            asked.append(box->text());
            if (m_answer == Answer::Yes)
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            else
                QTest::keyClick(box->focusWidget() ? box->focusWidget() : box,
                                m_answer == Answer::Escape ? Qt::Key_Escape : Qt::Key_Return);
        } else if (auto *transfer = qobject_cast<CTransferDlg *>(modal)) {
            transferOpened = true;
            connect(transfer, &QDialog::finished, this,
                    [this, transfer] { status = transfer->item<QLabel>(ctl::transfer::Status)->text(); });
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
    void otherRadioAsksFirst_data();
    void otherRadioAsksFirst();
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

void TestWriteCheck::otherRadioAsksFirst_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("origin");  // of the document: read, backup (of the first radio), file
    QTest::addColumn<bool>("otherRadio"); // the write finds a radio of another identification
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("asked"); // the start of the question; empty: not asked
    const QString question = u"This radio answers \"KDW418..\" (4B 44 57 34 31 38 01 00), but the document came "
                             "from a radio that answered \"KDW417..\" (4B 44 57 34 31 37 01 00)"_s;
    const QByteArray eng("Eng");
    QTest::newRow("read from this radio") << eng << u"read"_s << false << int(Answer::None) << QString();
    QTest::newRow("read from another, Enter") << eng << u"read"_s << true << int(Answer::Enter) << question;
    QTest::newRow("read from another, Yes") << eng << u"read"_s << true << int(Answer::Yes) << question;
    QTest::newRow("a backup of another, Escape, Chs")
        << QByteArray("Chs") << u"backup"_s << true << int(Answer::Escape)
        << u"这台对讲机的识别码为 \"KDW418..\" (4B 44 57 34 31 38 01 00)，而文档来自识别码为"_s;
    QTest::newRow("a backup of another, Enter, Cht")
        << QByteArray("Cht") << u"backup"_s << true << int(Answer::Enter)
        << u"這台對講機的識別碼為 \"KDW418..\" (4B 44 57 34 31 38 01 00)，而文件來自識別碼為"_s;
    QTest::newRow("a file of unknown origin") << eng << u"file"_s << true << int(Answer::None) << QString();
}

// A document from one radio goes to a radio that answers another
// identification only after Yes; Enter and Escape write nothing. The status
// line names the radio the write found.
void TestWriteCheck::otherRadioAsksFirst()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, origin);
    QFETCH(bool, otherRadio);
    QFETCH(int, answer);
    QFETCH(QString, asked);
    Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\nVerifyAfterWrite=0\nCheckBeforeWrite=0\n");
    QVERIFY(program.start());
    const QByteArray first("KDW417\x01\x00", 8), second("KDW418\x01\x00", 8);
    if (origin == u"read") {
        RadioSim sim({}, patternImage(3), program.dir.path());
        Pilot pilot{Answer::None};
        program.action(cmd::Read)->trigger();
    } else {
        // A backup of the first radio; the file its bytes without the record.
        const QString backups = backupDirectory(program.dir.path());
        QVERIFY(saveBackup(backups, patternImage(3), BackupKind::Read, QDateTime::currentDateTime(), first));
        const QString path = backups + backupFiles(backups).first(), file = program.dir.file(u"plain.sin"_s);
        QVERIFY(QFile::copy(path, file));
        program.app.documentCommands()->setFilePrompt([&](bool, const QString &) { return path; });
        if (origin == u"backup")
            program.action(cmd::FileOpenBackup)->trigger();
        else
            QCOMPARE(program.app.documentCommands()->OpenDocumentFile(file), DocumentCommands::OpenResult::Opened);
    }
    QCOMPARE(program.app.document()->RadioIdentification(), origin == u"file" ? QByteArray() : first);
    const MemoryImage document = program.showImage(program.app.document()->image());

    RadioSim sim(otherRadio ? texts(u"--ident|1:"_s + QString::fromLatin1(second.toHex())) : QStringList(),
                 patternImage(4), program.dir.path());
    QVERIFY(sim.isRunning());
    Pilot pilot{Answer(answer)};
    program.action(cmd::Write)->trigger();
    QCOMPARE(pilot.asked.size(), asked.isEmpty() ? 0 : 1);
    QVERIFY2(pilot.asked.value(0).startsWith(asked), qPrintable(pilot.asked.value(0)));
    QVERIFY2(pilot.status.endsWith(identificationText(otherRadio ? second : first)), qPrintable(pilot.status));
    const bool written = asked.isEmpty() || Answer(answer) == Answer::Yes;
    QCOMPARE(sim.savedMemory(), written ? overlay(patternImage(4), document, WriteRanges).bytes() : QByteArray());
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
