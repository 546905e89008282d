// Many cells at once: a value into many channels, the top cell down its
// column, and runs of frequencies, each cell as typing would commit it.
#include "core/channels/channelfill.h"
#include "coretest.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

// Channels 1-4 and 6 in use, 5 and the rest empty.
ChannelTable fixture()
{
    ChannelTable table;
    const QString rows[] = {
        u"446.00625|446.00625|Off|Off|Off|High|Add|Wide|ONE"_s,
        u"446.01250|446.01250|67.0|67.0|Carrier|Low|Del|Narrow|TWO"_s,
        u"446.01875|451.01875|D023N|D023N|QDT|High|Add|Narrow|REP"_s,
        u"446.02500|446.02500|Off|Off|Off|High|Add|Wide|"_s,
        u"||||||||"_s,
        u"446.03750|446.03750|Off|Off|Off|Low|Add|Wide|SIX"_s,
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        table[i] = row(rows[i]);
    return table;
}

// The fixture with rows replaced: "5=446.00000|...".
ChannelTable fixtureWith(const QStringList &replaced)
{
    ChannelTable table = fixture();
    for (const QString &entry : replaced)
        table[std::size_t(entry.section(u'=', 0, 0).toInt() - 1)] = row(entry.section(u'=', 1));
    return table;
}

void compareTables(const ChannelTable &actual, const ChannelTable &expected)
{
    for (std::size_t i = 0; i < actual.size(); ++i)
        QVERIFY2(actual[i] == expected[i], qPrintable(u"channel %1: %2"_s.arg(i + 1).arg(cells(actual[i]).join(u'|'))));
}

// "2: 480 became 470.00000" for each change.
QStringList changeTexts(const QList<ChannelFrequencyChange> &changes)
{
    QStringList texts;
    for (const ChannelFrequencyChange &c : changes)
        texts.append(u"%1: %2 became %3"_s.arg(c.channel).arg(c.change.typed, c.change.became));
    return texts;
}

} // namespace

