// kdw-cli batch against a simulated box of radios: what it says in the
// language asked for and what the log keeps, resumes, the manual run's
// prompts, and a bad variations file that touches no radio.

#include "core/image/sinfile.h"
#include "core/settings/settingtable.h"
#include "core/settings/settingvalues.h"
#include "radiosim.h"

#include <QProcess>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

const QString Variations = u"Code,SQL\n101,3\n102,\n103,5\n"_s;

QStringList logLines(const QString &path)
{
    return QString::fromUtf8(readFile(path)).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestCliBatch : public QObject
{
    Q_OBJECT

private:
    bool prepareFiles(const RadioSim &sim, const QString &variations)
    {
        return sim.isRunning() && writeSinFile(sim.directory() + u"doc.sin"_s, patternImage(5))
               && writeFile(sim.directory() + u"v.csv"_s, variations.toUtf8());
    }

    CliRun batch(const RadioSim &sim, const QStringList &more = {}, int units = 3)
    {
        const QString dir = sim.directory();
        return sim.runCli(texts(u"batch|--auto|--units|%1|--vary|%2v.csv|--log|%2log.csv|--port|COM1|%2doc.sin"_s.arg(
                              QString::number(units), dir))
                          + more);
    }

private slots:
    // The lines people read are in the language asked for; the log is not.
    void speaksTheChosenLanguage()
    {
        const RadioSim sim(texts(u"--box|2|--ident|2:4b44573431370200"));
        QVERIFY(prepareFiles(sim, Variations));
        const CliRun run = batch(sim, {u"--lang"_s, u"chs"_s, u"--no-backup"_s}, 2);
        QVERIFY2(run.exitCode == 1, qPrintable(run.out + run.err + sim.logTail()));
        QVERIFY2(saysAll(run.out, u"第 1 台：已校验（识别码 4b44573431370100） Code=101;SQL=3|第 2 台：跳过（识别码 "
                                  "4b44573431370200）|1 台已校验，0 台失败，1 台跳过|日志："_s),
                 qPrintable(run.out));
        QVERIFY2(saysAll(run.err, u"第 1 台：正在识别|第 1 台：正在写入|第 1 台：正在校验|"
                                  "第 2 台：正在等待下一台对讲机（请取下这一台）"_s),
                 qPrintable(run.err));
        const QStringList lines = logLines(sim.directory() + u"log.csv"_s);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(1).contains(u",verified,,"_s), qPrintable(lines.at(1)));
        QVERIFY2(lines.at(2).contains(u",skipped,,,expected="_s), qPrintable(lines.at(2)));
    }

    void aBadVariationsFileTouchesNoRadio_data()
    {
        QTest::addColumn<QString>("variations");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("says");
        QTest::newRow("bad value, Simplified Chinese")
            << u"Code,SQL\n1,2\n5,eleven\n"_s << u"chs"_s << u"第 3 行，第 2 列：SQL：未知的选项“eleven”"_s;
        QTest::newRow("unknown label, Traditional Chinese")
            << u"Code,Volume\n1,2\n"_s << u"cht"_s << u"第 1 行，第 2 欄：未知的設定項「Volume」"_s;
    }

    void aBadVariationsFileTouchesNoRadio()
    {
        QFETCH(QString, variations);
        QFETCH(QString, language);
        QFETCH(QString, says);
        const RadioSim sim(texts(u"--box|3"));
        QVERIFY(prepareFiles(sim, variations));
        const CliRun run = batch(sim, {u"--lang"_s, language});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(sim.directory() + u"log.csv"_s));
        QCOMPARE(sim.hostBytes(), QByteArray());
    }

    // A fault on the line is resumed, and the notice counts the blocks of the
    // transfer it struck.
    void aResumeNamesItsTransfer_data()
    {
        QTest::addColumn<QStringList>("more");
        QTest::addColumn<QString>("says");
        QTest::newRow("the backup read") << QStringList() << u"block 101 of 318"_s;
        QTest::newRow("the write") << texts(u"--no-backup") << u"block 101 of 316"_s;
    }

    void aResumeNamesItsTransfer()
    {
        QFETCH(QStringList, more);
        QFETCH(QString, says);
        const RadioSim sim(texts(u"--silence|100"));
        QVERIFY(prepareFiles(sim, Variations));
        const CliRun run = batch(sim, more, 1);
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err + sim.logTail()));
        QVERIFY2(run.err.contains(u"Connection lost at "_s + says), qPrintable(run.err));
    }

    // Without --auto each radio waits for the person at the bench: a prompt
    // on standard error, Enter for the next radio (taken from the box by
    // hand), "q" or the end of input to stop.
    void theManualRunWaitsForEnter_data()
    {
        QTest::addColumn<QStringList>("answers"); // the end of input follows when the last is not "q"
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("q at the first prompt") << QStringList{u"q"_s} << 0 << 1;
        QTest::newRow("one radio, then the end of input") << QStringList{QString()} << 1 << 0;
        QTest::newRow("two radios, then q") << QStringList{QString(), QString(), u" q "_s} << 2 << 0;
    }

    void theManualRunWaitsForEnter()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, written);
        QFETCH(int, exitCode);
        RadioSim sim(texts(u"--box|3"));
        QVERIFY(prepareFiles(sim, QString()) && !sim.cliPath().isEmpty());
        QProcess cli;
        cli.start(sim.cliPath(), texts(u"batch|--log|%1log.csv|--port|COM1|%1doc.sin"_s.arg(sim.directory())));
        QString err;
        for (qsizetype i = 0; i < answers.size(); ++i) {
            const QString prompt = u"Connect radio %1, switch it on and press Enter (q to stop)\n"_s.arg(i + 1);
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
        QVERIFY2(!out.contains(u"Connect radio"_s), qPrintable(out));
        QCOMPARE(logLines(sim.directory() + u"log.csv"_s).size(), written + 1);
        const QByteArray document = readFile(sim.directory() + u"doc.sin"_s);
        for (int radio = 1; radio <= 3; ++radio) {
            const QByteArray memory = sim.savedMemory(radio);
            QCOMPARE(memory.isEmpty(), radio > written);
            if (!memory.isEmpty())
                QCOMPARE(writtenRanges(memory), writtenRanges(document));
        }
        if (written == 0)
            QCOMPARE(sim.hostBytes(), QByteArray());
    }

    // Two cables, a box of three radios on each: six radios, each with the
    // document and a row of its own, one log naming each radio's port.
    // Another program on the port would take the radios' answers: the run
    // does not begin, and says who holds it, without advice on the cable.
    void aHeldPortIsRefused()
    {
        const RadioSim sim(texts(u"--box|2"));
        QVERIFY(prepareFiles(sim, Variations));
        QProcess holder;
        QVERIFY(holdTerminal(holder, sim.terminal()));
        const qint64 pid = holder.processId();
        const CliRun run = batch(sim);
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QCOMPARE(run.exitCode, 1);
        const QString finding = u"%1 is open in another program, sleep (pid %2)"_s.arg(sim.terminal()).arg(pid);
        QVERIFY2(run.err.contains(finding), qPrintable(run.err));
        QVERIFY2(!run.err.contains(u"Plug the cable in"_s), qPrintable(run.err));
        QVERIFY(!QFile::exists(sim.directory() + u"log.csv"_s));
    }

    void twoLanesProgramTwoBoxes()
    {
        const RadioSim first(texts(u"--box|3"));
        const RadioSim second(texts(u"--box|3"), patternImage(), first.directory(), u"COM2"_s);
        QVERIFY(second.isRunning());
        QVERIFY(prepareFiles(first, u"Code\n101\n102\n103\n104\n105\n106\n"_s));
        const CliRun run = batch(first, {u"--port"_s, u"COM2"_s}, 6);
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err + first.logTail() + second.logTail()));
        QVERIFY2(run.out.contains(u"6 verified, 0 failed, 0 skipped"_s), qPrintable(run.out));

        const QStringList lines = logLines(first.directory() + u"log.csv"_s);
        QCOMPARE(lines.size(), 7);
        QVERIFY(lines.at(0).endsWith(u",blocks,port"_s));
        const MemoryImage document = patternImage(5);
        const RadioSim *sims[] = {&first, &second};
        QSet<QString> codes;
        for (int lane = 0; lane < 2; ++lane) {
            // The codes the log gives this lane's radios, each radio holding one of them.
            QStringList laneCodes;
            for (const QString &line : lines.mid(1)) {
                if (line.endsWith(u",COM%1"_s.arg(lane + 1)))
                    laneCodes.append(line.section(u',', 7, 7).section(u'=', 1));
            }
            QCOMPARE(laneCodes.size(), 3);
            for (int radio = 1; radio <= 3; ++radio) {
                const QByteArray memory = writtenRanges(sims[lane]->savedMemory(radio));
                const auto holds = std::find_if(laneCodes.begin(), laneCodes.end(), [&](const QString &code) {
                    MemoryImage image = document;
                    storeChosenSettings(image, {{findSetting(u"Code"), code}});
                    return writtenRanges(image.bytes()) == memory;
                });
                QVERIFY2(holds != laneCodes.end(), qPrintable(u"COM%1 radio %2"_s.arg(lane + 1).arg(radio)));
                codes.insert(*holds);
                laneCodes.erase(holds);
            }
        }
        QCOMPARE(codes.size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestCliBatch)
#include "tst_clibatch.moc"
