// Start-up rules that need no window: Program.ini read and written as the
// private profile functions do, language names, the program directory, and
// where the language bundle may come from, and where the user's own files live.
#include "core/image/backups.h"
#include "core/program/globals.h"
#include "core/program/startup.h"
#include "core/program/userfiles.h"
#include "core/program/windowplacement.h"
#include "core/text/inifile.h"
#include "core/text/language.h"
#include "coretest.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Program.ini holding `content`; no file for a null content.
    QString iniWith(const QByteArray &content)
    {
        const QString path = m_dir.filePath(u"Program.ini"_s);
        QFile::remove(path);
        if (!content.isNull() && !writeFile(path, content))
            return {};
        return path;
    }

private slots:
    void programIni_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("com");      // COM as read
        QTest::addColumn<QByteArray>("after"); // once COM=COM5 is written
        QTest::newRow("no file: created") << QByteArray() << u""_s << QByteArray("[Setup]\nCOM=COM5\n");
        QTest::newRow("replace, keep the rest")
            << QByteArray("; mine\n[Setup]\nLanguage=Chs\nCOM=COM1\n[Other]\nx=1\n") << u"COM1"_s
            << QByteArray("; mine\n[Setup]\nLanguage=Chs\nCOM=COM5\n[Other]\nx=1\n");
        QTest::newRow("case of section and key")
            << QByteArray("[setup]\ncom=COM1\n") << u"COM1"_s << QByteArray("[setup]\nCOM=COM5\n");
        QTest::newRow("blanks, CRLF kept") << QByteArray("  [ Setup ]  \r\n  COM =  COM2  \r\n") << u"COM2"_s
                                           << QByteArray("  [ Setup ]  \r\nCOM=COM5\r\n");
        QTest::newRow("quoted") << QByteArray("[Setup]\nCOM=\"COM3\"\n") << u"COM3"_s
                                << QByteArray("[Setup]\nCOM=COM5\n");
        QTest::newRow("other section: added to ours")
            << QByteArray("[Other]\nCOM=COM4\n[Setup]\nLanguage=Eng\n") << u""_s
            << QByteArray("[Other]\nCOM=COM4\n[Setup]\nLanguage=Eng\nCOM=COM5\n");
        QTest::newRow("comment: added before the blank line")
            << QByteArray("[Setup]\n;COM=COM6\n\n[Other]\nx=1\n") << u""_s
            << QByteArray("[Setup]\n;COM=COM6\nCOM=COM5\n\n[Other]\nx=1\n");
        QTest::newRow("no section: added")
            << QByteArray("[Other]\nx=1\n") << u""_s << QByteArray("[Other]\nx=1\n[Setup]\nCOM=COM5\n");
        QTest::newRow("value cut to 255") << "[Setup]\nCOM=" + QByteArray(300, 'x') + "\n"
                                          << QString(255, u'x') << QByteArray("[Setup]\nCOM=COM5\n");
        QTest::newRow("garbage lines kept") << QByteArray("\x80\x81 junk\n[Setup]\nCOM=COM1\n") << u"COM1"_s
                                            << QByteArray("\x80\x81 junk\n[Setup]\nCOM=COM5\n");
        QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF[Setup]\nCOM=COM1\n") << u"COM1"_s
                                              << QByteArray("\xEF\xBB\xBF[Setup]\nCOM=COM5\n");
        // Only the first mark is one; the marks after it make the first line
        // no section, before and after the write alike.
        QTest::newRow("three byte order marks")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF[Setup]\nCOM=\"h") << u""_s
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF[Setup]\nCOM=\"h\n[Setup]\nCOM=COM5\n");
    }

    // COM read from each file, then COM=COM5 written: every other line stays
    // as it was.
    void programIni()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, com);
        QFETCH(QByteArray, after);
        CIniFile ini;
        ini.setPath(iniWith(before));
        QCOMPARE(ini.ReadString(u"Setup"_s, u"COM"_s), com);
        QVERIFY(ini.WriteString(u"Setup"_s, u"COM"_s, u"COM5"_s));
        QCOMPARE(readFile(ini.path()), after);
        QCOMPARE(ini.ReadString(u"Setup"_s, u"COM"_s), u"COM5"_s);
    }

    // The main window's placement read back as written; a section a hand
    // or a crash left incomplete or out of range gives none.
    void windowPlacement_data()
    {
        QTest::addColumn<QByteArray>("window"); // the [Window] section's lines
        QTest::addColumn<bool>("valid");
        QTest::newRow("written") << QByteArray("Left=-8\nTop=30\nWidth=900\nHeight=700\nMaximized=1\n") << true;
        QTest::newRow("blanks") << QByteArray("left = 5 \nTOP=6\nWidth=7\nHeight=8\nMaximized=0\n") << true;
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("a key missing") << QByteArray("Left=0\nTop=0\nWidth=900\nMaximized=0\n") << false;
        QTest::newRow("not a number") << QByteArray("Left=0\nTop=0\nWidth=9x\nHeight=700\nMaximized=0\n") << false;
        QTest::newRow("no height") << QByteArray("Left=0\nTop=0\nWidth=900\nHeight=0\nMaximized=0\n") << false;
        QTest::newRow("beyond any screen")
            << QByteArray("Left=0\nTop=0\nWidth=2147483647\nHeight=700\nMaximized=0\n") << false;
        QTest::newRow("state neither") << QByteArray("Left=0\nTop=0\nWidth=900\nHeight=700\nMaximized=2\n") << false;
    }
    void windowPlacement()
    {
        QFETCH(QByteArray, window);
        QFETCH(bool, valid);
        CIniFile ini;
        ini.setPath(iniWith("[Setup]\nCOM=COM1\n[Window]\n" + window));
        const std::optional<WindowPlacement> read = readWindowPlacement(ini);
        QCOMPARE(read.has_value(), valid);
        if (!valid)
            return;
        // Written back and read again: the same; the other section stays.
        const WindowPlacement moved{read->normal.translated(10, 20), !read->maximized};
        QVERIFY(writeWindowPlacement(ini, moved));
        QCOMPARE(readWindowPlacement(ini), moved);
        QCOMPARE(ini.ReadString(u"Setup"_s, u"COM"_s), u"COM1"_s);
    }

    // A refused or failed write returns false and changes nothing.
    void refusedWrite()
    {
        CIniFile ini;
        ini.setPath(iniWith("[Setup]\nCOM=COM1\n"));
        QVERIFY(!ini.WriteString(u"Setup"_s, u"COM"_s, QString()));
        QVERIFY(!ini.WriteString(u"Setup"_s, QString(), u"x"_s));
        QCOMPARE(readFile(ini.path()), QByteArray("[Setup]\nCOM=COM1\n"));
        ini.setPath(m_dir.filePath(u"no/such/Program.ini"_s));
        QVERIFY(!ini.WriteString(u"Setup"_s, u"COM"_s, u"COM2"_s));
    }

    void languageNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Language>("ini");                 // as Program.ini's Language
        QTest::addColumn<std::optional<Language>>("code"); // as kdw-cli's --lang
        const std::optional<Language> none;
        // Each language's own code and Program.ini text.
        for (const Language language : AllLanguages) {
            const QString code = languageCode(language);
            const QString ini = languageIniText(language);
            QTest::addRow("code %s", qPrintable(code)) << code << language << std::optional(language);
            QTest::addRow("Program.ini %s", qPrintable(ini)) << ini << language << none;
        }
        QTest::newRow("upper case") << u"CHT"_s << Language::Cht << none;
        QTest::newRow("English, mixed case") << u"eNG"_s << Language::Eng << none;
        QTest::newRow("unknown") << u"xyz"_s << Language::Eng << none;
        QTest::newRow("prefix only") << u"Ch"_s << Language::Eng << none;
        QTest::newRow("with blank") << u"Chs "_s << Language::Eng << none;
        QTest::newRow("empty") << QString() << Language::Eng << none;
    }

    // Program.ini's Language ignores case and falls back to English, and the
    // bundle's file name keeps the text as read; kdw-cli's --lang takes the
    // lower-case codes only.
    void languageNames()
    {
        QFETCH(QString, text);
        QFETCH(Language, ini);
        QFETCH(std::optional<Language>, code);
        QCOMPARE(languageOfIniText(text), ini);
        QCOMPARE(bundleFileName(text), text + u".dll"_s);
        QCOMPARE(languageOfCode(text), code);
    }

    // One guard at a time holds the busy flag; a refused guard gives back
    // nothing, and every way out of a holder's scope, a throw included, does.
    void busyGuard()
    {
        {
            const BusyGuard first;
            QVERIFY(bool(first));
            {
                const BusyGuard second;
                QVERIFY(!second);
            }
            QVERIFY(BusyGuard::held());
        }
        QVERIFY(!BusyGuard::held());
        try {
            const BusyGuard held;
            throw std::runtime_error("session failed");
        } catch (const std::runtime_error &) {
        }
        QVERIFY(!BusyGuard::held());
        QVERIFY(bool(BusyGuard()));
    }

    void userFiles_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QByteArray>("userIni"); // null: no per-user Program.ini yet
        QTest::addColumn<bool>("userDefault");   // a Default.sin of the user's own
        QTest::addColumn<QByteArray>("iniRead"); // what the program then reads
        QTest::newRow("portable: all beside the program") << false << QByteArray() << true << QByteArray("template");
        QTest::newRow("installed, first start: template copied")
            << true << QByteArray() << false << QByteArray("template");
        QTest::newRow("installed: the user's copy kept") << true << QByteArray("mine") << true << QByteArray("mine");
    }

    // An installed program directory (marked, as root could write there) keeps
    // Program.ini and Default.sin in $XDG_CONFIG_HOME/kdw-pc-encoder/ and
    // backups in $XDG_DATA_HOME (on Windows all in %APPDATA%); a portable one
    // keeps everything beside it.
    void userFiles()
    {
        QFETCH(bool, installed);
        QFETCH(QByteArray, userIni);
        QFETCH(bool, userDefault);
        QFETCH(QByteArray, iniRead);
        QTemporaryDir root;
        const QString program = root.filePath(u"lib/"_s);
        QVERIFY(QDir().mkpath(program));
        QVERIFY(writeFile(program + u"Program.ini"_s, "template"));
        QVERIFY(writeFile(program + u"Default.sin"_s, "shipped"));
        if (installed)
            QVERIFY(writeFile(program + InstalledMarkerFile.toString(), {}));
#ifdef Q_OS_WIN
        // Windows keeps both in %APPDATA%\kdw-pc-encoder.
        const QByteArray appData = qgetenv("APPDATA");
        const auto restore = qScopeGuard([&appData] { qputenv("APPDATA", appData); });
        qputenv("APPDATA", QDir::toNativeSeparators(root.filePath(u"appdata"_s)).toLocal8Bit());
        const QString configRoot = u"appdata/"_s;
        const QString dataRoot = configRoot;
#else
        qputenv("XDG_CONFIG_HOME", root.filePath(u"config"_s).toLocal8Bit());
        qputenv("XDG_DATA_HOME", root.filePath(u"data"_s).toLocal8Bit());
        const QString configRoot = u"config/"_s;
        const QString dataRoot = u"data/"_s;
#endif
        const QString config = installed ? root.filePath(configRoot + u"kdw-pc-encoder/"_s) : program;
        if (!userIni.isNull()) {
            QVERIFY(QDir().mkpath(config));
            QVERIFY(writeFile(config + u"Program.ini"_s, userIni));
        }
        if (userDefault && installed)
            QVERIFY(writeFile(config + u"Default.sin"_s, "own"));

        QCOMPARE(userConfigDirectory(program), config);
        const QString data = installed ? root.filePath(dataRoot + u"kdw-pc-encoder/"_s) : program;
        QCOMPARE(userDataDirectory(program), data);
        QCOMPARE(backupDirectory(program), data + u"backups/"_s);
        const QString ini = prepareConfigFile(program, u"Program.ini"_s);
        QCOMPARE(ini, config + u"Program.ini"_s);
        QCOMPARE(readFile(ini), iniRead);
        QCOMPARE(readFile(program + u"Program.ini"_s), QByteArray("template"));
        QCOMPARE(readFile(lookUpUserFile(program, u"Default.sin"_s)),
                 QByteArray(userDefault && installed ? "own" : "shipped"));
        // The per-user copy is the user's to write, whatever the template's mode.
        CIniFile file;
        file.setPath(ini);
        QVERIFY(file.WriteString(u"Setup"_s, u"COM"_s, u"COM3"_s));
    }

    void bundleOutsideTheProgramDirectoryIsRefused()
    {
        // The same bundle reached through "..": refused for the separator alone.
        const QString throughParent = u"../"_s + QDir(QStringLiteral(KDW_PROGRAM_DIR)).dirName() + u"/Eng"_s;
        LanguageBundle bundle;
        QVERIFY(!bundle.load(QStringLiteral(KDW_PROGRAM_DIR "/"), throughParent));
        QVERIFY(!bundle.load(QStringLiteral(KDW_PROGRAM_DIR "/"), u"Missing"_s));
        QVERIFY(bundle.load(QStringLiteral(KDW_PROGRAM_DIR "/"), u"Eng"_s));
        QVERIFY(QFile::exists(u":/bundle/art/toolbar128.xpm"_s));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