class TestChannelFill : public QObject
{
    Q_OBJECT

private slots:
    void setCells_data()
    {
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("changes");
        const QString new5 = u"5=450.00000|450.00000|Off|Off|Off|High|Add|Wide|"_s;
        QTest::newRow("clamped above the range")
            << QList<int>{2, 1} << int(RxFreqField) << u"480"_s << Language::Eng
            << QStringList{u"1=470.00000|446.00625|Off|Off|Off|High|Add|Wide|ONE"_s,
                           u"2=470.00000|446.01250|67.0|67.0|Carrier|Low|Del|Narrow|TWO"_s}
            << QStringList{u"1: 480 became 470.00000"_s, u"2: 480 became 470.00000"_s};
        QTest::newRow("snapped to the channel step")
            << QList<int>{3} << int(TxFreqField) << u"451.0070"_s << Language::Eng
            << QStringList{u"3=446.01875|451.00625|D023N|D023N|QDT|High|Add|Narrow|REP"_s}
            << QStringList{u"3: 451.0070 became 451.00625"_s};
        QTest::newRow("Rx Freq starts an empty channel")
            << QList<int>{4, 5} << int(RxFreqField) << u"450"_s << Language::Eng
            << QStringList{u"4=450.00000|446.02500|Off|Off|Off|High|Add|Wide|"_s, new5} << QStringList{};
        QTest::newRow("new channel in Chinese")
            << QList<int>{5} << int(RxFreqField) << u"450"_s << Language::Chs
            << QStringList{u"5=450.00000|450.00000|关|关|关|高|添加|宽|"_s} << QStringList{};
        QTest::newRow("Tx Freq keeps an empty channel empty")
            << QList<int>{4, 5} << int(TxFreqField) << u"451"_s << Language::Eng
            << QStringList{u"4=446.02500|451.00000|Off|Off|Off|High|Add|Wide|"_s} << QStringList{};
        // Every cell but the frequencies is set by one rule: tone, choice and name alike.
        QTest::newRow("tone keeps an empty channel empty")
            << QList<int>{1, 5, 6} << int(TxToneField) << u"D754I"_s << Language::Eng
            << QStringList{u"1=446.00625|446.00625|Off|D754I|Off|High|Add|Wide|ONE"_s,
                           u"6=446.03750|446.03750|Off|D754I|Off|Low|Add|Wide|SIX"_s}
            << QStringList{};
        QTest::newRow("empty Rx Freq deletes the channels")
            << QList<int>{1, 3} << int(RxFreqField) << QString() << Language::Eng
            << QStringList{u"1=||||||||"_s, u"3=||||||||"_s} << QStringList{};
    }
    void setCells()
    {
        QFETCH(QList<int>, channels);
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(Language, language);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, changes);
        ChannelTable table = fixture();
        const auto made = kdw::setCells(table, channels, ChannelField(field), text, FrequencyRange{}, language);
        compareTables(table, fixtureWith(rows));
        QCOMPARE(changeTexts(made), changes);
    }

    void fillDown_data()
    {
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<QList<int>>("fields"); // every channel's cells of these fields are selected
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("one column, over an empty channel")
            << QList<int>{2, 3, 4, 5} << QList<int>{BusyLockField}
            << QStringList{u"3=446.01875|451.01875|D023N|D023N|Carrier|High|Add|Narrow|REP"_s,
                           u"4=446.02500|446.02500|Off|Off|Carrier|High|Add|Wide|"_s};
        QTest::newRow("the topmost cell, whatever the order")
            << QList<int>{6, 3, 4} << QList<int>{RxToneField}
            << QStringList{u"4=446.02500|446.02500|D023N|Off|Off|High|Add|Wide|"_s,
                           u"6=446.03750|446.03750|D023N|Off|Off|Low|Add|Wide|SIX"_s};
        QTest::newRow("whole rows copy the top channel into an empty one")
            << QList<int>{3, 5} << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}
            << QStringList{u"5=446.01875|451.01875|D023N|D023N|QDT|High|Add|Narrow|REP"_s};
        QTest::newRow("two columns each from its own top")
            << QList<int>{1, 2} << QList<int>{TxFreqField, NameField}
            << QStringList{u"2=446.01250|446.00625|67.0|67.0|Carrier|Low|Del|Narrow|ONE"_s};
        QTest::newRow("an empty top cell fills nothing")
            << QList<int>{5, 6} << QList<int>{RxFreqField, PowerField, NameField} << QStringList{};
        QTest::newRow("an empty name on a used channel fills nothing")
            << QList<int>{4, 6} << QList<int>{NameField} << QStringList{};
    }
    void fillDown()
    {
        QFETCH(QList<int>, channels);
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, rows);
        QList<ChannelCell> cells;
        for (int field : fields) {
            for (int channel : channels)
                cells.append({channel, ChannelField(field)});
        }
        ChannelTable table = fixture();
        const auto changes = kdw::fillDown(table, cells, FrequencyRange{}, Language::Eng);
        compareTables(table, fixtureWith(rows));
        QVERIFY(changes.isEmpty());
    }

    void fillFrequencies_data()
    {
        QTest::addColumn<QStringList>("typed"); // first (MHz), step (kHz), offset (MHz)
        QTest::addColumn<int>("tx");
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("message"); // a fault or the refusal; empty when filled
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("changes");
        const int same = int(TxFill::SameAsRx);
        const int offset = int(TxFill::RxPlusOffset);
        const int unchanged = int(TxFill::Unchanged);
        QTest::newRow("12.5 kHz steps, Tx same, over an empty channel")
            << QStringList{u"446.00625"_s, u"12.5"_s, u""_s} << same << QList<int>{6, 4, 5} << Language::Eng
            << QString()
            << QStringList{u"4=446.00625|446.00625|Off|Off|Off|High|Add|Wide|"_s,
                           u"5=446.01875|446.01875|Off|Off|Off|High|Add|Wide|"_s,
                           u"6=446.03125|446.03125|Off|Off|Off|Low|Add|Wide|SIX"_s}
            << QStringList{};
        QTest::newRow("negative offset, descending steps")
            << QStringList{u"455"_s, u"-25"_s, u"-5"_s} << offset << QList<int>{1, 2} << Language::Eng << QString()
            << QStringList{u"1=455.00000|450.00000|Off|Off|Off|High|Add|Wide|ONE"_s,
                           u"2=454.97500|449.97500|67.0|67.0|Carrier|Low|Del|Narrow|TWO"_s}
            << QStringList{};
        QTest::newRow("Tx unchanged, but a new channel's Tx is its Rx")
            << QStringList{u"460"_s, u"5"_s, u"oops"_s} << unchanged << QList<int>{3, 5} << Language::Eng << QString()
            << QStringList{u"3=460.00000|451.01875|D023N|D023N|QDT|High|Add|Narrow|REP"_s,
                           u"5=460.00500|460.00500|Off|Off|Off|High|Add|Wide|"_s}
            << QStringList{};
        QTest::newRow("a step off the raster snaps each frequency down")
            << QStringList{u"446"_s, u"7"_s, u"0.6"_s} << offset << QList<int>{1, 2, 3} << Language::Eng << QString()
            << QStringList{u"1=446.00000|446.60000|Off|Off|Off|High|Add|Wide|ONE"_s,
                           u"2=446.00625|446.60625|67.0|67.0|Carrier|Low|Del|Narrow|TWO"_s,
                           u"3=446.01250|446.61250|D023N|D023N|QDT|High|Add|Narrow|REP"_s}
            << QStringList{u"2: 446.00700 became 446.00625"_s, u"3: 446.01400 became 446.01250"_s};
        QTest::newRow("the upper edge itself")
            << QStringList{u"469.9875"_s, u"12.5"_s, u""_s} << same << QList<int>{1, 2} << Language::Eng << QString()
            << QStringList{u"1=469.98750|469.98750|Off|Off|Off|High|Add|Wide|ONE"_s,
                           u"2=470.00000|470.00000|67.0|67.0|Carrier|Low|Del|Narrow|TWO"_s}
            << QStringList{};
        QTest::newRow("Rx past the upper edge refused")
            << QStringList{u"469.9875"_s, u"12.5"_s, u""_s} << same << QList<int>{1, 2, 3} << Language::Eng
            << u"Nothing was changed: channel 3 would get Rx Freq 470.01250 MHz, outside the Frequency Range "
               u"400.00000 to 470.00000 MHz."_s
            << QStringList{} << QStringList{};
        QTest::newRow("Tx below the lower edge refused, in Chinese")
            << QStringList{u"400.5"_s, u"0"_s, u"-0.6"_s} << offset << QList<int>{4} << Language::Cht
            << u"未做任何更改：信道 4 的發射頻率將為 399.90000 MHz，超出頻率範圍 400.00000 至 470.00000 MHz。"_s
            << QStringList{} << QStringList{};
        QTest::newRow("negative first frequency refused")
            << QStringList{u"-446"_s, u"0"_s, u""_s} << same << QList<int>{1} << Language::Eng
            << u"Nothing was changed: channel 1 would get Rx Freq -446.00000 MHz, outside the Frequency Range "
               u"400.00000 to 470.00000 MHz."_s
            << QStringList{} << QStringList{};
        QTest::newRow("first frequency not a number")
            << QStringList{u"446,5"_s, u"12.5"_s, u""_s} << same << QList<int>{1} << Language::Eng
            << u"\"446,5\" is not a frequency in MHz"_s << QStringList{} << QStringList{};
        QTest::newRow("empty step") << QStringList{u"446"_s, u""_s, u""_s} << same << QList<int>{1} << Language::Chs
                                    << u"“”不是以 kHz 为单位的步进"_s << QStringList{} << QStringList{};
        QTest::newRow("offset only a sign")
            << QStringList{u"446"_s, u"5"_s, u"-"_s} << offset << QList<int>{1} << Language::Eng
            << u"\"-\" is not an offset in MHz"_s << QStringList{} << QStringList{};
        QTest::newRow("step beyond any frequency")
            << QStringList{u"446"_s, u"99999999999"_s, u""_s} << same << QList<int>{1} << Language::Eng
            << u"\"99999999999\" is not a step in kHz"_s << QStringList{} << QStringList{};
    }
    void fillFrequencies()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, tx);
        QFETCH(QList<int>, channels);
        QFETCH(Language, language);
        QFETCH(QString, message);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, changes);
        ChannelTable table = fixture();
        const FrequencyRunTyping typing
            = frequencyRunFromTexts(typed.at(0), typed.at(1), TxFill(tx), typed.at(2), language);
        QString said = typing.fault;
        QList<ChannelFrequencyChange> made;
        if (typing.run) {
            const FrequencyRunResult result
                = kdw::fillFrequencies(table, channels, *typing.run, FrequencyRange{}, language);
            said = result.refusal;
            made = result.changes;
        }
        QCOMPARE(said, message);
        compareTables(table, fixtureWith(rows));
        QCOMPARE(changeTexts(made), changes);
    }
};

QTEST_GUILESS_MAIN(TestChannelFill)
#include "tst_channelfill.moc"
