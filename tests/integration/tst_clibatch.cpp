// kdw-cli batch against a simulated box of radios: each radio ends up with
// the document plus its row, the log says so, and a bad file touches none.

#include "core/image/sinfile.h"
#include "radiosim.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

namespace {

const QString Variations = QStringLiteral("Code,SQL\n101,3\n102,\n103,5\n");

QStringList logLines(const QString &path)
{
    return QString::fromUtf8(readFile(path)).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestCliBatch : public QObject
{
    Q_OBJECT

private:
    // The document with a row's settings, as `kdw-cli settings` makes it.
    QByteArray documentWith(const RadioSim &sim, const QStringList &assignments)
    {
        const QString path = sim.directory() + QStringLiteral("expected.sin");
        QFile::remove(path);
        if (!QFile::copy(sim.directory() + QStringLiteral("doc.sin"), path))
            return {};
        if (!assignments.isEmpty()
            && sim.runCli(QStringList{QStringLiteral("settings"), path} + assignments).exitCode != 0)
            return {};
        return readFile(path);
    }

    bool prepareFiles(const RadioSim &sim, const QString &variations)
    {
        return sim.isRunning() && writeSinFile(sim.directory() + QStringLiteral("doc.sin"), patternImage(5))
               && writeFile(sim.directory() + QStringLiteral("v.csv"), variations.toUtf8());
    }

    CliRun batch(const RadioSim &sim, const QStringList &more = {}, int units = 3)
    {
        return sim.runCli(QStringList{QStringLiteral("batch"), QStringLiteral("--auto"), QStringLiteral("--units"),
                                      QString::number(units), QStringLiteral("--vary"),
                                      sim.directory() + QStringLiteral("v.csv"), QStringLiteral("--log"),
                                      sim.directory() + QStringLiteral("log.csv"), QStringLiteral("--port"),
                                      QStringLiteral("COM1"), sim.directory() + QStringLiteral("doc.sin")}
                          + more);
    }

private slots:
    void threeRadiosEachGetTheirRow()
    {
        const RadioSim sim({QStringLiteral("--box"), QStringLiteral("3")});
        QVERIFY(prepareFiles(sim, Variations));
        const CliRun run = batch(sim);
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err + sim.logTail()));
        const QStringList rows[] = {{QStringLiteral("Code=101"), QStringLiteral("SQL=3")},
                                    {QStringLiteral("Code=102")},
                                    {QStringLiteral("Code=103"), QStringLiteral("SQL=5")}};
        const QStringList lines = logLines(sim.directory() + QStringLiteral("log.csv"));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QStringLiteral("unit,started,finished,identification,result,backup,sha256,changes"));
        for (int i = 0; i < 3; ++i) {
            const QByteArray expected = documentWith(sim, rows[i]);
            QCOMPARE(expected.size(), MemoryImage::Size);
            QCOMPARE(writtenRanges(sim.savedMemory(i + 1)), writtenRanges(expected));
            const QStringList cells = lines.at(i + 1).split(u',');
            QCOMPARE(cells.at(4), QStringLiteral("verified"));
            QCOMPARE(cells.at(6),
                     QString::fromLatin1(QCryptographicHash::hash(expected, QCryptographicHash::Sha256).toHex()));
            QCOMPARE(cells.at(7), rows[i].join(u';'));
        }
        QVERIFY2(run.out.contains(QStringLiteral("3 verified, 0 failed, 0 skipped")), qPrintable(run.out));
    }

    void aRadioOfAnotherIdentificationIsSkipped()
    {
        const RadioSim sim({QStringLiteral("--box"), QStringLiteral("3"), QStringLiteral("--ident"),
                            QStringLiteral("2:4b44573431370200")});
        QVERIFY(prepareFiles(sim, Variations));
        const CliRun run = batch(sim);
        QVERIFY2(run.exitCode == 1, qPrintable(run.out + run.err + sim.logTail()));
        const QStringList lines = logLines(sim.directory() + QStringLiteral("log.csv"));
        QCOMPARE(lines.size(), 4);
        QVERIFY2(lines.at(2).contains(QStringLiteral(",4b44573431370200,skipped,,,expected=4b44573431370100")),
                 qPrintable(lines.at(2)));
        QVERIFY(sim.savedMemory(2).isEmpty());
        // The skipped radio's row goes to the next one.
        QCOMPARE(writtenRanges(sim.savedMemory(3)), writtenRanges(documentWith(sim, {QStringLiteral("Code=102")})));
        QVERIFY2(run.out.contains(QStringLiteral("2 verified, 0 failed, 1 skipped")), qPrintable(run.out));
    }

    // The lines people read are in the language asked for; the log is not.
    void speaksTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("Simplified Chinese")
            << QStringLiteral("chs")
            << QStringLiteral("第 1 台：已校验（识别码 4b44573431370100） Code=101;SQL=3|第 2 台：跳过（识别码 "
                              "4b44573431370200）|1 台已校验，0 台失败，1 台跳过|日志：")
            << QStringLiteral("第 1 台：正在识别|第 1 台：正在校验|第 2 台：正在等待下一台对讲机（请取下这一台）");
        QTest::newRow("Traditional Chinese")
            << QStringLiteral("cht")
            << QStringLiteral("第 1 台：已校驗（識別碼 4b44573431370100）|第 2 台：跳過（識別碼 "
                              "4b44573431370200）|1 台已校驗，0 台失敗，1 台跳過|記錄：")
            << QStringLiteral("第 1 台：正在識別|第 1 台：正在寫入|第 2 台：正在等待下一台對講機（請取下這一台）");
    }

    void speaksTheChosenLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const RadioSim sim({QStringLiteral("--box"), QStringLiteral("2"), QStringLiteral("--ident"),
                            QStringLiteral("2:4b44573431370200")});
        QVERIFY(prepareFiles(sim, Variations));
        const CliRun run = batch(sim, {QStringLiteral("--lang"), language, QStringLiteral("--no-backup")}, 2);
        QVERIFY2(run.exitCode == 1, qPrintable(run.out + run.err + sim.logTail()));
        QVERIFY2(saysAll(run.out, out), qPrintable(run.out));
        QVERIFY2(saysAll(run.err, err), qPrintable(run.err));
        const QStringList lines = logLines(sim.directory() + QStringLiteral("log.csv"));
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(1).contains(QStringLiteral(",verified,,")), qPrintable(lines.at(1)));
        QVERIFY2(lines.at(2).contains(QStringLiteral(",skipped,,,expected=")), qPrintable(lines.at(2)));
    }

    void aBadVariationsFileTouchesNoRadio_data()
    {
        QTest::addColumn<QString>("variations");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown label") << QStringLiteral("Code,Volume\n1,2\n") << QStringLiteral("eng")
                                       << QStringLiteral("line 1, column 2");
        QTest::newRow("bad value on the last row") << QStringLiteral("Code,SQL\n1,2\n3,4\n5,eleven\n")
                                                   << QStringLiteral("eng") << QStringLiteral("line 4, column 2");
        QTest::newRow("bad value, Simplified Chinese")
            << QStringLiteral("Code,SQL\n1,2\n5,eleven\n") << QStringLiteral("chs")
            << QStringLiteral("第 3 行，第 2 列：SQL：未知的选项“eleven”");
        QTest::newRow("unknown label, Traditional Chinese")
            << QStringLiteral("Code,Volume\n1,2\n") << QStringLiteral("cht")
            << QStringLiteral("第 1 行，第 2 欄：未知的設定項「Volume」");
    }

    void aBadVariationsFileTouchesNoRadio()
    {
        QFETCH(QString, variations);
        QFETCH(QString, language);
        QFETCH(QString, says);
        const RadioSim sim({QStringLiteral("--box"), QStringLiteral("3")});
        QVERIFY(prepareFiles(sim, variations));
        const CliRun run = batch(sim, {QStringLiteral("--lang"), language});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(sim.directory() + QStringLiteral("log.csv")));
        QCOMPARE(sim.hostBytes(), QByteArray());
    }

    // A fault on the line is resumed, and the notice counts the blocks of the
    // transfer it struck.
    void aResumeNamesItsTransfer_data()
    {
        QTest::addColumn<QStringList>("more");
        QTest::addColumn<QString>("says");
        QTest::newRow("the backup read") << QStringList() << QStringLiteral("block 101 of 318");
        QTest::newRow("the write") << QStringList{QStringLiteral("--no-backup")} << QStringLiteral("block 101 of 316");
    }

    void aResumeNamesItsTransfer()
    {
        QFETCH(QStringList, more);
        QFETCH(QString, says);
        const RadioSim sim({QStringLiteral("--silence"), QStringLiteral("100")});
        QVERIFY(prepareFiles(sim, Variations));
        const CliRun run = batch(sim, more, 1);
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err + sim.logTail()));
        QVERIFY2(run.err.contains(QStringLiteral("Connection lost at ") + says), qPrintable(run.err));
    }

    // Without --auto each radio waits for the person at the bench: a prompt
    // on standard error, Enter for the next radio (taken from the box by
    // hand), "q" or the end of input to stop.
    void theManualRunWaitsForEnter_data()
    {
        QTest::addColumn<QStringList>("answers"); // the end of input follows when the last is not "q"
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("q at the first prompt") << QStringList{QStringLiteral("q")} << 0 << 1;
        QTest::newRow("one radio, then the end of input") << QStringList{QString()} << 1 << 0;
        QTest::newRow("two radios, then q") << QStringList{QString(), QString(), QStringLiteral(" q ")} << 2 << 0;
    }

    void theManualRunWaitsForEnter()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, written);
        QFETCH(int, exitCode);
        RadioSim sim({QStringLiteral("--box"), QStringLiteral("3")});
        QVERIFY(prepareFiles(sim, QString()) && !sim.cliPath().isEmpty());
        QProcess cli;
        cli.start(sim.cliPath(),
                  {QStringLiteral("batch"), QStringLiteral("--log"), sim.directory() + QStringLiteral("log.csv"),
                   QStringLiteral("--port"), QStringLiteral("COM1"), sim.directory() + QStringLiteral("doc.sin")});
        QString err;
        for (qsizetype i = 0; i < answers.size(); ++i) {
            const QString prompt
                = QStringLiteral("Connect radio %1, switch it on and press Enter (q to stop)\n").arg(i + 1);
            QTRY_VERIFY2_WITH_TIMEOUT((err += QString::fromUtf8(cli.readAllStandardError())).contains(prompt),
                                      qPrintable(err + sim.logTail()), 30000);
            if (i == 0)
                QCOMPARE(sim.hostBytes(), QByteArray()); // nothing before the first Enter
            else
                QVERIFY(sim.swapTo(int(i) + 1));
            cli.write(answers.at(i).toUtf8() + '\n');
        }
        cli.closeWriteChannel();
        QVERIFY(cli.waitForFinished(60000));
        err += QString::fromUtf8(cli.readAllStandardError());
        const QString out = QString::fromUtf8(cli.readAllStandardOutput());
        QVERIFY2(cli.exitCode() == exitCode, qPrintable(out + err + sim.logTail()));
        QVERIFY2(!out.contains(QStringLiteral("Connect radio")), qPrintable(out));
        QCOMPARE(logLines(sim.directory() + QStringLiteral("log.csv")).size(), written + 1);
        const QByteArray document = readFile(sim.directory() + QStringLiteral("doc.sin"));
        for (int radio = 1; radio <= 3; ++radio) {
            const QByteArray memory = sim.savedMemory(radio);
            QCOMPARE(memory.isEmpty(), radio > written);
            if (!memory.isEmpty())
                QCOMPARE(writtenRanges(memory), writtenRanges(document));
        }
        if (written == 0)
            QCOMPARE(sim.hostBytes(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestCliBatch)
#include "tst_clibatch.moc"
