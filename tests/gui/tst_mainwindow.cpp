// Start-up with its language bundle, the main window's commands, and the
// document commands with their prompts, driven in-process.
#include "guitest.h"

#include "app/programapp.h"
#include "channels/msflexgrid.h"
#include "channels/programview.h"
#include "image/memoryimage.h"
#include "image/programdoc.h"
#include "ui/commandids.h"
#include "ui/documentcommands.h"
#include "ui/mainframe.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

using namespace kdw;
using namespace Qt::StringLiterals;
using kdw::test::MessageRecorder;
using kdw::test::Program;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("Chs bundle missing") << QByteArray("[Setup]\nLanguage=Chs\n") << QStringList{u"Eng"_s}
                                            << u"加载语言链接库失败"_s << QString();
        QTest::newRow("Cht bundle missing") << QByteArray("[Setup]\nLanguage=Cht\n") << QStringList{u"Eng"_s}
                                            << u"加載語言庫?接庫失敗"_s << QString();
        // The bundle name is the value as read: "chs.dll" is not "Chs.dll" here.
        QTest::newRow("lower-case code") << QByteArray("[Setup]\nLanguage=chs\n") << all << u"加载语言链接库失败"_s
                                         << QString();
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
        QCOMPARE(program.app.mainFrame()->windowTitle(), u"KDW PC Encoder"_s);
        QVERIFY(program.app.mainFrame()->isVisible());
    }

    // A file named on the command line that cannot be read is named in a
    // message and the program does not start (savePrompt opens a good one).
    void commandLineFileThatCannotBeOpened()
    {
        Program program;
        program.dir.write(u"a.sin"_s, QByteArray(10, 1));
        MessageRecorder messages;
        QVERIFY(!program.start(u"a.sin"_s));
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(messages.texts.first().contains(u"a.sin"_s));
    }

    // The Port item of Program.ini is checked and the one chosen written back
    // at exit; a value naming no item (or none) checks nothing and stays.
    void portMenu_data()
    {
        QTest::addColumn<QByteArray>("port"); // null: no COM key
        QTest::addColumn<int>("checked"); // -1: none
        QTest::addColumn<int>("chosen"); // -1: none
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("COM2, COM5 chosen") << QByteArray("COM2") << 1 << 4 << QByteArray("COM5");
        QTest::newRow("missing") << QByteArray() << -1 << -1 << QByteArray();
        QTest::newRow("lower case") << QByteArray("com1") << -1 << -1 << QByteArray("com1");
    }
    void portMenu()
    {
        QFETCH(QByteArray, port);
        QFETCH(int, checked);
        QFETCH(int, chosen);
        QFETCH(QByteArray, written);
        const auto ini = [](const QByteArray &com) {
            return "[Setup]\nLanguage=Eng\n" + (com.isNull() ? QByteArray() : "COM=" + com + "\n");
        };
        Program program(ini(port));
        QVERIFY(program.start());
        const auto checkedItem = [&] {
            for (int id = cmd::Com1; id <= cmd::Com8; ++id) {
                if (program.action(id)->isChecked())
                    return id - cmd::Com1;
            }
            return -1;
        };
        QCOMPARE(checkedItem(), checked);
        if (chosen >= 0)
            program.action(cmd::Com1 + chosen)->trigger();
        QCOMPARE(checkedItem(), chosen);
        QCOMPARE(program.app.ExitInstance(3), 3);
        QCOMPARE(program.dir.read(u"Program.ini"_s), ini(written));
    }

    void commandsToolbarAndStatusBar()
    {
        Program program;
        QVERIFY(program.start());
        CMainFrame &frame = *program.app.mainFrame();
        QCOMPARE(frame.action(cmd::FileOpen)->shortcut(), QKeySequence(u"Ctrl+O"_s));
        QCOMPARE(frame.action(cmd::FileOpen)->toolTip(), u"Open"_s);
        QCOMPARE(frame.action(57681)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6)); // previous pane
        for (QAction *a : frame.toolBar()->actions())
            QVERIFY2(a->isSeparator() || a->icon().availableSizes().value(0) == QSize(18, 18), qPrintable(a->text()));
        // Pointing at Read shows its prompt in the message pane.
        frame.action(cmd::Read)->showStatusText(&frame);
        QCOMPARE(frame.statusBar()->currentMessage(), u"Read Data From Radio"_s);
        // The View items hide the bars and clear their check marks.
        for (int id : {int(cmd::ViewToolbar), int(cmd::ViewStatusBar)}) {
            QVERIFY(frame.action(id)->isChecked());
            frame.action(id)->trigger();
            QVERIFY(!frame.action(id)->isChecked());
        }
        QVERIFY(frame.toolBar()->isHidden());
        QVERIFY(frame.statusBar()->isHidden());
    }

    // Open asks before unsaved changes are lost. A short file, or a save
    // that fails, is reported and everything stays as it was.
    void savePrompt_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("size"); // of the file opened
        QTest::addColumn<bool>("unwritable"); // the file saved
        QTest::addColumn<QString>("second"); // a part of the second message; null: none
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<bool>("saved");
        const int yes = QMessageBox::Yes;
        const int no = QMessageBox::No;
        const int cancel = QMessageBox::Cancel;
        QTest::newRow("Yes saves, then opens") << yes << 8192 << false << QString() << true << true;
        QTest::newRow("No discards") << no << 8192 << false << QString() << true << false;
        QTest::newRow("Cancel keeps everything") << cancel << 8192 << false << QString() << false << false;
        QTest::newRow("short file keeps everything") << no << 8191 << false << u"b.sin"_s << false << false;
        QTest::newRow("failed save keeps everything") << yes << 8192 << true << u"Cannot save the file"_s << false
                                                      << false;
    }
    void savePrompt()
    {
        QFETCH(int, answer);
        QFETCH(int, size);
        QFETCH(bool, unwritable);
        QFETCH(QString, second);
        QFETCH(bool, replaced);
        QFETCH(bool, saved);
        Program program;
        program.dir.write(u"a.sin"_s, QByteArray(8192, 2));
        program.dir.write(u"b.sin"_s, QByteArray(size, 3));
        QVERIFY(program.start(u"a.sin"_s));
        QCOMPARE(theImage().bytes(), QByteArray(8192, 2));
        if (unwritable)
            QVERIFY(QFile::remove(program.dir.file(u"a.sin"_s)) && QDir().mkdir(program.dir.file(u"a.sin"_s)));
        const QString cell = program.app.view()->grid()->GetTextMatrix(1, 1);
        theImage().setByte(0x1820, 0x42); // a settings byte, which the grid store keeps
        program.app.view()->gridStore(); // the image as Save stores it
        const QByteArray edited = theImage().bytes();
        program.app.document()->SetModifiedFlag(true);
        const QString b = program.dir.file(u"b.sin"_s);
        program.app.documentCommands()->setFilePrompt([&](bool, const QString &) { return b; });

        MessageRecorder messages;
        messages.answers = {QMessageBox::StandardButton(answer)};
        program.action(cmd::FileOpen)->trigger();
        QCOMPARE(messages.texts.value(0), u"Save changes to a.sin?"_s);
        QCOMPARE(messages.texts.size(), second.isNull() ? 1 : 2);
        QVERIFY2(messages.texts.value(1).contains(second), qPrintable(messages.texts.value(1)));
        QCOMPARE(program.app.document()->GetPathName(), program.dir.file(replaced ? u"b.sin"_s : u"a.sin"_s));
        QCOMPARE(theImage().bytes(), replaced ? QByteArray(8192, 3) : edited);
        QCOMPARE(program.app.view()->grid()->GetTextMatrix(1, 1) == cell, !replaced);
        QCOMPARE(program.dir.read(u"a.sin"_s).mid(0x1820, 1) == "\x42", saved);
        QCOMPARE(program.app.document()->IsModified(), !replaced);
    }

    void closingAsksToo()
    {
        Program program("[Setup]\nLanguage=Cht\nCOM=COM1\n");
        QVERIFY(program.start());
        program.app.document()->SetModifiedFlag(true);
        MessageRecorder messages;
        messages.answers = {QMessageBox::Cancel, QMessageBox::No};
        QVERIFY(!program.app.mainFrame()->close());
        QCOMPARE(messages.texts, QStringList{u"是否儲存對 未命名 的變更？"_s});
        QVERIFY(program.app.mainFrame()->close());
    }

    // Save of a new document asks for a name, adds ".sin" and writes 8192
    // bytes; the name known, Save writes without asking.
    void saveAsksForANameAndAddsTheExtension()
    {
        Program program;
        QVERIFY(program.start());
        int asked = 0;
        program.app.documentCommands()->setFilePrompt([&](bool forSave, const QString &) {
            ++asked;
            return forSave ? program.dir.file(u"mine"_s) : QString();
        });
        for (quint8 value : {0x00, 0x12}) {
            theImage().setByte(0x1820, value);
            program.action(cmd::FileSave)->trigger();
            QCOMPARE(asked, 1);
            QCOMPARE(program.dir.read(u"mine.sin"_s), theImage().bytes());
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
