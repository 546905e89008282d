// The program started in-process: start-up with its language bundle, the main
// window's commands, the document commands with their prompts, and the About,
// Help, Language and settings commands. Nothing is really started or quit:
// the starter and the quit are recorded.
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/program/globals.h"
#include "core/program/helploader.h"
#include "core/program/processstarter.h"
#include "core/program/windowplacement.h"
#include "core/text/inifile.h"
#include "gui/dialogs/aboutdlg.h"
#include "gui/dialogs/backuplistdlg.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/languagedlg.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "gui/settings/settingsdialog.h"
#include "guitest.h"
#include "modal.h"
#include "showndialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWindow>

using namespace kdw;
using namespace Qt::StringLiterals;
using kdw::test::MessageRecorder;
using kdw::test::Program;

namespace {

// The executable a language change starts again.
#ifdef Q_OS_WIN
const QString ProgramFile = u"Program.exe"_s;
#else
const QString ProgramFile = u"Program"_s;
#endif

// The next Open Backup leaves its list for the file dialog, by a key on Other File...
void otherFileFromBackupList()
{
    test::whenModal<CBackupListDlg>([](CBackupListDlg *dialog) {
        QTest::keyClick(dialog->item<QPushButton>(ctl::backups::OtherFile), Qt::Key_Space);
    });
}

constexpr int Cancel = -2; // Cancel clicked in the Language dialog
constexpr int Keep = -3;   // OK on the item the dialog selected itself

// The Language command; unless a row says otherwise, English is running,
// the second item (Simplified) is chosen and the running port is COM5.
struct LanguageCase
{
    QString language; // in Program.ini afterwards
    QString com;      // in Program.ini afterwards, which held COM1
    bool restarted;
    QByteArray running = "Eng";
    int choice = 1;                        // the item selected before OK (-1: none), or Cancel or Keep
    QString port = QStringLiteral("COM5"); // the running port, chosen after Program.ini was read; empty: none
    int answer = QMessageBox::NoButton;    // to the save question of a modified document
    bool startSucceeds = true;
    bool writable = true;
    int messages = 0;
};

// Open on a modified document that came from a.sin, to open b.sin.
struct SavePromptCase
{
    int answer;              // to the question whether to save a.sin
    int size = 8192;         // of b.sin
    bool unwritable = false; // a.sin cannot be saved
    QString second = {};     // a part of the second message; null: none
    bool replaced = false;   // b.sin is open afterwards
    bool saved = false;      // a.sin holds the edit afterwards
};

} // namespace

Q_DECLARE_METATYPE(LanguageCase)
Q_DECLARE_METATYPE(SavePromptCase)

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    QStringList m_starts;    // program and arguments of each start
    QByteArray m_iniAtStart; // Program.ini when the last start was asked for
    int m_quits = 0;
    bool m_startSucceeds = true;

