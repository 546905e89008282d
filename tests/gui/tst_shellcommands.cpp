#include "app/globals.h"
#include "app/inifile.h"
#include "app/programapp.h"
#include "ui/aboutdlg.h"
#include "ui/commandids.h"
#include "ui/languagedlg.h"
#include "ui/mainframe.h"
#include "ui/processstarter.h"

#include "guitest.h"
#include "modal.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

// Language, Help and About reached from the main frame's menu, in a program
// directory of their own. Nothing is really started or quit.
class TestShellCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void aboutFromTheMenu();
    void helpFromTheMenu();
    void languageFromTheMenu();

private:
    test::ProgramDir m_programDir{"[Setup]\nLanguage=Eng\nCOM=COM3\n"};
    QTemporaryDir m_path;
    QByteArray m_oldPath;
    std::unique_ptr<CProgramApp> m_app;
    QStringList m_started;
    int m_quits = 0;
};

void TestShellCommands::initTestCase()
{
    QFile viewer(m_path.filePath(u"xchm"_s));
    QVERIFY(viewer.open(QIODevice::WriteOnly));
    viewer.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    viewer.close();
    m_oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_path.path()));

    setProcessStarter([this](const QString &program, const QStringList &arguments) {
        m_started.append(program + u' ' + arguments.join(u' '));
        return true;
    });
    setQuitRequest([this] { ++m_quits; });

    m_app = std::make_unique<CProgramApp>(m_programDir.path());
    QVERIFY(m_app->InitInstance({u"Program"_s}));
}

void TestShellCommands::cleanupTestCase()
{
    m_app.reset();
    qputenv("PATH", m_oldPath);
    setProcessStarter({});
    setQuitRequest({});
}

void TestShellCommands::aboutFromTheMenu()
{
    QAction *about = m_app->mainFrame()->action(cmd::AppAbout);
    QVERIFY(about->isEnabled());
    const auto seen = test::whenModal<CAboutDlg>([](CAboutDlg *dlg) { QTest::keyClick(dlg, Qt::Key_Escape); });
    about->trigger();
    QVERIFY(*seen);
    QVERIFY(m_started.isEmpty());
}

void TestShellCommands::helpFromTheMenu()
{
    QAction *help = m_app->mainFrame()->action(cmd::Help);
    QVERIFY(help->isEnabled());
    help->trigger();
    QCOMPARE(m_started, QStringList{m_path.filePath(u"xchm"_s) + u' ' + m_programDir.file(u"eng.chm"_s)});
    m_started.clear();
}

void TestShellCommands::languageFromTheMenu()
{
    QAction *language = m_app->mainFrame()->action(cmd::Language);
    QVERIFY(language->isEnabled());
    const auto seen = test::whenModal<CLanguageDlg>([](CLanguageDlg *dlg) {
        dlg->item<QComboBox>(1094)->setCurrentIndex(1);
        QTest::mouseClick(dlg->item<QPushButton>(1), Qt::LeftButton);
    });
    language->trigger();
    QVERIFY(*seen);

    CIniFile ini;
    ini.setPath(m_programDir.file(u"Program.ini"_s));
    QCOMPARE(ini.ReadString(u"Setup"_s, u"Language"_s), u"Chs"_s);
    QCOMPARE(ini.ReadString(u"Setup"_s, u"COM"_s), u"COM3"_s);
    QCOMPARE(m_started, QStringList{m_programDir.file(u"Program"_s) + u' '});
    QCOMPARE(m_quits, 1);
}

QTEST_MAIN(TestShellCommands)
#include "tst_shellcommands.moc"
