// Start-up rules that need no window: language codes and the program directory.
#include "app/globals.h"
#include "app/inifile.h"
#include "app/startup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;

class TestStartup : public QObject
{
    Q_OBJECT

    static void writeIni(const QTemporaryDir &dir, const QByteArray &content)
    {
        QFile f(dir.filePath(QStringLiteral("Program.ini")));
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write Program.ini");
    }

private slots:
    void languageIndex_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("index");
        QTest::newRow("Eng") << "Eng" << 0;
        QTest::newRow("Chs") << "Chs" << 1;
        QTest::newRow("Cht") << "Cht" << 2;
        QTest::newRow("lower case") << "chs" << 1;
        QTest::newRow("upper case") << "CHT" << 2;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("unknown") << "xyz" << 0;
        QTest::newRow("prefix only") << "Ch" << 0;
        QTest::newRow("with blank") << "Chs " << 0;
    }

    void languageIndex()
    {
        QFETCH(QString, code);
        QFETCH(int, index);
        QCOMPARE(int(languageIndexForCode(code)), index);
        QCOMPARE(bundleFileName(code), code + QStringLiteral(".dll"));
    }

    void programDirectory()
    {
        QCOMPARE(programDirectoryOf(QStringLiteral("/opt/kdw/Program")), QStringLiteral("/opt/kdw/"));
        QCOMPARE(programDirectoryOf(QStringLiteral("/Program")), QStringLiteral("/"));
    }

    void configurationRoundTrip()
    {
        QTemporaryDir dir;
        setProgramDirectory(dir.path() + u'/');
        writeIni(dir, "[Setup]\nLanguage=cht\nCOM=COM3\n");
        QCOMPARE(readStartupConfiguration(), QStringLiteral("cht"));
        QCOMPARE(kdw::languageIndex(), quint8(2));
        QCOMPARE(portName(), QStringLiteral("COM3"));
        setPortName(QStringLiteral("COM5"));
        writeExitConfiguration();
        QCOMPARE(configFile().ReadString(QStringLiteral("Setup"), QStringLiteral("COM")), QStringLiteral("COM5"));
        QCOMPARE(configFile().ReadString(QStringLiteral("Setup"), QStringLiteral("Language")), QStringLiteral("cht"));
    }

    // No COM key: the port name is empty and exit writes nothing back.
    void missingPortIsNotWritten()
    {
        QTemporaryDir dir;
        setProgramDirectory(dir.path() + u'/');
        writeIni(dir, "[Setup]\nLanguage=Eng\n");
        readStartupConfiguration();
        QCOMPARE(portName(), QString());
        writeExitConfiguration();
        QFile f(dir.filePath(QStringLiteral("Program.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Setup]\nLanguage=Eng\n"));
    }

    void bundleOutsideTheProgramDirectoryIsRefused()
    {
        LanguageBundle bundle;
        QVERIFY(!bundle.load(QStringLiteral(KDW_PROGRAM_DIR "/"), QStringLiteral("../build/Eng")));
        QVERIFY(!bundle.load(QStringLiteral(KDW_PROGRAM_DIR "/"), QStringLiteral("Missing")));
        QVERIFY(bundle.load(QStringLiteral(KDW_PROGRAM_DIR "/"), QStringLiteral("Eng")));
        QVERIFY(QFile::exists(QStringLiteral(":/bundle/art/toolbar128.xpm")));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