private slots:
    void init()
    {
        m_starts.clear();
        m_quits = 0;
        m_startSucceeds = true;
        setProcessStarter([this](const QString &program, const QStringList &arguments) {
            m_starts.append((QStringList{program} + arguments).join(u' '));
            m_iniAtStart = test::readFile(configFile().path());
            return m_startSucceeds;
        });
        setQuitRequest([this] { ++m_quits; });
    }
    void cleanup()
    {
        setProcessStarter({});
        setQuitRequest({});
    }

    // The language of Program.ini picks the bundle; without it the program
    // says so in that language (English for a code it does not know) and stops.
    void startup_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("bundles");
        QTest::addColumn<QString>("failure"); // empty: starts
        QTest::addColumn<QString>("fileMenu");

        const QStringList all{u"Eng"_s, u"Chs"_s, u"Cht"_s};
        const QString eng = u"Load language DLL fail"_s;
        QTest::newRow("English") << QByteArray("[Setup]\nLanguage=Eng\n") << all << QString() << u"&File"_s;
        QTest::newRow("Simplified") << QByteArray("[Setup]\nLanguage=Chs\n") << all << QString() << u"文件(&F)"_s;
        QTest::newRow("Traditional") << QByteArray("[Setup]\nLanguage=Cht\n") << all << QString() << u"檔案(&F)"_s;
        QTest::newRow("unknown code") << QByteArray("[Setup]\nLanguage=xyz\n") << all << eng << QString();
        QTest::newRow("Chs bundle missing")
            << QByteArray("[Setup]\nLanguage=Chs\n") << QStringList{u"Eng"_s} << u"加载语言链接库失败"_s << QString();
        QTest::newRow("Cht bundle missing")
            << QByteArray("[Setup]\nLanguage=Cht\n") << QStringList{u"Eng"_s} << u"加載語言庫?接庫失敗"_s << QString();
        QTest::newRow("no Program.ini") << QByteArray() << all << eng << QString();
    }
    void startup()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, bundles);
        QFETCH(QString, failure);
        QFETCH(QString, fileMenu);
        Program program(ini, bundles);
        MessageRecorder messages;
        QCOMPARE(program.start(), failure.isEmpty());
        if (!failure.isEmpty()) {
            QCOMPARE(messages.texts, QStringList{failure});
            QVERIFY(!program.app.mainFrame());
            return;
        }
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(program.app.mainFrame()->menuBar()->actions().first()->text(), fileMenu);
        QVERIFY(program.app.mainFrame()->isVisible());
    }

    // A file named on the command line that cannot be read is named in a
    // message and the program does not start (savePrompt opens a good one).
    void commandLineFileThatCannotBeOpened()
    {
        Program program;
        QVERIFY(program.dir.write(u"a.sin"_s, QByteArray(10, 1)));
        MessageRecorder messages;
        QVERIFY(!program.start(u"a.sin"_s));
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(messages.texts.first().contains(u"a.sin"_s));
    }

    // Every command has its handler; Undo and Redo wait for a change. Pointing
    // at a command shows its prompt; About opens its box, which Escape closes.
    // The View items hide the bars and clear their check marks. The Port item
    // of Program.ini is checked, and the one chosen is written back at exit.
    void commandsOfTheWindow()
    {
        Program program("[Setup]\nLanguage=Eng\nCOM=COM2\n");
        QVERIFY(program.start());
        CMainFrame &frame = *program.app.mainFrame();
        for (QAction *a : frame.findChildren<QAction *>()) {
            const bool history = a->data() == int(cmd::EditUndo) || a->data() == int(cmd::EditRedo);
            if (!a->data().isValid())
                continue; // not a command: a submenu's title, a mark inside a field
            QVERIFY2(a->isEnabled() != history, qPrintable(a->text()));
        }

        frame.action(cmd::Read)->showStatusText(&frame);
        QCOMPARE(frame.statusBar()->currentMessage(), u"Read Data From Radio"_s);
        const auto seen = test::whenModal<CAboutDlg>([](CAboutDlg *dlg) { QTest::keyClick(dlg, Qt::Key_Escape); });
        frame.action(cmd::AppAbout)->trigger();
        QVERIFY(*seen);
        QVERIFY(!QApplication::activeModalWidget());

        for (int id : {int(cmd::ViewToolbar), int(cmd::ViewStatusBar)}) {
            QVERIFY(frame.action(id)->isChecked());
            frame.action(id)->trigger();
            QVERIFY(!frame.action(id)->isChecked());
        }
        QVERIFY(frame.toolBar()->isHidden());
        QVERIFY(frame.statusBar()->isHidden());

        QVERIFY(program.action(cmd::Com1 + 1)->isChecked());
        program.action(cmd::Com1 + 4)->trigger();
        for (int id = cmd::Com1; id <= cmd::Com8; ++id)
            QCOMPARE(program.action(id)->isChecked(), id == cmd::Com1 + 4);
        QCOMPARE(program.app.ExitInstance(3), 3);
        QVERIFY(program.dir.read(u"Program.ini"_s).startsWith("[Setup]\nLanguage=Eng\nCOM=COM5\n[Window]\n"));
    }

    // Open asks before unsaved changes are lost. A short file, or a save
    // that fails, is reported and everything stays as it was.
    void savePrompt_data()
    {
        QTest::addColumn<SavePromptCase>("c");
        const int yes = QMessageBox::Yes;
        const int no = QMessageBox::No;
        QTest::newRow("Yes saves, then opens") << SavePromptCase{.answer = yes, .replaced = true, .saved = true};
        QTest::newRow("No discards") << SavePromptCase{.answer = no, .replaced = true};
        QTest::newRow("Cancel keeps everything") << SavePromptCase{.answer = QMessageBox::Cancel};
        QTest::newRow("short file keeps everything")
            << SavePromptCase{.answer = no, .size = 8191, .second = u"b.sin"_s};
        QTest::newRow("failed save keeps everything")
            << SavePromptCase{.answer = yes, .unwritable = true, .second = u"Cannot save the file"_s};
    }
    void savePrompt()
    {
        QFETCH(SavePromptCase, c);
        Program program;
        QVERIFY(program.dir.write(u"a.sin"_s, QByteArray(8192, 2)));
        QVERIFY(program.dir.write(u"b.sin"_s, QByteArray(c.size, 3)));
        QVERIFY(program.start(u"a.sin"_s));
        QCOMPARE(program.app.document()->image().bytes(), QByteArray(8192, 2));
        if (c.unwritable)
            QVERIFY(QFile::remove(program.dir.file(u"a.sin"_s)) && QDir().mkdir(program.dir.file(u"a.sin"_s)));
        const QString cell = program.app.view()->grid()->GetTextMatrix(1, 1);
        program.app.document()->image().setByte(0x1820, 0x42); // a settings byte, which the grid store keeps
        program.app.view()->gridStore();                       // the image as Save stores it
        const QByteArray edited = program.app.document()->image().bytes();
        program.app.document()->SetModifiedFlag(true);
        const QString b = program.dir.file(u"b.sin"_s);
        program.app.documentCommands()->setFilePrompt([&](bool, const QString &) { return b; });

        MessageRecorder messages;
        messages.answers = {QMessageBox::StandardButton(c.answer)};
        program.action(cmd::FileOpen)->trigger();
        QCOMPARE(messages.texts.value(0), u"Save changes to a.sin?"_s);
        QCOMPARE(messages.texts.size(), c.second.isNull() ? 1 : 2);
        QVERIFY2(messages.texts.value(1).contains(c.second), qPrintable(messages.texts.value(1)));
        QCOMPARE(program.app.document()->GetPathName(), program.dir.file(c.replaced ? u"b.sin"_s : u"a.sin"_s));
        QCOMPARE(program.app.document()->image().bytes(), c.replaced ? QByteArray(8192, 3) : edited);
        QCOMPARE(program.app.view()->grid()->GetTextMatrix(1, 1) == cell, !c.replaced);
        QCOMPARE(program.dir.read(u"a.sin"_s).mid(0x1820, 1) == "\x42", c.saved);
        QCOMPARE(program.app.document()->IsModified(), !c.replaced);
    }

    // Closing asks about unsaved changes too. Save of a new document asks
    // for a name, adds ".sin" and writes 8192 bytes; the name known, Save
    // writes without asking.
    void closingAsksAndSaveNamesTheFile()
    {
        Program program("[Setup]\nLanguage=Cht\nCOM=COM1\n");
        QVERIFY(program.start());
        int asked = 0;
        program.app.documentCommands()->setFilePrompt([&](bool forSave, const QString &) {
            ++asked;
            return forSave ? program.dir.file(u"mine"_s) : QString();
        });
        program.app.document()->SetModifiedFlag(true);
        MessageRecorder messages;
        messages.answers = {QMessageBox::Cancel, QMessageBox::Yes};
        QVERIFY(!program.app.mainFrame()->close());
        QCOMPARE(messages.texts, QStringList{u"是否儲存對 未命名 的變更？"_s});
        QVERIFY(program.app.mainFrame()->close());
        QCOMPARE(program.dir.read(u"mine.sin"_s), program.app.document()->image().bytes());
        program.app.document()->image().setByte(0x1820, 0x12);
        program.action(cmd::FileSave)->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(program.dir.read(u"mine.sin"_s), program.app.document()->image().bytes());
    }

    // A new choice asks about a modified document, writes the language to
    // Program.ini with the running port, starts the program again and quits;
    // anything that fails on the way says so and the program runs on.
    void languageCommand_data()
    {
        QTest::addColumn<LanguageCase>("c");
        const auto yes = int(QMessageBox::Yes);
        const auto cancel = int(QMessageBox::Cancel);
        const QString eng = u"Eng"_s, chs = u"Chs"_s, cht = u"Cht"_s, com1 = u"COM1"_s, com5 = u"COM5"_s;
        QTest::newRow("Eng to Chs writes the port") << LanguageCase{.language = chs, .com = com5, .restarted = true};
        QTest::newRow("same language, as selected")
            << LanguageCase{.language = chs, .com = com1, .restarted = false, .running = "Chs", .choice = Keep};
        QTest::newRow("OK without a selection chooses English")
            << LanguageCase{.language = eng, .com = com5, .restarted = true, .running = "Cht", .choice = -1};
        QTest::newRow("Cancel") << LanguageCase{.language = eng, .com = com1, .restarted = false, .choice = Cancel};
        QTest::newRow("no port name") << LanguageCase{
            .language = cht, .com = com1, .restarted = true, .choice = 2, .port = QString()};
        QTest::newRow("modified, save") << LanguageCase{
            .language = chs, .com = com5, .restarted = true, .answer = yes, .messages = 1};
        QTest::newRow("modified, cancel")
            << LanguageCase{.language = eng, .com = com1, .restarted = false, .answer = cancel, .messages = 1};
        QTest::newRow("restart fails") << LanguageCase{
            .language = chs, .com = com5, .restarted = false, .startSucceeds = false, .messages = 1};
        QTest::newRow("Program.ini unwritable") << LanguageCase{
            .language = QString(), .com = QString(), .restarted = false, .writable = false, .messages = 1};
    }
    void languageCommand()
    {
        QFETCH(LanguageCase, c);
        Program program("[Setup]\nLanguage=" + c.running + "\nCOM=COM1\n");
        QVERIFY(program.start());
        if (!c.writable)
            configFile().setPath(program.dir.file(u"missing/Program.ini"_s));
        program.app.context().port = c.port;
        m_startSucceeds = c.startSucceeds;
        MessageRecorder messages;
        const bool modified = c.answer != QMessageBox::NoButton;
        program.app.document()->SetModifiedFlag(modified);
        if (modified)
            messages.answers.append(QMessageBox::StandardButton(c.answer));
        const QString savedPath = program.dir.file(u"saved.sin"_s);
        program.app.documentCommands()->setFilePrompt([&](bool, const QString &) { return savedPath; });

        const auto seen = test::whenModal<CLanguageDlg>([choice = c.choice](CLanguageDlg *dlg) {
            if (choice == Cancel)
                return QTest::mouseClick(dlg->item<QPushButton>(ctl::Cancel), Qt::LeftButton);
            auto *combo = dlg->item<QComboBox>(ctl::LanguageCombo);
            if (choice != Keep)
                combo->setCurrentIndex(choice);
            QTest::keyClick(combo, Qt::Key_Return);
        });
        program.action(cmd::Language)->trigger();
        QVERIFY(*seen);

        QCOMPARE(configFile().ReadString(u"Setup"_s, u"Language"_s), c.language);
        QCOMPARE(configFile().ReadString(u"Setup"_s, u"COM"_s), c.com);
        QCOMPARE(messages.texts.size(), c.messages);
        QCOMPARE(m_quits, c.restarted ? 1 : 0);
        const bool startTried = c.restarted || !c.startSucceeds;
        QCOMPARE(m_starts, startTried ? QStringList{programDirectory() + ProgramFile} : QStringList());
        // The new instance finds the window's place in Program.ini.
        if (startTried) {
            const QRect place = program.app.mainFrame()->geometry();
            QVERIFY(m_iniAtStart.contains("[Window]\nLeft=" + QByteArray::number(place.left())
                                          + "\nTop=" + QByteArray::number(place.top())));
        }
        QCOMPARE(QFileInfo(savedPath).size(), c.answer == QMessageBox::Yes ? qint64(MemoryImage::Size) : 0);
    }

    // The title names the document's file, with the modified mark while it
    // is modified, or "Untitled" when no file holds the document (a new one,
    // a backup). A "[*]" in a file's name shows as it stands.
    void titleNamesTheDocument_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("file");  // opened at start; empty: none
        QTest::addColumn<QString>("steps"); // after the start: "edit", "undo", "saveAs", "backup"
        QTest::addColumn<QString>("title"); // as the window shows it
        const QString app = u" — KDW PC Encoder"_s;
        QTest::newRow("new") << QByteArray("Eng") << QString() << QString() << u"Untitled"_s + app;
        QTest::newRow("new, Simplified") << QByteArray("Chs") << QString() << QString() << u"无标题"_s + app;
        QTest::newRow("new, Traditional") << QByteArray("Cht") << QString() << QString() << u"未命名"_s + app;
        QTest::newRow("opened") << QByteArray("Eng") << u"doc1.sin"_s << QString() << u"doc1.sin"_s + app;
        QTest::newRow("edited") << QByteArray("Chs") << u"doc1.sin"_s << u"edit"_s << u"doc1.sin*"_s + app;
        QTest::newRow("edit undone") << QByteArray("Eng") << u"doc1.sin"_s << u"edit undo"_s << u"doc1.sin"_s + app;
        QTest::newRow("saved as") << QByteArray("Cht") << u"doc1.sin"_s << u"edit saveAs"_s << u"doc2.sin"_s + app;
        QTest::newRow("backup") << QByteArray("Eng") << u"doc1.sin"_s << u"backup"_s << u"Untitled*"_s + app;
        QTest::newRow("new after a file") << QByteArray("Eng") << u"doc1.sin"_s << u"new"_s << u"Untitled"_s + app;
