// The About and Language dialogs, the Language command, and the Help,
// About, Language and settings commands reached from the main frame's menu.
// Nothing is really started or quit: the starter and the quit are recorded.
#include "guitest.h"
#include "modal.h"
#include "uselanguage.h"

#include "app/globals.h"
#include "app/inifile.h"
#include "app/programapp.h"
#include "image/programdoc.h"
#include "image/regions.h"
#include "settings/settingsdialog.h"
#include "ui/aboutdlg.h"
#include "ui/commandids.h"
#include "ui/documentcommands.h"
#include "ui/languagedlg.h"
#include "ui/mainframe.h"
#include "ui/processstarter.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

const QString BuiltDir = QStringLiteral(KDW_PROGRAM_DIR "/");
constexpr int Cancel = -2;

struct LanguageCase
{
    QString running;
    int choice; // the item selected before OK (-1: none); Cancel: Cancel clicked
    QString port; // the running port, chosen after Program.ini was read; empty: none
    QString language; // in Program.ini afterwards
    QString com; // in Program.ini afterwards, which held COM1
    bool restarted;
    int answer = QMessageBox::NoButton; // to the save question of a modified document
    bool startSucceeds = true;
    bool writable = true;
    int messages = 0;
};

} // namespace

Q_DECLARE_METATYPE(LanguageCase)

