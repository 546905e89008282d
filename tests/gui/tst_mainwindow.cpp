// Start-up with its language bundle, the main window's commands, and the
// document commands with their prompts, driven in-process.
#include "guitest.h"

#include "app/globals.h"
#include "app/programapp.h"
#include "image/memoryimage.h"
#include "image/programdoc.h"
#include "ui/commandids.h"
#include "ui/documentcommands.h"
#include "ui/mainframe.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

using namespace kdw;
using kdw::test::MessageRecorder;
using kdw::test::ProgramDir;

namespace {

QByteArray pattern(int size, int seed)
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 13 + seed) & 0xFF);
    return b;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startup_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("bundles");
        QTest::addColumn<QString>("failure");   // empty: starts
        QTest::addColumn<QString>("fileMenu");

        const QStringList all{QStringLiteral("Eng"), QStringLiteral("Chs"), QStringLiteral("Cht")};
        const QString eng = QStringLiteral("Load language DLL fail");
        QTest::newRow("English") << QByteArray("[Setup]\nLanguage=Eng\nCOM=COM1\n") << all << QString() << "&File";
        QTest::newRow("Simplified") << QByteArray("[Setup]\nLanguage=Chs\n") << all << QString() << "文件(&F)";
        QTest::newRow("Traditional") << QByteArray("[Setup]\nLanguage=Cht\n") << all << QString() << "檔案(&F)";
        QTest::newRow("unknown code") << QByteArray("[Setup]\nLanguage=xyz\n") << all << eng << "";
        QTest::newRow("Chs bundle missing") << QByteArray("[Setup]\nLanguage=Chs\n") << QStringList{QStringLiteral("Eng")}
                                            << "加载语言链接库失败" << "";
        QTest::newRow("Cht bundle missing") << QByteArray("[Setup]\nLanguage=Cht\n") << QStringList{QStringLiteral("Eng")}
                                            << "加載語言庫?接庫失敗" << "";
        // The bundle name is the value as read: "chs.dll" is not "Chs.dll" here.
        QTest::newRow("lower-case code") << QByteArray("[Setup]\nLanguage=chs\n") << all << "加载语言链接库失败" << "";
        QTest::newRow("no Program.ini") << QByteArray() << all << eng << "";
        QTest::newRow("binary Program.ini") << QByteArray::fromRawData("\x00\xFF[Setup\x80]=\n\x01", 13) << all << eng << "";
        QTest::newRow("300-character value") << QByteArray("[Setup]\nLanguage=" + QByteArray(300, 'E') + "\n") << all
                                             << eng << "";
        QTest::newRow("path in the code") << QByteArray("[Setup]\nLanguage=../Eng\n") << all << eng << "";
    }

    void startup()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, bundles);
        QFETCH(QString, failure);
        QFETCH(QString, fileMenu);
        ProgramDir dir(ini, bundles);
        MessageRecorder messages;
        CProgramApp app(dir.path());
        const bool started = app.InitInstance({QStringLiteral("Program")});
        QCOMPARE(started, failure.isEmpty());
        if (!started) {
            QCOMPARE(messages.texts, QStringList{failure});
            QVERIFY(!app.mainFrame());
            return;
        }
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(app.mainFrame()->menuBar()->actions().first()->text(), fileMenu);
        QCOMPARE(app.mainFrame()->windowTitle(), QStringLiteral("KDW PC Encoder"));
    }

    // An unknown code whose bundle exists runs with that bundle.
    void unknownCodeWithItsBundle()
    {
        ProgramDir dir("[Setup]\nLanguage=Xyz\n");
        QVERIFY(QFile::copy(dir.file(QStringLiteral("Eng.dll")), dir.file(QStringLiteral("Xyz.dll"))));
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        QCOMPARE(kdw::languageIndex(), quint8(0));
    }

    void exitWritesThePort()
    {
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM2\n");
        {
            CProgramApp app(dir.path());
            QVERIFY(app.InitInstance({QStringLiteral("Program")}));
            QVERIFY(app.mainFrame()->action(cmd::Com1 + 1)->isChecked());
            app.mainFrame()->action(cmd::Com1 + 4)->trigger();
            QVERIFY(app.mainFrame()->action(cmd::Com1 + 4)->isChecked());
            QVERIFY(!app.mainFrame()->action(cmd::Com1 + 1)->isChecked());
            QCOMPARE(app.ExitInstance(3), 3);
        }
        QCOMPARE(dir.read(QStringLiteral("Program.ini")), QByteArray("[Setup]\nLanguage=Eng\nCOM=COM5\n"));
    }

    // No COM key, or one in other case: no item is checked and exit writes the
    // value back as it was (nothing for an empty one).
    void portCheckMarks_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("missing") << QByteArray("[Setup]\nLanguage=Eng\n");
        QTest::newRow("empty") << QByteArray("[Setup]\nLanguage=Eng\nCOM=\n");
        QTest::newRow("lower case") << QByteArray("[Setup]\nLanguage=Eng\nCOM=com1\n");
    }

    void portCheckMarks()
    {
        QFETCH(QByteArray, ini);
        ProgramDir dir(ini);
        {
            CProgramApp app(dir.path());
            QVERIFY(app.InitInstance({QStringLiteral("Program")}));
            for (int id = cmd::Com1; id <= cmd::Com8; ++id)
                QVERIFY(!app.mainFrame()->action(id)->isChecked());
            app.ExitInstance(0);
        }
        QCOMPARE(dir.read(QStringLiteral("Program.ini")), ini);
    }

    void commands_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tip");
        QTest::newRow("New") << 57600 << "&New" << QKeySequence(QStringLiteral("Ctrl+N")) << "Create a new document" << "New";
        QTest::newRow("Open") << 57601 << "&Open..." << QKeySequence(QStringLiteral("Ctrl+O")) << "Open an existing document" << "Open";
        QTest::newRow("Save") << 57603 << "&Save" << QKeySequence(QStringLiteral("Ctrl+S")) << "Save the active document" << "Save";
        QTest::newRow("Save As") << 57604 << "Save &As..." << QKeySequence() << "Save the active document with a new name" << "Save As";
        QTest::newRow("Print") << 57607 << "&Print..." << QKeySequence(QStringLiteral("Ctrl+P")) << "Print the active document" << "Print";
        QTest::newRow("Preview") << 57609 << "Print Pre&view" << QKeySequence() << "Display full pages" << "Print Preview";
        QTest::newRow("Setup") << 57606 << "P&rint Setup..." << QKeySequence() << "Change the printer and printing options" << "Print Setup";
        QTest::newRow("Exit") << 57665 << "E&xit" << QKeySequence() << "Quit the application; prompts to save documents" << "Exit";
        QTest::newRow("Read") << 32785 << "&Read" << QKeySequence(QStringLiteral("Ctrl+R")) << "Read Data From Radio" << "Read";
        QTest::newRow("Write") << 32786 << "&Write" << QKeySequence(QStringLiteral("Ctrl+W")) << "Write Data to Radio " << "Write";
        QTest::newRow("PTTID") << 32799 << "PTTID" << QKeySequence() << "" << "";
        QTest::newRow("Option") << 32784 << "Option" << QKeySequence() << "" << "";
        QTest::newRow("Embed") << 32796 << "Embed" << QKeySequence() << "" << "";
        QTest::newRow("Language") << 32797 << "Language" << QKeySequence() << "" << "";
        QTest::newRow("COM1") << 32787 << "COM1" << QKeySequence() << "Choose Communication Port 1" << "Com1";
        QTest::newRow("COM8") << 32794 << "COM8" << QKeySequence() << "Choose Communication Port 8" << "Com8";
        QTest::newRow("Toolbar") << 59392 << "&Toolbar" << QKeySequence() << "Show or hide the toolbar" << "Toggle ToolBar";
        QTest::newRow("Status Bar") << 59393 << "&Status Bar" << QKeySequence() << "Show or hide the status bar" << "Toggle StatusBar";
        QTest::newRow("About") << 57664 << "About" << QKeySequence() << "Display program information, version number and copyright" << "About";
        QTest::newRow("Help") << 32798 << "Help" << QKeySequence() << "" << "";
        QTest::newRow("Next pane") << 57680 << "" << QKeySequence(Qt::Key_F6) << "Switch to the next window pane" << "Next Pane";
        QTest::newRow("Previous pane") << 57681 << "" << QKeySequence(Qt::SHIFT | Qt::Key_F6) << "Switch back to the previous window pane" << "Previous Pane";
    }

    void commands()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QFETCH(QKeySequence, key);
        QFETCH(QString, prompt);
        QFETCH(QString, tip);
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        QAction *a = app.mainFrame()->action(id);
        QVERIFY(a);
        QCOMPARE(a->text(), text);
        QCOMPARE(a->shortcut(), key);
        QCOMPARE(a->statusTip(), prompt);
        if (!tip.isEmpty())
            QCOMPARE(a->toolTip(), tip);
    }

    void menuBarOrder()
    {
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        QStringList titles;
        QList<int> ids;
        for (QAction *menu : app.mainFrame()->menuBar()->actions()) {
            titles << menu->text();
            for (QAction *item : menu->menu()->actions())
                ids << (item->isSeparator() ? 0 : item->data().toInt());
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&Program"), QStringLiteral("Setting"),
                                      QStringLiteral("Port"), QStringLiteral("&View"), QStringLiteral("Help")}));
        QCOMPARE(ids, (QList<int>{57600, 57601, 57603, 57604, 0, 57607, 57609, 57606, 0, 57665,
                                  32785, 32786, 0, 32799, 32784, 32796, 32797,
                                  32787, 32788, 32789, 32790, 32791, 32792, 32793, 32794,
                                  59392, 59393, 57664, 32798}));
    }

    void toolbarAndStatusBar()
    {
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        CMainFrame *frame = app.mainFrame();
        QList<int> ids;
        for (QAction *a : frame->toolBar()->actions()) {
            ids << (a->isSeparator() ? 0 : a->data().toInt());
            if (!a->isSeparator()) {
                QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
                QCOMPARE(a->icon().availableSizes().value(0), QSize(18, 18));
            }
        }
        QCOMPARE(ids, (QList<int>{57600, 57601, 57603, 0, 32785, 32786, 0, 57607, 57664}));
        QCOMPARE(frame->indicator(59137)->text(), QStringLiteral("CAP"));
        QCOMPARE(frame->indicator(59138)->text(), QStringLiteral("NUM"));
        QCOMPARE(frame->indicator(59139)->text(), QStringLiteral("SCRL"));

        // Pointing at Read shows its prompt in the message pane.
        frame->action(cmd::Read)->showStatusText(frame);
        QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Read Data From Radio"));

        // View > Toolbar hides it and clears the check mark; the next start shows it again.
        QAction *toggle = frame->action(cmd::ViewToolbar);
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QVERIFY(frame->toolBar()->isHidden());
        frame->action(cmd::ViewStatusBar)->trigger();
        QVERIFY(frame->statusBar()->isHidden());
    }

    void windowSizeAndTitle()
    {
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        dir.write(QStringLiteral("a.sin"), pattern(8192, 1));
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program"), dir.file(QStringLiteral("a.sin"))}));
        QCOMPARE(theImage().bytes(), pattern(8192, 1));
        QCOMPARE(app.document()->GetPathName(), dir.file(QStringLiteral("a.sin")));
        QCOMPARE(app.mainFrame()->windowTitle(), QStringLiteral("KDW PC Encoder"));
        QVERIFY(app.mainFrame()->isVisible());
    }

    void commandLineFileThatCannotBeOpened()
    {
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        dir.write(QStringLiteral("short.sin"), pattern(10, 1));
        MessageRecorder messages;
        CProgramApp app(dir.path());
        QVERIFY(!app.InitInstance({QStringLiteral("Program"), dir.file(QStringLiteral("short.sin"))}));
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(messages.texts.first().contains(QStringLiteral("short.sin")));
    }

    // New, Open and closing the window ask before unsaved changes are lost.
    void savePrompt_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes saves, then goes on") << int(QMessageBox::Yes) << true << true;
        QTest::newRow("No discards") << int(QMessageBox::No) << true << false;
        QTest::newRow("Cancel keeps everything") << int(QMessageBox::Cancel) << false << false;
    }

    void savePrompt()
    {
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        QFETCH(bool, saved);
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        dir.write(QStringLiteral("a.sin"), pattern(8192, 2));
        dir.write(QStringLiteral("b.sin"), pattern(8192, 3));
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program"), dir.file(QStringLiteral("a.sin"))}));
        // A byte of the settings: the grid store rewrites the channel bytes from the grid.
        theImage().setByte(0x1820, 0x42);
        app.document()->SetModifiedFlag(true);
        app.documentCommands()->setFilePrompt([&](bool, const QString &) { return dir.file(QStringLiteral("b.sin")); });

        MessageRecorder messages;
        messages.answers = {QMessageBox::StandardButton(answer)};
        app.mainFrame()->action(cmd::FileOpen)->trigger();
        QCOMPARE(messages.texts, QStringList{QStringLiteral("Save changes to a.sin?")});
        QCOMPARE(app.document()->GetPathName(), dir.file(replaced ? QStringLiteral("b.sin") : QStringLiteral("a.sin")));
        QCOMPARE(theImage().bytes() == pattern(8192, 3), replaced);
        QCOMPARE(dir.read(QStringLiteral("a.sin")).at(0x1820) == char(0x42), saved);
        QCOMPARE(app.document()->IsModified(), !replaced);
    }

    void closingAsksToo()
    {
        ProgramDir dir("[Setup]\nLanguage=Cht\nCOM=COM1\n");
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        app.document()->SetModifiedFlag(true);
        MessageRecorder messages;
        messages.answers = {QMessageBox::Cancel};
        QVERIFY(!app.mainFrame()->close());
        QCOMPARE(messages.texts, QStringList{QStringLiteral("是否儲存對 未命名 的變更？")});
        messages.answers = {QMessageBox::No};
        QVERIFY(app.mainFrame()->close());
    }

    // Save of a new document asks for a name, adds ".sin", and writes 8192 bytes.
    void saveAsksForANameAndAddsTheExtension()
    {
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        int asked = 0;
        app.documentCommands()->setFilePrompt([&](bool forSave, const QString &) {
            ++asked;
            return forSave ? dir.file(QStringLiteral("mine")) : QString();
        });
        app.mainFrame()->action(cmd::FileSave)->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(dir.read(QStringLiteral("mine.sin")), theImage().bytes());
        // The path is known now: Save writes without asking.
        theImage().setByte(0x1820, 0x12);
        app.mainFrame()->action(cmd::FileSave)->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(dir.read(QStringLiteral("mine.sin")).at(0x1820), char(0x12));
    }

    void failedSaveShowsAMessageAndKeepsTheMark()
    {
        ProgramDir dir("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        CProgramApp app(dir.path());
        QVERIFY(app.InitInstance({QStringLiteral("Program")}));
        app.document()->SetModifiedFlag(true);
        app.documentCommands()->setFilePrompt([&](bool, const QString &) { return dir.file(QStringLiteral("no/dir/x.sin")); });
        MessageRecorder messages;
        QVERIFY(!app.documentCommands()->OnFileSaveAs());
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(messages.texts.first().startsWith(QStringLiteral("Cannot save the file")));
        QVERIFY(app.document()->IsModified());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
