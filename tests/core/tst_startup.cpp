// Start-up rules that need no window: language codes, the program directory,
// Program.ini at start and exit, and where the language bundle may come from.
#include "app/globals.h"
#include "app/inifile.h"
#include "app/startup.h"
#include "coretest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void languageIndex_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("index");
        QTest::newRow("lower case") << u"chs"_s << 1;
        QTest::newRow("upper case") << u"CHT"_s << 2;
        QTest::newRow("unknown") << u"xyz"_s << 0;
        QTest::newRow("prefix only") << u"Ch"_s << 0;
        QTest::newRow("with blank") << u"Chs "_s << 0;
    }

    // The index ignores case; the bundle's file name keeps the code as read.
    void languageIndex()
    {
        QFETCH(QString, code);
        QFETCH(int, index);
        QCOMPARE(int(languageIndexForCode(code)), index);
        QCOMPARE(bundleFileName(code), code + u".dll"_s);
    }

    void programDirectory()
    {
        QCOMPARE(programDirectoryOf(u"/opt/kdw/Program"_s), u"/opt/kdw/"_s);
        QCOMPARE(programDirectoryOf(u"/Program"_s), u"/"_s);
    }

    void configuration_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QByteArray>("afterExit"); // the port set to COM5 when one was read
        QTest::newRow("port written back") << QByteArray("[Setup]\nLanguage=cht\nCOM=COM3\n") << 2 << u"COM3"_s
                                           << QByteArray("[Setup]\nLanguage=cht\nCOM=COM5\n");
        QTest::newRow("no port: nothing written")
            << QByteArray("[Setup]\nLanguage=Eng\n") << 0 << QString() << QByteArray("[Setup]\nLanguage=Eng\n");
    }

    // Start-up reads Language and COM from Program.ini; exit writes COM back
    // only when there is a port name.
    void configuration()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, language);
        QFETCH(QString, port);
        QFETCH(QByteArray, afterExit);
        QTemporaryDir dir;
        setProgramDirectory(dir.path() + u'/');
        writeFile(dir.filePath(u"Program.ini"_s), ini);
        readStartupConfiguration();
        QCOMPARE(kdw::languageIndex(), quint8(language));
        QCOMPARE(portName(), port);
        if (!port.isEmpty())
            setPortName(u"COM5"_s);
        writeExitConfiguration();
        QCOMPARE(readFile(dir.filePath(u"Program.ini"_s)), afterExit);
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
