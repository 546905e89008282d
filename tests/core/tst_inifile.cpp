// Program.ini read and written with the semantics of the private profile functions.
#include "app/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;

class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("Program.ini"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
            qFatal("cannot write the test file");
        return path;
    }

    static QByteArray content(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[Setup]\nLanguage=Chs\nCOM=COM5\n") << "COM" << "COM5";
        QTest::newRow("case of section and key") << QByteArray("[SETUP]\nlanguage=cht\n") << "Language" << "cht";
        QTest::newRow("blanks and CRLF") << QByteArray("  [ Setup ]  \r\n  COM =  COM2  \r\n") << "COM" << "COM2";
        QTest::newRow("quoted") << QByteArray("[Setup]\nCOM=\"COM3\"\n") << "COM" << "COM3";
        QTest::newRow("other section") << QByteArray("[Other]\nCOM=COM4\n[Setup]\nLanguage=Eng\n") << "COM" << "";
        QTest::newRow("empty value") << QByteArray("[Setup]\nCOM=\n") << "COM" << "";
        QTest::newRow("missing key") << QByteArray("[Setup]\nLanguage=Eng\n") << "COM" << "";
        QTest::newRow("empty file") << QByteArray() << "Language" << "";
        QTest::newRow("comment") << QByteArray("[Setup]\n;COM=COM6\n") << "COM" << "";
        QTest::newRow("binary garbage") << QByteArray("\x00\xFF\xFE[\x01=\x02\n\x80\x81", 10) << "COM" << "";
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[Setup]\nCOM=COM7\n") << "COM" << "COM7";
        QTest::newRow("value cut to 255") << QByteArray("[Setup]\nLanguage=" + QByteArray(300, 'x') + "\n")
                                          << "Language" << QString(255, u'x');
    }

    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        CIniFile ini;
        ini.setPath(writeFile(file));
        QCOMPARE(ini.ReadString(QStringLiteral("Setup"), key), expected);
    }

    void readMissingFileAndEmptyKey()
    {
        CIniFile ini;
        ini.setPath(m_dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(ini.ReadString(QStringLiteral("Setup"), QStringLiteral("COM")), QString());
        ini.setPath(writeFile("[Setup]\n=x\n"));
        QCOMPARE(ini.ReadString(QStringLiteral("Setup"), QString()), QString());
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace, keep the rest")
            << QByteArray("; mine\n[Setup]\nLanguage=Chs\nCOM=COM1\n[Other]\nx=1\n")
            << QByteArray("; mine\n[Setup]\nLanguage=Chs\nCOM=COM5\n[Other]\nx=1\n");
        QTest::newRow("key of another case") << QByteArray("[setup]\ncom=COM1\n") << QByteArray("[setup]\nCOM=COM5\n");
        QTest::newRow("add to the section")
            << QByteArray("[Setup]\nLanguage=Eng\n\n[Other]\nx=1\n")
            << QByteArray("[Setup]\nLanguage=Eng\nCOM=COM5\n\n[Other]\nx=1\n");
        QTest::newRow("add the section") << QByteArray("[Other]\nx=1\n") << QByteArray("[Other]\nx=1\n[Setup]\nCOM=COM5\n");
        QTest::newRow("empty file") << QByteArray("") << QByteArray("[Setup]\nCOM=COM5\n");
        QTest::newRow("CRLF kept") << QByteArray("[Setup]\r\nCOM=COM1\r\n") << QByteArray("[Setup]\r\nCOM=COM5\r\n");
        QTest::newRow("garbage lines kept")
            << QByteArray("\x80\x81 junk\n[Setup]\nCOM=COM1\n") << QByteArray("\x80\x81 junk\n[Setup]\nCOM=COM5\n");
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        CIniFile ini;
        ini.setPath(writeFile(before));
        QVERIFY(ini.WriteString(QStringLiteral("Setup"), QStringLiteral("COM"), QStringLiteral("COM5")));
        QCOMPARE(content(ini.path()), after);
    }

    void writeCreatesTheFile()
    {
        CIniFile ini;
        ini.setPath(m_dir.filePath(QStringLiteral("new.ini")));
        QVERIFY(ini.WriteString(QStringLiteral("Setup"), QStringLiteral("Language"), QStringLiteral("Cht")));
        QCOMPARE(ini.ReadString(QStringLiteral("Setup"), QStringLiteral("Language")), QStringLiteral("Cht"));
    }

    void emptyKeyOrValueWritesNothing()
    {
        CIniFile ini;
        ini.setPath(writeFile("[Setup]\nCOM=COM1\n"));
        QVERIFY(!ini.WriteString(QStringLiteral("Setup"), QStringLiteral("COM"), QString()));
        QVERIFY(!ini.WriteString(QStringLiteral("Setup"), QString(), QStringLiteral("x")));
        QCOMPARE(content(ini.path()), QByteArray("[Setup]\nCOM=COM1\n"));
    }

    void failedWriteIsReported()
    {
        CIniFile ini;
        ini.setPath(m_dir.filePath(QStringLiteral("no/such/folder/Program.ini")));
        QVERIFY(!ini.WriteString(QStringLiteral("Setup"), QStringLiteral("COM"), QStringLiteral("COM2")));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
