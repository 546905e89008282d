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
        QTest::newRow("Chs") << u"Chs"_s << 1;
        QTest::newRow("Cht") << u"Cht"_s << 2;
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

    void configurationRoundTrip()
    {
        QTemporaryDir dir;
        setProgramDirectory(dir.path() + u'/');
        writeFile(dir.filePath(u"Program.ini"_s), "[Setup]\nLanguage=cht\nCOM=COM3\n");
        QCOMPARE(readStartupConfiguration(), u"cht"_s);
        QCOMPARE(kdw::languageIndex(), quint8(2));
        QCOMPARE(portName(), u"COM3"_s);
        setPortName(u"COM5"_s);
        writeExitConfiguration();
        QCOMPARE(readFile(dir.filePath(u"Program.ini"_s)), QByteArray("[Setup]\nLanguage=cht\nCOM=COM5\n"));
    }

    // No COM key: the port name is empty and exit writes nothing back.
    void missingPortIsNotWritten()
    {
        QTemporaryDir dir;
        setProgramDirectory(dir.path() + u'/');
        writeFile(dir.filePath(u"Program.ini"_s), "[Setup]\nLanguage=Eng\n");
        readStartupConfiguration();
        QCOMPARE(portName(), QString());
        writeExitConfiguration();
        QCOMPARE(readFile(dir.filePath(u"Program.ini"_s)), QByteArray("[Setup]\nLanguage=Eng\n"));
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
