// The plan check: each finding on exactly its channels, the plans on which
// nothing may fire (the factory file, an empty document, one frequency shared
// by several tones), the order of the findings and what their texts name; and
// kdw-cli check run on real files as a user runs it.
#include "core/channels/plancheck.h"
#include "core/image/regions.h"
#include "core/settings/settingtable.h"
#include "coretest.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

// A plan written as lines "N=Rx|Tx|Rx Tone|Tx Tone|Bandwidth|Name" (Busy Lock
// Off, High, Add), stored by the grid store's rules into an empty image; a
// line "LABEL=ITEM" chooses an item of a setting instead.
MemoryImage planImage(const QStringList &plan)
{
    MemoryImage image = filledImage(0xFF);
    for (const QString &line : plan) {
        const QString left = line.section(u'=', 0, 0);
        const QString right = line.section(u'=', 1);
        bool isChannel = false;
        const int channel = left.toInt(&isChannel);
        if (!isChannel) {
            const ChoiceField *field = findSetting(left)->choice();
            field->store(image, field->indexOfText(right));
            continue;
        }
        const QStringList f = right.split(u'|');
        storeChannelTexts(
            image, channel,
            row(QStringList{f[0], f[1], f[2], f[3], u"Off"_s, u"High"_s, u"Add"_s, f[4], f[5]}.join(u'|')));
    }
    return image;
}

// "1,3,4 duplicate" for each finding, in the order found; "5 gap (note)" for
// a note, which never stops a write.
QStringList summary(const QList<PlanFinding> &findings)
{
    QStringList lines;
    for (const PlanFinding &finding : findings) {
        QStringList numbers;
        for (int n : finding.channels)
            numbers.append(QString::number(n));
        lines.append(numbers.join(u',') + u' ' + finding.code
                     + (finding.kind == FindingKind::Note ? u" (note)"_s : QString()));
    }
    return lines;
}

const FrequencyRange Uhf = frequencyRangeFromItem(u"400-470MHz");

} // namespace

