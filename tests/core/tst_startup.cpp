// Start-up rules that need no window: language codes, the program directory,
// and where the language bundle may come from.
#include "app/startup.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kdw;
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
