// kdw-cli's front door: --help, --version, --opt=value, and unknown names said
// with the nearest known one.
#include "clirun.h"

#include <QTest>

using namespace kdw::test;

class TestCliOptions : public QObject
{
    Q_OBJECT

private slots:
    void frontDoor_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // the start of standard output
        QTest::addColumn<QString>("err"); // the start of standard error
        QTest::newRow("command help")
            << QStringList{u"check"_qs, u"--help"_qs} << 0
            << u"usage: kdw-cli check [--lang eng|chs|cht] FILE.sin\noptions:\n  --help           this help\n"
               "  --lang VALUE     language of the texts: eng, chs or cht\n"_qs
            << QString();
        QTest::newRow("command help, Chinese")
            << QStringList{u"check"_qs, u"--lang=cht"_qs, u"--help"_qs} << 0
            << u"usage: kdw-cli check [--lang eng|chs|cht] FILE.sin\noptions:\n  --help           顯示此說明\n"_qs
            << QString();
        QTest::newRow("version") << QStringList{u"--version"_qs} << 0 << u"kdw-cli 1.0.4\n"_qs << QString();
        QTest::newRow("list of commands")
            << QStringList{u"--help"_qs} << 0 << u"usage: kdw-cli COMMAND [ARGS]\n"_qs << QString();
        QTest::newRow("--opt=value") << QStringList{u"channels"_qs, u"--lang=chs"_qs, u"DEF_U01.sin"_qs} << 0
                                     << u"信道,接收频率,"_qs << QString();
        QTest::newRow("misspelt option")
            << QStringList{u"import"_qs, u"--lnag"_qs, u"chs"_qs, u"a.sin"_qs, u"b.csv"_qs} << 2 << QString()
            << u"kdw-cli: unknown option --lnag; did you mean --lang?\nusage: kdw-cli import "_qs;
        QTest::newRow("unknown option") << QStringList{u"check"_qs, u"--colour"_qs, u"a.sin"_qs} << 2 << QString()
                                        << u"kdw-cli: unknown option --colour\nusage: kdw-cli check "_qs;
        QTest::newRow("--expect that is no identification, Chinese")
            << QStringList{u"write"_qs,    u"--lang=chs"_qs, u"--port"_qs,     u"COM9"_qs,
                           u"--expect"_qs, u"KDW417"_qs,     u"DEF_U01.sin"_qs}
            << 2 << QString() << u"kdw-cli: --expect 需要对讲机的识别码"_qs;
        QTest::newRow("misspelt command") << QStringList{u"imprt"_qs} << 2 << QString()
                                          << u"kdw-cli: unknown command imprt; did you mean import?\nusage: "_qs;
    }

    void frontDoor()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CliRun run = runCli(arguments, {}, QStringLiteral(KDW_PROGRAM_DIR));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.startsWith(out), qPrintable(run.out));
        QVERIFY2(run.err.startsWith(err), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_clioptions.moc"