class TestPlanCheck : public QObject
{
    Q_OBJECT

private slots:
    void findings_data()
    {
        QTest::addColumn<QStringList>("plan");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QStringList>("expected");
        const QString uhf = u"400-470MHz"_s;
        QTest::newRow("one frequency with different tones is a normal plan")
            << QStringList{u"1=446.00625|446.00625|Off|Off|Narrow|A"_s, u"2=446.00625|446.00625|67.0|67.0|Narrow|B"_s,
                           u"3=446.00625|446.00625|D023N|D023N|Narrow|C"_s,
                           u"4=446.00625|446.00625|67.0|71.9|Narrow|D"_s}
            << uhf << QStringList{};
        QTest::newRow("duplicates: one finding for the group")
            << QStringList{u"1=446.00625|446.00625|67.0|67.0|Narrow|A"_s, u"2=446.00625|446.00625|Off|Off|Narrow|B"_s,
                           u"3=446.00625|446.00625|67.0|67.0|Narrow|C"_s, u"4=446.00625|446.00625|67.0|67.0|Narrow|"_s,
                           u"5=446.00625|451.00625|67.0|67.0|Narrow|E"_s}
            << uhf << QStringList{u"1,3,4 duplicate"_s};
        QTest::newRow("Off stored either way is one tone")
            << QStringList{u"1=446.00625|446.00625|Off|Off|Narrow|A"_s, u"2=446.00625|446.00625|0.0|Off|Narrow|B"_s}
            << uhf << QStringList{u"1,2 duplicate"_s};
        QTest::newRow("same frequencies and tones, other bandwidth")
            << QStringList{u"1=446.00625|446.00625|Off|Off|Narrow|A"_s, u"2=446.00625|446.00625|Off|Off|Wide|B"_s,
                           u"3=446.00625|446.00625|67.0|67.0|Narrow|C"_s, u"4=446.01875|446.01875|Off|Off|Wide|D"_s}
            << uhf << QStringList{u"1,2,3 bandwidth-mismatch"_s};
        QTest::newRow("same name as the radio shows it")
            << QStringList{u"1=446.00625|446.00625|Off|Off|Narrow|BASE"_s,
                           u"2=446.01875|446.01875|Off|Off|Narrow|base"_s,
                           u"3=446.03125|446.03125|Off|Off|Narrow|BASE  "_s,
                           u"4=446.04375|446.04375|Off|Off|Narrow|BASE\u0000X"_s,
                           u"5=446.05625|446.05625|Off|Off|Narrow|"_s,
                           u"6=446.06875|446.06875|Off|Off|Narrow|   "_s,
                           u"7=446.08125|446.08125|Off|Off|Narrow| BASE"_s}
            << uhf << QStringList{u"1,3,4 same-name"_s};
        QTest::newRow("out of range, one finding per channel")
            << QStringList{u"1=480.00000|480.00000|Off|Off|Wide|A"_s, u"2=446.00000|399.99375|Off|Off|Wide|B"_s,
                           u"3=399.00000|471.00000|Off|Off|Wide|C"_s, u"4=400.00000|400.00000|Off|Off|Wide|D"_s,
                           u"5=470.00000|470.00000|Off|Off|Wide|E"_s}
            << uhf << QStringList{u"1 out-of-range"_s, u"2 out-of-range"_s, u"3 out-of-range"_s};
        QTest::newRow("out of the chosen range, inside the band")
            << QStringList{u"1=435.00000|435.00000|Off|Off|Wide|A"_s, u"2=446.00000|446.00000|Off|Off|Wide|B"_s}
            << u"430-440MHz"_s << QStringList{u"2 out-of-range"_s};
        QTest::newRow("gaps: one per run, none before the first or after the last")
            << QStringList{u"3=440.00000|440.00000|Off|Off|Wide|A"_s, u"4=441.00000|441.00000|Off|Off|Wide|B"_s,
                           u"6=442.00000|442.00000|Off|Off|Wide|C"_s, u"10=443.00000|443.00000|Off|Off|Wide|D"_s}
            << uhf << QStringList{u"5 gap (note)"_s, u"7,8,9 gap (note)"_s};
        QTest::newRow("tone one way on simplex only")
            << QStringList{u"1=446.00625|446.00625|Off|67.0|Narrow|A"_s, u"2=442.50000|447.50000|Off|67.0|Wide|B"_s,
                           u"3=446.01875|446.01875|67.0|Off|Narrow|C"_s, u"4=446.03125|446.03125|67.0|67.0|Narrow|D"_s,
                           u"5=446.04375|446.04375|D023N|67.0|Narrow|E"_s}
            << uhf << QStringList{u"1 tone-one-way (note)"_s};
        QTest::newRow("no Tx Freq is receive only, not out of range")
            << QStringList{u"1=446.00625||Off|Off|Narrow|A"_s, u"2=446.01875|0.00000|Off|Off|Narrow|B"_s} << uhf
            << QStringList{u"1 no-tx (note)"_s, u"2 no-tx (note)"_s};
        QTest::newRow("split wider than any repeater pair")
            << QStringList{u"1=440.00000|450.00000|Off|Off|Wide|A"_s, u"2=455.00000|440.50000|Off|Off|Wide|B"_s,
                           u"3=446.00000|464.00000|Off|Off|Wide|C"_s, u"4=446.00000|430.00000|Off|Off|Wide|D"_s,
                           u"5=462.56250|467.56250|Off|Off|Wide|E"_s, u"6=446.00000|480.00000|Off|Off|Wide|F"_s}
            << uhf << QStringList{u"3 wide-split"_s, u"4 wide-split"_s, u"6 out-of-range"_s};
        QTest::newRow("tones the tone list lacks") << QStringList{u"1=446.00625|446.00625|12.3|12.3|Narrow|A"_s,
                                                                  u"2=446.01875|446.01875|D012N|D012N|Narrow|B"_s,
                                                                  u"3=446.03125|446.03125|254.1|D754I|Narrow|C"_s}
                                                   << uhf << QStringList{u"1 odd-tone"_s, u"2 odd-tone"_s};
        QTest::newRow("names the radio cannot show")
            << QStringList{u"1=446.00625|446.00625|Off|Off|Narrow|A\tB"_s,
                           u"2=446.01875|446.01875|Off|Off|Narrow|\u00E9t\u00E9"_s,
                           u"3=446.03125|446.03125|Off|Off|Narrow|a-b_1~"_s}
            << uhf << QStringList{u"1 name-characters"_s, u"2 name-characters"_s};
        QTest::newRow("priority channel empty")
            << QStringList{u"1=446.00625|446.00625|Off|Off|Narrow|A"_s, u"2=446.01875|446.01875|Off|Off|Narrow|B"_s,
                           u"Priority Channel=7"_s}
            << uhf << QStringList{u"7 priority-empty"_s};
        QTest::newRow("priority channel used or off")
            << QStringList{u"1=446.00625|446.00625|Off|Off|Narrow|A"_s, u"Priority Channel=1"_s} << uhf
            << QStringList{};
        QTest::newRow("by first channel, then code")
            << QStringList{u"1=480.00000|480.00000|Off|Off|Wide|A"_s, u"2=446.00000|446.00000|Off|Off|Wide|B"_s,
                           u"3=480.00000|480.00000|Off|Off|Wide|A"_s, u"5=446.00000|446.00000|Off|67.0|Wide|B"_s}
            << uhf
            << QStringList{u"1,3 duplicate"_s,  u"1 out-of-range"_s, u"1,3 same-name"_s,        u"2,5 same-name"_s,
                           u"3 out-of-range"_s, u"4 gap (note)"_s,   u"5 tone-one-way (note)"_s};
    }

