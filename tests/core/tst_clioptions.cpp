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

    // Each command's --help says what every option it takes does, in each language.
    void everyOptionExplained()
    {
        const QString program = QStringLiteral(KDW_PROGRAM_DIR);
        const QStringList lines = runCli({u"--help"_qs}, {}, program).out.split(u'\n');
        int commands = 0;
        for (const QString &line : lines) {
            if (!line.startsWith(u"  kdw-cli "_qs))
                continue;
            ++commands;
            const QString command = line.section(u' ', 3, 3);
            // A command without --lang speaks English.
            const QStringList langs
                = line.contains(u"--lang"_qs) ? QStringList{u"--lang=chs"_qs, u"--lang=cht"_qs} : QStringList{};
            for (const QString &lang : langs + QStringList{u"--help"_qs}) {
                const QString help = runCli({command, lang, u"--help"_qs}, {}, program).out;
                QVERIFY2(help.contains(u"options:\n"_qs), qPrintable(command + u" "_qs + lang));
                for (const QString &option : help.section(u"options:\n"_qs, 1).split(u'\n', Qt::SkipEmptyParts))
                    QVERIFY2(!option.mid(19).trimmed().isEmpty(), qPrintable(command + u": "_qs + option));
            }
        }
        QCOMPARE(commands, 13);
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_clioptions.moc"