class TestShell : public QObject
{
    Q_OBJECT

private:
    QStringList m_starts; // program and arguments of each start
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
            return m_startSucceeds;
        });
        setQuitRequest([this] { ++m_quits; });
    }
    void cleanup()
    {
        setProcessStarter({});
        setQuitRequest({});
    }

    // About: caption, OK; Language: caption, label, OK, Cancel, the items.
    void dialogTextsInEachLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Eng") << u"Eng"_s << QStringList{u"About"_s, u"OK"_s, u"Language"_s, u"Language"_s, u"OK"_s,
                                                        u"Cancel"_s, u"Eng"_s, u"Chs"_s, u"Cht"_s};
        QTest::newRow("Chs") << u"Chs"_s << QStringList{u"关于"_s, u"确定"_s, u"语言"_s, u"语言设置"_s, u"确定"_s,
                                                        u"取消"_s, u"英文"_s, u"简体"_s, u"繁体"_s};
        QTest::newRow("Cht") << u"Cht"_s << QStringList{u"關於"_s, u"確定"_s, u"語言"_s, u"語言設定"_s, u"確定"_s,
                                                        u"取消"_s, u"英文"_s, u"簡體"_s, u"繁體"_s};
    }
    void dialogTextsInEachLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, texts);
        QVERIFY(test::useLanguage(BuiltDir, code));
        CAboutDlg about;
        CLanguageDlg language;
        auto *combo = language.item<QComboBox>(1094);
        QCOMPARE((QStringList{about.windowTitle(), about.item<QPushButton>(1)->text(), language.windowTitle(),
                              language.findChild<QLabel *>(u"label"_s)->text(), language.item<QPushButton>(1)->text(),
                              language.item<QPushButton>(2)->text()}
                  + test::itemsOf(combo)),
                 texts);
        QCOMPARE(combo->currentIndex(), int(languageIndex()));
        QVERIFY(about.item<QPushButton>(1)->isDefault());
        QVERIFY(language.item<QPushButton>(1)->isDefault());
        // The version line is the same, typo included, in every language.
        QCOMPARE(about.findChild<QLabel *>(u"version"_s)->text(), u"Vesion 1.0.4"_s);
        QCOMPARE(about.findChild<QLabel *>(u"icon"_s)->pixmap().size(), QSize(32, 32));
    }

    // A new choice asks about a modified document, writes the language to
    // Program.ini with the running port, starts the program again and quits;
    // anything that fails on the way says so and the program runs on.
    void languageCommand_data()
    {
        QTest::addColumn<LanguageCase>("c");
        const auto yes = int(QMessageBox::Yes);
        const auto no = int(QMessageBox::No);
        const auto cancel = int(QMessageBox::Cancel);
        const auto none = int(QMessageBox::NoButton);
        const QString eng = u"Eng"_s, chs = u"Chs"_s, cht = u"Cht"_s, com1 = u"COM1"_s, com5 = u"COM5"_s;
        QTest::newRow("Eng to Chs writes the port") << LanguageCase{eng, 1, com5, chs, com5, true};
        QTest::newRow("Cht to Eng") << LanguageCase{cht, 0, u"COM2"_s, eng, u"COM2"_s, true};
        QTest::newRow("same language") << LanguageCase{chs, 1, com5, chs, com1, false};
        QTest::newRow("OK without a selection chooses English") << LanguageCase{cht, -1, com5, eng, com5, true};
        QTest::newRow("Cancel") << LanguageCase{eng, Cancel, com5, eng, com1, false};
        QTest::newRow("no port name") << LanguageCase{eng, 2, QString(), cht, com1, true};
        QTest::newRow("modified, discard") << LanguageCase{eng, 1, com5, chs, com5, true, no, true, true, 1};
        QTest::newRow("modified, save") << LanguageCase{eng, 1, com5, chs, com5, true, yes, true, true, 1};
        QTest::newRow("modified, cancel") << LanguageCase{eng, 1, com5, eng, com1, false, cancel, true, true, 1};
        QTest::newRow("restart fails") << LanguageCase{eng, 1, com5, chs, com5, false, none, false, true, 1};
        QTest::newRow("Program.ini unwritable")
            << LanguageCase{eng, 1, com5, QString(), QString(), false, none, true, false, 1};
    }
    void languageCommand()
    {
        QFETCH(LanguageCase, c);
        test::ProgramDir dir(QByteArray(), {});
        test::MessageRecorder messages;
        QVERIFY(test::useLanguage(BuiltDir, c.running));
        setProgramDirectory(dir.path());
        configFile().setPath(dir.file(c.writable ? u"Program.ini"_s : u"missing/Program.ini"_s));
        if (c.writable)
            dir.write(u"Program.ini"_s, "[Setup]\nLanguage=" + c.running.toLatin1() + "\nCOM=COM1\n");
        setPortName(c.port);
        m_startSucceeds = c.startSucceeds;
        const bool modified = c.answer != QMessageBox::NoButton;
        if (modified)
            messages.answers.append(QMessageBox::StandardButton(c.answer));

        MemoryImage image;
        CProgramDoc doc(image);
        doc.SetModifiedFlag(modified);
        QWidget owner;
        DocumentCommands documents(doc, &owner);
        const QString savedPath = dir.file(u"saved.sin"_s);
        documents.setFilePrompt([&](bool, const QString &) { return savedPath; });

        const auto seen = test::whenModal<CLanguageDlg>([choice = c.choice](CLanguageDlg *dlg) {
            if (choice == Cancel)
                return QTest::mouseClick(dlg->item<QPushButton>(2), Qt::LeftButton);
            auto *combo = dlg->item<QComboBox>(1094);
            combo->setCurrentIndex(choice);
            QTest::keyClick(combo, Qt::Key_Return);
        });
        runLanguageCommand(&owner, documents);
        QVERIFY(*seen);

        QCOMPARE(configFile().ReadString(u"Setup"_s, u"Language"_s), c.language);
        QCOMPARE(configFile().ReadString(u"Setup"_s, u"COM"_s), c.com);
        QCOMPARE(messages.texts.size(), c.messages);
        QCOMPARE(m_quits, c.restarted ? 1 : 0);
        const bool startTried = c.restarted || !c.startSucceeds;
        QCOMPARE(m_starts, startTried ? QStringList{programDirectory() + u"Program"_s} : QStringList());
        QCOMPARE(QFileInfo(savedPath).size(), c.answer == QMessageBox::Yes ? qint64(MemoryImage::Size) : 0);
    }

    // About opens its dialog; Help starts the viewer found on PATH with the
    // running language's file; Language writes Program.ini and restarts.
    void shellCommandsFromTheMenu()
    {
        QTemporaryDir bin;
        test::writeFile(bin.filePath(u"xchm"_s), {});
        QFile(bin.filePath(u"xchm"_s)).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        const auto restore = qScopeGuard([&] { qputenv("PATH", path); });
        test::Program program;
        QVERIFY(program.start());

        auto seen = test::whenModal<CAboutDlg>([](CAboutDlg *dlg) { QTest::keyClick(dlg, Qt::Key_Escape); });
        program.action(cmd::AppAbout)->trigger();
        QVERIFY(*seen);
        QVERIFY(m_starts.isEmpty());
        program.action(cmd::Help)->trigger();
        QCOMPARE(m_starts, QStringList{bin.filePath(u"xchm"_s) + u' ' + program.dir.file(u"eng.chm"_s)});

        seen = test::whenModal<CLanguageDlg>([](CLanguageDlg *dlg) {
            dlg->item<QComboBox>(1094)->setCurrentIndex(1);
            QTest::mouseClick(dlg->item<QPushButton>(1), Qt::LeftButton);
        });
        program.action(cmd::Language)->trigger();
        QVERIFY(*seen);
        QCOMPARE(program.dir.read(u"Program.ini"_s), QByteArray("[Setup]\nLanguage=Chs\nCOM=COM1\n"));
        QCOMPARE(m_starts.value(1), program.dir.file(u"Program"_s));
        QCOMPARE(m_quits, 1);
    }

    // The settings commands open their dialogs over the main window on the
    // document's image; a dialog that changes a byte marks the document
    // modified, one that does not leaves the mark alone.
    void settingsFromTheMenu_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("field"); // typed into; 0: none
        QTest::addColumn<int>("key"); // that closes the dialog
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value"); // expected byte at offset; -1: the image is unchanged
        QTest::newRow("option unchanged") << int(cmd::Option) << 0 << int(Qt::Key_Escape) << 0 << -1;
        QTest::newRow("pttid code") << int(cmd::PttId) << 1096 << int(Qt::Key_Escape) << region::PttIdCode << int('7');
        QTest::newRow("embed cancel") << int(cmd::Embed) << 1092 << int(Qt::Key_Escape) << 0 << -1;
    }
    void settingsFromTheMenu()
    {
        QFETCH(int, command);
        QFETCH(int, field);
        QFETCH(int, key);
        QFETCH(int, offset);
        QFETCH(int, value);
        test::Program program;
        QVERIFY(program.start());
        CProgramDoc &doc = *program.app.document();
        doc.image().setByte(0x1820, 0); // Roger inside its encoding, so an unchanged dialog changes nothing
        doc.SetModifiedFlag(false);
        const QByteArray before = doc.image().bytes();

        const auto seen = test::whenModal<CSettingsDialog>([&](CSettingsDialog *dialog) {
            QCOMPARE(dialog->parentWidget(), program.app.mainFrame());
            QWidget *target = field ? dialog->item<QLineEdit>(field) : static_cast<QWidget *>(dialog);
            QTest::keyClicks(target, field ? u"7"_s : QString());
            QTest::keyClick(target, Qt::Key(key));
        });
        program.action(command)->trigger();
        QVERIFY(*seen);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(doc.image().bytes() == before, value < 0);
        QCOMPARE(doc.IsModified(), value >= 0);
        if (value >= 0)
            QCOMPARE(int(doc.image().byte(offset)), value);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
