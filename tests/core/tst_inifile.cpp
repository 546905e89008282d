// Program.ini read and written with the semantics of the private profile functions.
#include "app/inifile.h"
#include "coretest.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Program.ini holding `content`; no file for a null content.
    QString iniWith(const QByteArray &content)
    {
        const QString path = m_dir.filePath(u"Program.ini"_s);
        QFile::remove(path);
        if (!content.isNull())
            writeFile(path, content);
        return path;
    }

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no file") << QByteArray() << u"COM"_s << u""_s;
        QTest::newRow("case of section and key") << QByteArray("[SETUP]\nlanguage=cht\n") << u"Language"_s << u"cht"_s;
        QTest::newRow("blanks and CRLF") << QByteArray("  [ Setup ]  \r\n  COM =  COM2  \r\n") << u"COM"_s << u"COM2"_s;
        QTest::newRow("quoted") << QByteArray("[Setup]\nCOM=\"COM3\"\n") << u"COM"_s << u"COM3"_s;
        QTest::newRow("other section") << QByteArray("[Other]\nCOM=COM4\n[Setup]\nLanguage=Eng\n") << u"COM"_s << u""_s;
        QTest::newRow("comment") << QByteArray("[Setup]\n;COM=COM6\n") << u"COM"_s << u""_s;
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[Setup]\nCOM=COM7\n") << u"COM"_s << u"COM7"_s;
        QTest::newRow("value cut to 255") << "[Setup]\nLanguage=" + QByteArray(300, 'x') + "\n"
                                          << u"Language"_s << QString(255, u'x');
    }

    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        CIniFile ini;
        ini.setPath(iniWith(file));
        QCOMPARE(ini.ReadString(u"Setup"_s, key), expected);
    }

    // COM=COM5 written into each file; every other line stays as it was.
    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace, keep the rest")
            << QByteArray("; mine\n[Setup]\nLanguage=Chs\nCOM=COM1\n[Other]\nx=1\n")
            << QByteArray("; mine\n[Setup]\nLanguage=Chs\nCOM=COM5\n[Other]\nx=1\n");
        QTest::newRow("no file: created") << QByteArray() << QByteArray("[Setup]\nCOM=COM5\n");
        QTest::newRow("key of another case") << QByteArray("[setup]\ncom=COM1\n") << QByteArray("[setup]\nCOM=COM5\n");
        QTest::newRow("add to the section") << QByteArray("[Setup]\nLanguage=Eng\n\n[Other]\nx=1\n")
                                            << QByteArray("[Setup]\nLanguage=Eng\nCOM=COM5\n\n[Other]\nx=1\n");
        QTest::newRow("add the section") << QByteArray("[Other]\nx=1\n")
                                         << QByteArray("[Other]\nx=1\n[Setup]\nCOM=COM5\n");
        QTest::newRow("CRLF kept") << QByteArray("[Setup]\r\nCOM=COM1\r\n") << QByteArray("[Setup]\r\nCOM=COM5\r\n");
        QTest::newRow("garbage lines kept")
            << QByteArray("\x80\x81 junk\n[Setup]\nCOM=COM1\n") << QByteArray("\x80\x81 junk\n[Setup]\nCOM=COM5\n");
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        CIniFile ini;
        ini.setPath(iniWith(before));
        QVERIFY(ini.WriteString(u"Setup"_s, u"COM"_s, u"COM5"_s));
        QCOMPARE(readFile(ini.path()), after);
    }

    void refusedWrite_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("empty value") << u"Program.ini"_s << u"COM"_s << QString();
        QTest::newRow("empty key") << u"Program.ini"_s << QString() << u"x"_s;
        QTest::newRow("no such folder") << u"no/such/Program.ini"_s << u"COM"_s << u"COM2"_s;
    }

    // A refused or failed write returns false and changes nothing.
    void refusedWrite()
    {
        QFETCH(QString, file);
        QFETCH(QString, key);
        QFETCH(QString, value);
        iniWith("[Setup]\nCOM=COM1\n");
        CIniFile ini;
        ini.setPath(m_dir.filePath(file));
        QVERIFY(!ini.WriteString(u"Setup"_s, key, value));
        QCOMPARE(readFile(m_dir.filePath(u"Program.ini"_s)), QByteArray("[Setup]\nCOM=COM1\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