    void findings()
    {
        QFETCH(QStringList, plan);
        QFETCH(QString, range);
        QFETCH(QStringList, expected);
        const MemoryImage image = planImage(plan);
        const QList<PlanFinding> eng = checkPlan(image, frequencyRangeFromItem(range), Language::Eng);
        QCOMPARE(summary(eng), expected);
        // The language changes the texts only, and each finding has a text of
        // its own in each language.
        for (const Language language : {Language::Chs, Language::Cht}) {
            const QList<PlanFinding> other = checkPlan(image, frequencyRangeFromItem(range), language);
            QCOMPARE(summary(other), expected);
            for (qsizetype i = 0; i < eng.size(); ++i)
                QVERIFY2(!eng.at(i).text.isEmpty() && other.at(i).text != eng.at(i).text, qPrintable(eng.at(i).code));
        }
    }

    // Plans on which nothing may fire. Each chooses the first Frequency Range
    // item: the factory file by its index 0, the others by an index past the
    // list (0xFF), as the grid load does.
    void nothingFires_data()
    {
        QTest::addColumn<MemoryImage>("image");
        QTest::newRow("factory file") << factoryImage();
        QTest::newRow("new document") << builtInDefaultsImage();
        QTest::newRow("all 0xFF") << filledImage(0xFF);
    }

    void nothingFires()
    {
        QFETCH(MemoryImage, image);
        QCOMPARE(chosenFrequencyRange(image), (FrequencyRange{40000000, 47000000}));
        QCOMPARE(summary(checkPlan(image, chosenFrequencyRange(image), Language::Eng)), QStringList{});
    }

