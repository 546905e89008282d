// Channel bytes <-> grid texts: decimal scaling, frequencies, tones, flags,
// names, whole records and the frequency editor's commit rules; the channel
// table model that shows the image as the grid's texts and commits typing into
// it by those rules.
#include "core/channels/cellcommit.h"
#include "core/channels/channeltable.h"
#include "core/channels/channeltablemodel.h"
#include "core/channels/decimalscale.h"
#include "core/channels/frequencyrules.h"
#include "core/channels/tonelist.h"
#include "coretest.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 Max64 = std::numeric_limits<qint64>::max();

QStringList shownFlags(quint8 flags, Language lang)
{
    return {busyLockText(flags, lang), powerText(flags, lang), scanAddText(flags, lang), bandwidthText(flags, lang)};
}

int storedFlags(int previous, const QStringList &texts)
{
    return kdw::flagsFromTexts(quint8(previous), texts.at(0), texts.at(1), texts.at(2), texts.at(3));
}

} // namespace

class TestChannelCodec : public QObject
{
    Q_OBJECT

private slots:
    void decimalScaling_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected"); // scaled by 10^5
        QTest::newRow("exact") << u"462.125"_qs << qint64(46212500);
        QTest::newRow("truncates, no rounding") << u"462.1249999"_qs << qint64(46212499);
        QTest::newRow("15 digits round up") << u"462.124999999999999"_qs << qint64(46212500);
        QTest::newRow("binary 0.1 steps") << u"446.00625"_qs << qint64(44600625);
        QTest::newRow("negative truncates toward zero") << u"-12.345678"_qs << qint64(-1234567);
        QTest::newRow("leading space and plus, trailing junk") << u"  +462.125MHz"_qs << qint64(46212500);
        QTest::newRow("fraction only") << u".5"_qs << qint64(50000);
        QTest::newRow("exponent without digits") << u"462e+x"_qs << qint64(46200000);
        QTest::newRow("nan is no number") << u"nan"_qs << qint64(0);
        QTest::newRow("inf is no number") << u"inf"_qs << qint64(0);
        QTest::newRow("hex is zero then junk") << u"0x1A"_qs << qint64(0);
        QTest::newRow("huge saturates") << u"1e300"_qs << Max64;
        QTest::newRow("beyond double saturates") << u"1e999"_qs << Max64;
        QTest::newRow("negative beyond double") << u"-1e999"_qs << std::numeric_limits<qint64>::min();
        QTest::newRow("below double is zero") << u"1e-999"_qs << qint64(0);
        QTest::newRow("exponent of 20 digits") << u"1e99999999999999999999"_qs << Max64;
        QTest::newRow("rounded past the top saturates") << u"92233720368547.75807"_qs << Max64;
        QTest::newRow("just below the top") << u"92233720368547.7"_qs << qint64(9223372036854770000);
    }

    void decimalScaling()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QCOMPARE(decimalScale(text, 5), expected);
    }

    // A typed cell text stores these bytes (Rx Freq at record byte 0, Rx Tone at
    // 8, Name in its slot).
    void cellStore_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        const int rx = RxFreqField;
        const int tone = RxToneField;
        QTest::newRow("negative frequency") << rx << u"-462.125"_qs << hex("00000000");
        QTest::newRow("huge frequency: 32 bits") << rx << u"1e300"_qs << hex("95729694");
        QTest::newRow("Off of another language") << tone << u"關"_qs << hex("FFFF");
        QTest::newRow("off is case-sensitive") << tone << u"off"_qs << hex("0000");
        QTest::newRow("N wins over I") << tone << u"D023IN"_qs << hex("2380");
        QTest::newRow("no N or I keeps bytes") << tone << u"D023n"_qs << hex("1234");
        QTest::newRow("negative code") << tone << u"D-5N"_qs << hex("0080");
        QTest::newRow("huge code clamps") << tone << u"D99999999999999999999N"_qs << hex("99BE");
        QTest::newRow("huge inverted stays DCS") << tone << u"D99999I"_qs << hex("99FE");
        QTest::newRow("negative CTCSS") << tone << u"-88.5"_qs << hex("0000");
        QTest::newRow("huge CTCSS clamps") << tone << u"1e300"_qs << hex("9999");
        QTest::newRow("nan CTCSS") << tone << u"nan"_qs << hex("0000");
        QTest::newRow("seventh character ignored") << int(NameField) << u"ABCDEFG"_qs << hex("4142434445461234");
    }

    void cellStore()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        MemoryImage image;
        image.copyIn(region::channelRecord(1), hex("00252146002521461234"));
        image.copyIn(region::nameSlot(1), hex("FFFFFFFFFFFF1234"));
        ChannelTexts texts = row(u"462.12500|462.12500|||Off|Low|Del|Narrow|");
        texts[field] = text;
        storeChannelTexts(image, 1, texts);
        const int record = region::channelRecord(1);
        const int at = field == NameField ? region::nameSlot(1) : field == RxToneField ? record + 8 : record;
        QCOMPARE(image.bytes(at, int(bytes.size())), bytes);
    }

    // Bytes no editor writes still show as a text.
    void unlistedBytesShow()
    {
        MemoryImage image;
        image.copyIn(0,
                     hex("0000FF40"    // nibbles above 9
                         "997F"        // CTCSS, nibbles above 9
                         "1200"        // high 00: Off, low ignored
                         "12FF"        // high FF: Off, low ignored
                         "00BF00FE")); // DCS normal and inverted tops
        QCOMPARE(frequencyText(readFrequency(image, 0)), u"416.50000"_qs);
        QStringList shown;
        for (int offset = 4; offset < 14; offset += 2)
            shown << toneText(readTone(image, offset), Language::Eng);
        QCOMPARE(shown, texts(u"859.9|Off|Off|D4500N|D4400I"));
        QCOMPARE(shownFlags(0x03, Language::Eng), texts(u"|Low|Del|Narrow"));       // Busy Lock 3 has no text
        image.copyIn(region::nameSlot(1), hex("4142FF4344FFFFFF4142004344FFFFFF")); // names end at FF or 00
        QCOMPARE(readName(image, 1) + readName(image, 2), u"ABAB"_qs);
    }

    // Every item of the tone editor stores a code that shows as the same item.
    void toneListRoundTrip()
    {
        for (const Language lang : AllLanguages) {
            const QStringList list = toneList(lang);
            QCOMPARE(list.size(), 265);
            const QStringList marks{list.first(), list.at(1), list.at(51), list.at(158), list.last()};
            QCOMPARE(marks, texts(QStringList{u"Off"_qs, u"关"_qs, u"關"_qs}.at(qsizetype(lang))
                                  + u"|67.0|D017N|D017I|D754I"_qs));
            for (const QString &item : list) {
                const auto code = kdw::toneFromText(item);
                QVERIFY2(code && toneText(*code, lang) == item && isToneListText(item), qPrintable(item));
            }
        }
    }

    void flagTexts_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("texts"); // Busy Lock|Power|Scan Add|Bandwidth
        QTest::addColumn<int>("stored");    // the flags the texts store over `flags`
        QTest::newRow("busy 3 (shown empty) stores 0") << 0x03 << u"|Low|Del|Narrow"_qs << 0x00;
        QTest::newRow("choice texts clear owned bits") << 0x37 << u"關閉|低|刪除|窄"_qs << 0x00;
        QTest::newRow("lowercase is unknown: Add") << 0x37 << u"carrier|high|del|wide"_qs << 0x10;
        QTest::newRow("texts of any language") << 0x10 << u"Off|Low|删除|Narrow"_qs << 0x00;
    }

    void flagTexts()
    {
        QFETCH(int, flags);
        QFETCH(QString, texts);
        QFETCH(int, stored);
        QCOMPARE(storedFlags(flags, kdw::test::texts(texts)), stored);
    }

    // Item k of a choice list stores the same bits in every language, and
    // shows again as the cell text of those bits.
    void choiceItemsStoreTheirPosition()
    {
        for (const Language lang : AllLanguages) {
            QStringList stored;
            for (int column = 0; column < 4; ++column) {
                const auto field = ChannelField(BusyLockField + column);
                for (const QString &item : choiceItems(field, lang)) {
                    QStringList chosen = texts(u"Off|Low|Del|Narrow");
                    chosen[column] = item;
                    const int flags = storedFlags(0, chosen);
                    stored << QString::number(flags, 16);
                    QVERIFY(isChoiceText(field, item));
                    if (column > 0 || flags != 0) // Busy Lock Off shows shorter
                        QCOMPARE(shownFlags(quint8(flags), lang).at(column), item);
                }
            }
            QCOMPARE(stored, texts(u"0|1|2|20|0|10|0|4|0"));
        }
    }

    // Rx Freq typed into a channel: clamped to the Frequency Range, truncated
    // to 10 Hz, snapped down to the nearer 5 or 6.25 kHz step (5 kHz on a
    // tie); no positive number deletes the channel. The other cells stay.
    // A value that clamp or snap moved is told, with what was typed.
    void frequencyCommit_data()
    {
        QTest::addColumn<QString>("range"); // a Frequency Range item; empty: the default, 400 to 470 MHz
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("committed"); // empty: the channel is deleted
        QTest::addColumn<bool>("told");
        const QString d;
        QTest::newRow("above range") << d << u"480"_qs << u"470.00000"_qs << true;
        QTest::newRow("tiny positive clamps up") << d << u"0.00001"_qs << u"400.00000"_qs << true;
        QTest::newRow("huge clamps") << d << u"1e300"_qs << u"470.00000"_qs << true;
        QTest::newRow("zero deletes") << d << u"0"_qs << QString() << false;
        QTest::newRow("negative deletes") << d << u"-462"_qs << QString() << false;
        QTest::newRow("on the 5 kHz grid, short") << d << u"462.125"_qs << u"462.12500"_qs << false;
        QTest::newRow("6.25 grid kept") << d << u"462.0125"_qs << u"462.01250"_qs << false;
        QTest::newRow("upper bound itself") << d << u"470"_qs << u"470.00000"_qs << false;
        QTest::newRow("tie goes to 5 kHz") << d << u"462.0030"_qs << u"462.00000"_qs << true;
        QTest::newRow("nearer 5 kHz below") << d << u"462.0060"_qs << u"462.00500"_qs << true;
        QTest::newRow("nearer 6.25 kHz below") << d << u"462.0070"_qs << u"462.00625"_qs << true;
        QTest::newRow("truncated before snap") << d << u"462.124999"_qs << u"462.12000"_qs << true;
        QTest::newRow("below 10 Hz is not a change") << d << u"462.1250001"_qs << u"462.12500"_qs << false;
        QTest::newRow("136 to 174: top") << u"136 to 174 MHz"_qs << u"480"_qs << u"174.00000"_qs << true;
        QTest::newRow("136 to 174: bottom") << u"136 to 174 MHz"_qs << u"100"_qs << u"136.00000"_qs << true;
        QTest::newRow("range without a second number") << u"136MHz"_qs << u"100"_qs << u"400.00000"_qs << true;
        QTest::newRow("range after a letter") << u"x136-174"_qs << u"100"_qs << u"400.00000"_qs << true;
        QTest::newRow("range saturates") << u"99999999999-1"_qs << u"5"_qs << u"42949.67000"_qs << true;
    }

    void frequencyCommit()
    {
        QFETCH(QString, range);
        QFETCH(QString, typed);
        QFETCH(QString, committed);
        QFETCH(bool, told);
        const QString others = u"462.12500|88.5|D023N|QDT|Low|Del|Narrow|CH1"_qs;
        ChannelTexts texts = row(u"462.12500|"_qs + others);
        const auto change
            = commitFrequencyCell(texts, RxFreqField, typed, frequencyRangeFromItem(range), Language::Eng);
        QCOMPARE(cells(texts), kdw::test::texts(committed.isEmpty() ? u"||||||||"_qs : committed + u'|' + others));
        QCOMPARE(change.has_value(), told);
        if (change) {
            QCOMPARE(change->field, RxFreqField);
            QCOMPARE(change->typed, typed);
            QCOMPARE(change->became, committed);
        }
    }

    // A change is told by line or by channel, the cell named by its column's
    // title, in each language (English: tst_cli clampAndSnapAreNamed and
    // tst_channelrows paste).
    void frequencyChangeTexts_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("byLine");
        QTest::addColumn<QString>("byChannel");
        QTest::newRow("Simplified") << Language::Chs << u"第 2 行，发射频率：4490 变为 470.00000"_qs
                                    << u"信道 7，发射频率：4490 变为 470.00000"_qs;
        QTest::newRow("Traditional") << Language::Cht << u"第 2 行，發射頻率：4490 變為 470.00000"_qs
                                     << u"信道 7，發射頻率：4490 變為 470.00000"_qs;
    }
    void frequencyChangeTexts()
    {
        QFETCH(Language, language);
        QFETCH(QString, byLine);
        QFETCH(QString, byChannel);
        ChannelTexts texts = row(u"462.12500|462.12500|Off|Off|Off|High|Add|Wide|"_qs);
        const auto change = commitFrequencyCell(texts, TxFreqField, u"4490"_qs, FrequencyRange{}, language);
        QVERIFY(change);
        QCOMPARE(lineChangeText(2, *change, language), byLine);
        QCOMPARE(channelChangeText(7, *change, language), byChannel);
    }

    // Random images shown as texts and stored back keep every byte the store
    // owns, except where the shown text cannot carry the bytes (Off with a low
    // byte, nibbles above 9, Busy Lock 3, a name cut at 0x00).
    void randomImagesRoundTrip()
    {
        SeededRandom random;
        const auto bcd = [&random] { return bcdEncode(int(random->bounded(100))); };
        const QStringList tones = toneList(Language::Eng);
        for (int round = 0; round < 50; ++round) {
            MemoryImage image = random.image();
            for (int channel = 1; channel <= region::ChannelCount; ++channel) {
                const int base = region::channelRecord(channel);
                if (random->bounded(5) == 0) {
                    image.setByte(base + 3, 0xFF);
                    continue;
                }
                for (int k = 0; k < 8; ++k)
                    image.setByte(base + k, bcd());
                for (const int tone : {base + 8, base + 10}) {
                    const ToneCode unlisted{bcdEncode(1 + int(random->bounded(79))), bcd()};
                    const auto listed = kdw::toneFromText(tones.at(random->bounded(ToneListSize)));
                    writeTone(image, tone, random->bounded(3) ? *listed : unlisted);
                }
                if ((image.byte(base + record::Flags) & record::BusyLockMask) == 3)
                    image.setByte(base + record::Flags, image.byte(base + record::Flags) & 0xFE);
                const int length = int(random->bounded(7));
                for (int k = 0; k < 6; ++k)
                    image.setByte(region::nameSlot(channel) + k, k < length ? quint8(1 + random->bounded(0xFE)) : 0xFF);
            }
            MemoryImage expected = image;
            writeGridStoreFixedBytes(expected);
            for (int channel = 1; channel <= region::ChannelCount; ++channel) {
                if (isEmptyChannel(image, channel))
                    expected.copyIn(region::channelRecord(channel), QByteArray(16, '\xFF'));
            }
            MemoryImage stored = image;
            storeChannelTable(stored, channelTable(image, AllLanguages.at(std::size_t(round) % AllLanguages.size())),
                              image.byte(region::ModelIndex), image.byte(region::FrequencyRangeIndex));
            QCOMPARE(firstDifference(stored, expected), QString());
        }
    }

    // Whatever bytes a file holds, a second load and store changes nothing
    // (saving twice gives the same file), and odd tone bytes that no tone
    // text can carry stay as they were instead of drifting on every store.
    void storeOfAnyImageSettles()
    {
        SeededRandom random;
        for (int round = 0; round < 50; ++round) {
            MemoryImage image = random.image();
            const auto store = [](const MemoryImage &from) {
                MemoryImage to = from;
                storeChannelTable(to, channelTable(from, Language::Eng), 0, 0);
                return to;
            };
            const MemoryImage once = store(image);
            QCOMPARE(firstDifference(store(once), once), QString());
            for (int channel = 1; channel <= region::ChannelCount; ++channel) {
                for (const int offset : {record::RxTone, record::TxTone}) {
                    const int at = region::channelRecord(channel) + offset;
                    const ToneCode code = readTone(image, at);
                    if (!isEmptyChannel(image, channel) && code.high != 0xFF && code.high != 0x00
                        && !isToneListText(toneText(code, Language::Eng)))
                        QCOMPARE(readTone(once, at), code);
                }
            }
        }
    }

    // The cells are the image's bytes: a change of the image shows at once, a
    // load announces every cell without a reset (a view keeps its current cell
    // and selection) after telling the views first, and a commit is one step
    // that knows the image before it, or none when no byte changed. Qt's own
    // checks of a model's contract watch it all.
    void cellsAreTheImage()
    {
        MemoryImage image = factoryImage();
        ChannelTableModel model(image, Language::Eng);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        storeChannelTexts(image, 5, row(u"401.00000|401.00000|Off|Off|Off|High|Add|Wide|FIVE"));
        QCOMPARE(cells(model.row(5)), texts(u"401.00000|401.00000|Off|Off|Off|High|Add|Wide|FIVE"));
        QSignalSpy starting(&model, &ChannelTableModel::loadStarting);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.load();
        QCOMPARE(starting.count(), 1);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.modelSelection(), image.byte(region::ModelIndex));

        QSignalSpy edited(&model, &ChannelTableModel::imageEdited);
        const MemoryImage before = image;
        (void)model.commit(5, NameField, u"SIX"_s);
        QCOMPARE(edited.count(), 1);
        QVERIFY(edited.first().first().value<MemoryImage>() == before);
        QCOMPARE(readName(image, 5), u"SIX"_s);
        (void)model.commit(5, NameField, u"SIX"_s);
        (void)model.commit(17, PowerField, u"Low"_s); // an empty channel keeps its flags empty
        QCOMPARE(edited.count(), 1);
        QVERIFY(model.setData(model.index(20, 8), u"NEW"_s));
        QVERIFY(!model.setData(model.index(0, 0), u"446"_s, Qt::DisplayRole));
        QVERIFY(!model.setData(model.index(99, 0), u"446"_s));
    }

    // The store finishes an open edit first, so the image gets what the
    // editor held; the list selections go with the rows, and a record the
    // grid shows otherwise than it is stored becomes what the grid shows.
    void storeFinishesTheOpenEdit()
    {
        MemoryImage image = factoryImage();
        image.setByte(region::channelRecord(1) + record::RxFrequency + 3, 0xF5); // 400.125 shows as 1550.125
        ChannelTableModel model(image, Language::Eng);
        model.load();
        connect(&model, &ChannelTableModel::finishEditingRequested, this,
                [&] { (void)model.commit(2, NameField, u"EDITED"_s); });
        model.setListSelections(3, 1, FrequencyRange{});
        QCOMPARE(channelTexts(model.stored(), 1, Language::Eng)[RxFreqField], u"550.12500"_s);
        QCOMPARE(model.row(1)[RxFreqField], u"1550.12500"_s);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.store();
        QCOMPARE(channelTexts(image, 2, Language::Eng)[NameField], u"EDITED"_s);
        QCOMPARE(image.bytes(region::ModelIndex, 2), QByteArray::fromHex("0301"));
        QCOMPARE(model.row(1)[RxFreqField], u"550.12500"_s);
        QVERIFY(!changed.isEmpty());
        model.store();
        QVERIFY(model.stored() == image);
    }

    // Typing into the model follows the form's rules with the model's own
    // language and the range of the Frequency Range list (430 to 440 MHz here).
    void commitsByTheRulesOfTyping_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("became"); // empty: no clamp or snap to report
        QTest::newRow("first frequency, Traditional Chinese")
            << Language::Cht << 20 << int(RxFreqField) << u"436.00625"_s
            << u"436.00625|436.00625|關|關|關|高|添加|寬|"_s << QString();
        QTest::newRow("clamped to the list's range")
            << Language::Eng << 20 << int(RxFreqField) << u"450"_s
            << u"440.00000|440.00000|Off|Off|Off|High|Add|Wide|"_s << u"440.00000"_s;
        QTest::newRow("choice on a channel") << Language::Eng << 1 << int(PowerField) << u"Low"_s
                                             << u"400.12500|400.12500|Off|Off|Off|Low|Add|Wide|CH01"_s << QString();
    }
    void commitsByTheRulesOfTyping()
    {
        QFETCH(Language, language);
        QFETCH(int, channel);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, row);
        QFETCH(QString, became);
        MemoryImage image = factoryImage();
        ChannelTableModel model(image, language);
        model.setListSelections(0, 0, FrequencyRange{43000000, 44000000});
        const std::optional<FrequencyChange> change = model.commit(channel, ChannelField(field), typed);
        QCOMPARE(cells(model.row(channel)), texts(row));
        QCOMPARE(change ? change->became : QString(), became);
    }
};

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channelcodec.moc"