#ifndef Q_OS_WIN // a Windows file name cannot hold '*'
        QTest::newRow("mark in the name") << QByteArray("Eng") << u"a[*].sin"_s << u"edit"_s << u"a[*].sin*"_s + app;
#endif
    }
    void titleNamesTheDocument()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, file);
        QFETCH(QString, steps);
        QFETCH(QString, title);
        Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\n");
        QVERIFY(program.dir.write(u"doc1.sin"_s, QByteArray(8192, char(0xFF))));
        if (!file.isEmpty())
            QVERIFY(program.dir.write(file, QByteArray(8192, char(0xFF))));
        QVERIFY(program.start(file));
        program.app.documentCommands()->setFilePrompt(
            [&](bool forSave, const QString &) { return program.dir.file(forSave ? u"doc2.sin"_s : u"doc1.sin"_s); });
        CMainFrame &frame = *program.app.mainFrame();
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"edit") {
                QVERIFY(QTest::qWaitForWindowActive(&frame));
                test::clickCell(*program.app.view()->grid(), 1, 1);
                test::typeText(QApplication::focusWidget(), u"450"_s);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else if (step == u"saveAs") {
                // One key away.
                QVERIFY(QTest::qWaitForWindowActive(&frame));
                QTest::keyClick(frame.windowHandle(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
            } else {
                const int command = step == u"undo"  ? cmd::EditUndo
                                    : step == u"new" ? cmd::FileNew
                                                     : cmd::FileOpenBackup;
                if (command == cmd::FileOpenBackup)
                    otherFileFromBackupList();
                program.action(command)->trigger();
            }
        }
        QCOMPARE(frame.windowHandle()->title(), title);
    }

    // A settings dialog opens over the main window; opened and closed without
    // a change of the user's it leaves no step to undo and no modified mark,
    // though what it stores on
    // closing (a fallback item, a text's tail after its end) is in the image
    // as a dialog closed the same way leaves it.
    void settingsDialogOnlyLookedAt_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<test::Dialog>("which");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("poked"); // at offset, before the dialog opens
        QTest::addColumn<int>("closeKey");
        QTest::newRow("Option, a value out of range")
            << int(cmd::Option) << test::Dialog::Option << 0x1820 << QByteArray("\xFF") << int(Qt::Key_Escape);
        QTest::newRow("PTT ID, a code's tail") << int(cmd::PttId) << test::Dialog::PttId << region::PttIdCode
                                               << QByteArray("12\xFF\x35") << int(Qt::Key_Escape);
        QTest::newRow("PCBA, a text's tail, OK")
            << int(cmd::Embed) << test::Dialog::Pcba << region::Pcba << QByteArray("AB\xFF\x43") << int(Qt::Key_Return);
    }
    void settingsDialogOnlyLookedAt()
    {
        QFETCH(int, command);
        QFETCH(test::Dialog, which);
        QFETCH(int, offset);
        QFETCH(QByteArray, poked);
        QFETCH(int, closeKey);
        Program program;
        QVERIFY(program.start());
        CProgramDoc &doc = *program.app.document();
        doc.image().copyIn(offset, poked);
        test::ShownDialog closing; // the same dialog on a copy of the image
        closing.image = doc.image();
        QVERIFY(closing.open(which, Language::Eng));
        closing.dialog->accept();
        const MemoryImage &closed = closing.image;
        QVERIFY(!(closed == doc.image())); // else the case proves nothing

        QWidget *parent = nullptr;
        const auto seen = test::whenModal<CSettingsDialog>([&parent, closeKey](CSettingsDialog *dialog) {
            parent = dialog->parentWidget();
            QTest::keyClick(dialog, Qt::Key(closeKey));
        });
        program.action(command)->trigger();
        QVERIFY(*seen);
        QCOMPARE(parent, program.app.mainFrame());
        QVERIFY(doc.image() == closed);
        QVERIFY(!doc.IsModified());
        QVERIFY(!program.action(cmd::EditUndo)->isEnabled());
        QCOMPARE(program.app.mainFrame()->windowHandle()->title(), u"Untitled — KDW PC Encoder"_s);
    }

    // New, Open and Open Backup leave the window's size, place and state as
    // they were; exit keeps them in Program.ini, and the next start comes
    // back to them.
    void windowKeepsItsPlace_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximized") << true;
    }
    void windowKeepsItsPlace()
    {
        QFETCH(bool, maximized);
        QByteArray ini;
        WindowPlacement left;
        {
            Program program;
            QVERIFY(program.dir.write(u"a.sin"_s, QByteArray(8192, char(0xFF))));
            QVERIFY(program.start());
            CMainFrame &frame = *program.app.mainFrame();
            const QSize smallest = frame.minimumSizeHint();
            const QRect normal(QPoint(23, 31), smallest + QSize(17, 13));
            frame.setGeometry(normal);
            QTRY_COMPARE(frame.geometry(), normal);
            if (maximized)
                frame.showMaximized();
            QTRY_COMPARE(frame.isMaximized(), maximized);
            // The maximized geometry may land after the state: wait for it.
            if (maximized)
                QTRY_VERIFY(frame.geometry() != normal);
            const QRect shown = frame.geometry();
            program.app.documentCommands()->setFilePrompt(
                [&](bool, const QString &) { return program.dir.file(u"a.sin"_s); });
            for (int command : {cmd::FileNew, cmd::FileOpen, cmd::FileOpenBackup}) {
                if (command == cmd::FileOpenBackup)
                    otherFileFromBackupList();
                program.action(command)->trigger();
                QCOMPARE(frame.isMaximized(), maximized);
                QCOMPARE(frame.geometry(), shown);
            }
            left = frame.placement();
            QCOMPARE(left, (WindowPlacement{normal, maximized}));
            QCOMPARE(program.app.ExitInstance(0), 0);
            ini = program.dir.read(u"Program.ini"_s);
        }
        Program next(ini);
        QVERIFY(next.start());
        QTRY_COMPARE(next.app.mainFrame()->isMaximized(), maximized);
        QCOMPARE(next.app.mainFrame()->placement(), left);
    }

    // Without a kept placement, or with one that cannot be, the window starts
    // at the form's size, centred; one left on a screen since unplugged is
    // centred on the screen there is.
    void placementThatCannotBeKept_data()
    {
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<bool>("formSize"); // else as large as the screen
        QTest::newRow("none") << QByteArray() << true;
        QTest::newRow("off every screen, larger than it")
            << QByteArray("Left=5000\nTop=4000\nWidth=3000\nHeight=2000\nMaximized=0\n") << false;
    }
    void placementThatCannotBeKept()
    {
        QFETCH(QByteArray, window);
        QFETCH(bool, formSize);
        Program program("[Setup]\nLanguage=Eng\nCOM=COM1\n[Window]\n" + window);
        QVERIFY(program.start());
        CMainFrame &frame = *program.app.mainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QRect screen = frame.screen()->availableGeometry();
        if (formSize)
            QVERIFY(frame.width() <= 800 && frame.height() <= 600);
        else // with its title and borders where the system draws them
            QCOMPARE(frame.frameGeometry().size(), screen.size());
        // Centred, to within the frame's border.
        QTRY_VERIFY(qAbs(frame.frameGeometry().center().x() - screen.center().x()) <= 3);
        QVERIFY(qAbs(frame.frameGeometry().center().y() - screen.center().y()) <= 3);
    }

    // F1 opens the help file of the running language from any focus, as
    // Help > Help does.
    void f1OpensHelp()
    {
#ifdef Q_OS_WIN
        // The HTML Help control is loaded and given the file; nothing is started.
        test::MessageRecorder messages;
        Program program("[Setup]\nLanguage=Cht\nCOM=COM1\n");
        QVERIFY(program.start());
        QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
        test::clickCell(*program.app.view()->grid(), 2, 1); // an editor has the focus
        QTest::keyClick(program.app.mainFrame()->windowHandle(), Qt::Key_F1);
        QCOMPARE(helpLoader().viewer(), u"hhctrl.ocx"_s);
        QVERIFY(!helpLoader().failed());
        QVERIFY(messages.texts.isEmpty());
        QVERIFY(m_starts.isEmpty());
#else
        QTemporaryDir viewers;
        const QByteArray path = qgetenv("PATH");
        QVERIFY(test::writeFile(viewers.filePath(u"xchm"_s), "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(viewers.filePath(u"xchm"_s), QFile::ReadOwner | QFile::ExeOwner));
        qputenv("PATH", QFile::encodeName(viewers.path()));
        Program program("[Setup]\nLanguage=Cht\nCOM=COM1\n");
        QVERIFY(program.start());
        QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
        test::clickCell(*program.app.view()->grid(), 2, 1); // an editor has the focus
        QTest::keyClick(program.app.mainFrame()->windowHandle(), Qt::Key_F1);
        qputenv("PATH", path);
        QCOMPARE(m_starts, QStringList{viewers.filePath(u"xchm"_s) + u' ' + program.dir.file(u"cht.chm"_s)});
#endif
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