    // A text names what is wrong, in the language asked for; a character from
    // the file never reaches the text as a control character.
    void textsNameTheFault_data()
    {
        QTest::addColumn<QStringList>("plan");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("named");
        const QStringList outside{u"1=480.00000|446.00000|Off|Off|Wide|A"_s};
        QTest::newRow("out of range, eng") << outside << Language::Eng << texts(u"Rx Freq 480.00000 MHz|400-470 MHz");
        QTest::newRow("out of range, chs") << outside << Language::Chs << texts(u"接收频率 480.00000 MHz|400-470 MHz");
        QTest::newRow("out of range, cht") << outside << Language::Cht << texts(u"接收頻率 480.00000 MHz|頻率範圍");
        QTest::newRow("both frequencies out of range")
            << QStringList{u"1=480.00000|399.00000|Off|Off|Wide|A"_s} << Language::Eng
            << texts(u"Rx Freq 480.00000 MHz, Tx Freq 399.00000 MHz");
        QTest::newRow("same name, cht") << QStringList{u"1=446.00000|446.00000|Off|Off|Wide|GATE"_s,
                                                       u"2=447.00000|447.00000|Off|Off|Wide|GATE"_s}
                                        << Language::Cht << texts(u"「GATE」");
        QTest::newRow("name with a line break") << QStringList{u"1=446.00000|446.00000|Off|Off|Wide|A\nB\u007F"_s}
                                                << Language::Eng << texts(u"\"A\\x0AB\\x7F\"");
        QTest::newRow("odd tones, chs") << QStringList{u"1=446.00000|446.00000|12.3|D012N|Wide|A"_s} << Language::Chs
                                        << texts(u"接收亚音 12.3、发射亚音 D012N");
        QTest::newRow("wide split") << QStringList{u"1=446.00000|464.00000|Off|Off|Wide|A"_s} << Language::Eng
                                    << texts(u"18.00000 MHz|(15 MHz)");
        QTest::newRow("tone one way") << QStringList{u"1=446.00000|446.00000|Off|D023N|Wide|A"_s} << Language::Eng
                                      << texts(u"D023N");
    }

    void textsNameTheFault()
    {
        QFETCH(QStringList, plan);
        QFETCH(Language, language);
        QFETCH(QStringList, named);
        const QList<PlanFinding> findings = checkPlan(planImage(plan), Uhf, language);
        QCOMPARE(findings.size(), 1);
        for (const QString &part : named)
            QVERIFY2(findings.first().text.contains(part), qPrintable(findings.first().text));
        for (const QChar c : findings.first().text)
            QVERIFY(c.unicode() >= 0x20 && c.unicode() != 0x7F);
    }

    // kdw-cli check: a line "channel N[,M]: CODE: text" per finding and exit 1
    // with any; exit 0 on a clean plan.
    void checkCommand_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("found"); // each line up to its text
        // Channels 1 and 3 alike and out of range, 2 a gap between them. Which
        // plan gives which findings: findings().
        const QStringList alike{u"1=480.00000|480.00000|Off|Off|Wide|A"_s, u"3=480.00000|480.00000|Off|Off|Wide|A"_s};
        QTest::newRow("findings of one channel and of several")
            << planImage(alike).bytes() << u"eng"_s << 1
            << texts(u"channel 1,3: duplicate|channel 1: out-of-range|channel 1,3: same-name|channel 2: gap|"
                     u"channel 3: out-of-range");
        QTest::newRow("a note alone") << planImage({u"1=446.00625|446.00625|Off|Off|Narrow|A"_s,
                                                    u"3=446.01875|446.01875|Off|Off|Narrow|B"_s})
                                             .bytes()
                                      << u"eng"_s << 1 << QStringList{u"channel 2: gap"_s};
        QTest::newRow("clean plan") << planImage({u"1=446.00625|446.00625|67.0|67.0|Narrow|A"_s,
                                                  u"2=446.00625|446.00625|71.9|71.9|Narrow|B"_s,
                                                  u"3=442.50000|447.50000|Off|100.0|Wide|RPT"_s})
                                           .bytes()
                                    << u"chs"_s << 0 << QStringList{};
    }

    void checkCommand()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, language);
        QFETCH(int, exitCode);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"plan.sin"_s), file));
        const CliRun run = runCli({u"check"_s, u"--lang"_s, language, dir.filePath(u"plan.sin"_s)});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, exitCode);
        QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        for (QString &line : lines) {
            QVERIFY2(line.count(u": "_s) >= 2 && !line.endsWith(u": "_s), qPrintable(line));
            line = line.section(u": "_s, 0, 1);
        }
        QCOMPARE(lines, found);
    }
};

QTEST_GUILESS_MAIN(TestPlanCheck)
#include "tst_plancheck.moc"
