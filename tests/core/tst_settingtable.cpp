// The settings table of the Option, PTT ID and PCBA dialogs: how each setting
// is stored, shown, filtered and falls back.
#include "coretest.h"
#include "settings/settingvalues.h"

#include <QTest>
#include <bit>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const Setting *)

namespace {

const Setting &setting(QStringView label)
{
    const Setting *s = findSetting(label);
    Q_ASSERT(s);
    return *s;
}

// Every choice setting of the table as a data row.
void choiceRows()
{
    QTest::addColumn<const Setting *>("setting");
    for (const Setting &s : settingTable()) {
        if (s.choice())
            QTest::newRow(s.label.toLatin1().constData()) << &s;
    }
}

} // namespace

class TestSettingTable : public QObject
{
    Q_OBJECT

private slots:
    // No two settings share a bit, so storing one never changes another.
    void fieldsDoNotOverlap()
    {
        QHash<int, quint8> owned;
        for (const Setting &s : settingTable()) {
            const ChoiceField *c = s.choice();
            const int length = c ? 1 : s.text()->length;
            for (int i = 0; i < length; ++i) {
                const int offset = (c ? c->offset : s.text()->offset) + i;
                const quint8 mask = c ? c->mask : 0xFF;
                QVERIFY2((owned[offset] & mask) == 0, qPrintable(s.label.toString()));
                owned[offset] |= mask;
            }
            QVERIFY(!c || (c->items.size() == c->codes.size() && std::size_t(c->fallback) < c->items.size()));
        }
    }

    void everyItemStoresAndShowsBack_data() { choiceRows(); }

    // Each item stores a value that shows the same item again, and the bits
    // outside the field keep their value.
    void everyItemStoresAndShowsBack()
    {
        QFETCH(const Setting *, setting);
        const ChoiceField &field = *setting->choice();
        for (quint8 background : {quint8(0x00), quint8(0xFF), quint8(0x5A)}) {
            for (int index = 0; index < int(field.items.size()); ++index) {
                MemoryImage image = filledImage(background);
                field.store(image, index);
                QCOMPARE(field.shownIndex(image), index);
                image.setBits(field.offset, field.mask, background);
                QCOMPARE(firstDifference(image, filledImage(background)), QString());
            }
        }
    }

    void valuesOutsideTheEncodingFallBack_data() { choiceRows(); }

    // Opening and closing a dialog stores each value it shows: a value inside
    // the encoding comes back unchanged, any other becomes the fall-back's.
    void valuesOutsideTheEncodingFallBack()
    {
        QFETCH(const Setting *, setting);
        const ChoiceField &field = *setting->choice();
        const int shift = std::countr_zero(field.mask);
        for (int value = 0; value <= field.mask >> shift; ++value) {
            MemoryImage image = filledImage(0xA5);
            image.setBits(field.offset, field.mask, quint8(value << shift));
            const MemoryImage before = image;
            storeValue(*setting, image, shownValue(*setting, image));
            if (std::find(field.codes.begin(), field.codes.end(), value) != field.codes.end())
                QCOMPARE(image, before);
            else
                QCOMPARE(field.value(image), field.codes.at(std::size_t(field.fallback)));
        }
    }

    // Known values: what a value shows and what closing the dialog stores.
    void fallBacks_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("value"); // the field's value, shifted down
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("SQL 12") << u"SQL"_s << 12 << u"5"_s << 5;
        QTest::newRow("VOX 10") << u"VOX"_s << 10 << u"Off"_s << 0;
        QTest::newRow("APO 5") << u"APO"_s << 5 << u"Off"_s << 0;
        QTest::newRow("TOT 21") << u"TOT"_s << 21 << u"30s"_s << 1;
        QTest::newRow("Step 5") << u"Step"_s << 5 << u"25KHz"_s << 4;
        QTest::newRow("Scan Mode 00b") << u"Scan Mode"_s << 0 << u"CO"_s << 1;
        QTest::newRow("STE 11b") << u"STE"_s << 3 << u"Off"_s << 0;
        QTest::newRow("Roger 0xFF") << u"Roger"_s << 0xFF << u"Off"_s << 0;
        QTest::newRow("Backlight 11b") << u"Backlight Mode"_s << 3 << u"Auto"_s << 1;
        QTest::newRow("Priority 100") << u"Priority Channel"_s << 100 << u"Off"_s << 0;
        QTest::newRow("Receive Alarm 253") << u"Receive Alarm Time"_s << 253 << u"Off"_s << 0;
        QTest::newRow("Receive Alarm 254") << u"Receive Alarm Time"_s << 254 << u"Auto"_s << 254;
        QTest::newRow("Receive Alarm 255") << u"Receive Alarm Time"_s << 255 << u"Continue"_s << 255;
        QTest::newRow("Vox Delay 0") << u"Vox Delay Time (s)"_s << 0 << u"2.0"_s << 4;
        QTest::newRow("Vox Delay 6") << u"Vox Delay Time (s)"_s << 6 << u"3.0"_s << 6;
        QTest::newRow("First Digit 0") << u"First Digit Delay Time (ms)"_s << 0 << u"100"_s << 2;
        QTest::newRow("First Digit 1") << u"First Digit Delay Time (ms)"_s << 1 << u"50"_s << 1;
        QTest::newRow("First Digit 90") << u"First Digit Delay Time (ms)"_s << 90 << u"4500"_s << 90;
    }

    void fallBacks()
    {
        QFETCH(QString, label);
        QFETCH(int, value);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        const Setting &s = setting(label);
        const ChoiceField &field = *s.choice();
        MemoryImage image = filledImage(0xFF);
        image.setBits(field.offset, field.mask, quint8(value << std::countr_zero(field.mask)));
        QCOMPARE(shownText(s, image, 0), shown);
        storeValue(s, image, shownValue(s, image));
        QCOMPARE(int(field.value(image)), stored);
    }

    void digitTimesStoreTheirPosition_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("stored");
        for (const auto &label : {u"Digit Interval Time (ms)"_s, u"Digit Delay Time (ms)"_s}) {
            QTest::addRow("%s 25", qPrintable(label)) << label << u"25"_s << 0;
            QTest::addRow("%s 50", qPrintable(label)) << label << u"50"_s << 1;
            QTest::addRow("%s 6400", qPrintable(label)) << label << u"6400"_s << 255;
        }
    }

    // "50" stores 1, its own index, and is shown again as chosen.
    void digitTimesStoreTheirPosition()
    {
        QFETCH(QString, label);
        QFETCH(QString, item);
        QFETCH(int, stored);
        const Setting &s = setting(label);
        MemoryImage image = filledImage(0xFF);
        storeValue(s, image, *valueFromText(s, item));
        QCOMPARE(int(image.byte(s.choice()->offset)), stored);
        QCOMPARE(shownText(s, image, 0), item);
    }

    void itemTexts_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("on/off cht") << u"Side Tone"_s << 2 << QStringList {u"開"_s, u"關"_s};
        QTest::newRow("key lock cht") << u"Key Lock"_s << 2 << QStringList {u"自動"_s, u"手動"_s};
        QTest::newRow("backlight chs") << u"Backlight Mode"_s << 1 << QStringList {u"开"_s, u"关"_s, u"自动"_s};
        QTest::newRow("scan cht") << u"Scan Mode"_s << 2 << QStringList {u"載波"_s, u"時間"_s};
        QTest::newRow("emergency chs") << u"Emergency Call"_s << 1
                                       << QStringList {u"关"_s, u"本地报警"_s, u"本地发射报警"_s, u"发射报警"_s};
        QTest::newRow("alarm cht") << u"Receive Alarm Time"_s << 2
                                   << QStringList {u"關"_s, u"3s"_s, u"5s"_s, u"10s"_s, u"20s"_s, u"30s"_s, u"60s"_s,
                                          u"120s"_s, u"240s"_s, u"自動"_s, u"連續"_s};
        QTest::newRow("pttid chs") << u"PTT ID"_s << 1
                                   << QStringList {u"关"_s, u"开始发射"_s, u"结束发射"_s, u"两者"_s};
        QTest::newRow("pttid cht off is 關閉")
            << u"PTT ID"_s << 2 << QStringList {u"關閉"_s, u"開始"_s, u"結束"_s, u"兩者"_s};
        QTest::newRow("vox delay") << u"Vox Delay Time (s)"_s << 0
                                   << QStringList {u"0.5"_s, u"1.0"_s, u"1.5"_s, u"2.0"_s, u"2.5"_s, u"3.0"_s};
    }

    void itemTexts()
    {
        QFETCH(QString, label);
        QFETCH(int, language);
        QFETCH(QStringList, items);
        QCOMPARE(setting(label).choice()->itemTexts(quint8(language)), items);
    }

    void generatedLists_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("SQL") << u"SQL"_s << 10 << u"0"_s << u"9"_s;
        QTest::newRow("TOT") << u"TOT"_s << 21 << u"Off"_s << u"600s"_s;
        QTest::newRow("Priority") << u"Priority Channel"_s << 100 << u"Off"_s << u"99"_s;
        QTest::newRow("First Digit") << u"First Digit Delay Time (ms)"_s << 90 << u"50"_s << u"4500"_s;
        QTest::newRow("Digit Delay") << u"Digit Delay Time (ms)"_s << 256 << u"25"_s << u"6400"_s;
    }

    void generatedLists()
    {
        QFETCH(QString, label);
        QFETCH(int, size);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QStringList items = setting(label).choice()->itemTexts(0);
        QCOMPARE(items.size(), size);
        QCOMPARE(items.first(), first);
        QCOMPARE(items.last(), last);
    }

    // An item's text in any language chooses its position; case matters.
    void itemTextOfAnyLanguage()
    {
        for (const auto &text : {u"Off"_s, u"关"_s, u"關"_s})
            QCOMPARE(std::get<int>(*valueFromText(setting(u"Beep"), text)), 1);
        QVERIFY(!valueFromText(setting(u"Beep"), u"off"_s));
    }

    void textFields_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("stored"); // after storing what is shown
        QTest::newRow("password ends at a byte above 9")
            << u"Power-On Password"_s << hex("01020a030405") << u"12"_s << hex("0102ffffffff");
        QTest::newRow("password six") << u"Power-On Password"_s << hex("090807060504") << u"987654"_s
                                      << hex("090807060504");
        QTest::newRow("code ends at 0x00") << u"Code"_s << hex("31003200ffffffffffffffffffffffff") << u"1"_s
                                           << hex("31ffffffffffffffffffffffffffffff");
        QTest::newRow("code sixteen") << u"Code"_s << QByteArray("0123456789ABCD#*") << u"0123456789ABCD#*"_s
                                      << QByteArray("0123456789ABCD#*");
        QTest::newRow("pcba foreign bytes kept") << u"PCBA"_s << hex("314580ffffffffffffffffffffffffff")
                                                 << u"1E\u0080"_s << hex("314580ffffffffffffffffffffffffff");
    }

    void textFields()
    {
        QFETCH(QString, label);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        const TextField &field = *setting(label).text();
        MemoryImage image = filledImage(0x77);
        image.copyIn(field.offset, bytes);
        QCOMPARE(field.shown(image), shown);
        field.store(image, field.shown(image));
        MemoryImage expected = filledImage(0x77);
        expected.copyIn(field.offset, stored);
        QCOMPARE(firstDifference(image, expected), QString());
    }

    // Typed and pasted text alike: what the field does not take is dropped,
    // letters become capitals, and an overflow cuts what was just inserted.
    void filter_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text"); // the field's text after an edit
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("filtered");
        QTest::addColumn<int>("filteredCursor");
        QTest::newRow("code capitals, no E, x, space, tab") << u"Code"_s << u"1ex a\t*"_s << 7 << u"1A*"_s << 3;
        QTest::newRow("code drops wide letters") << u"Code"_s << u"Ａ１a"_s << 3 << u"A"_s << 1;
        QTest::newRow("code cursor mid") << u"Code"_s << u"1x2|3"_s << 3 << u"123"_s << 2;
        QTest::newRow("code paste cut at cursor")
            << u"Code"_s << u"0123456789ABCD#*99"_s << 18 << u"0123456789ABCD#*"_s << 16;
        QTest::newRow("code paste into middle")
            << u"Code"_s << u"0123456abc789ABCD#"_s << 10 << u"0123456A789ABCD#"_s << 8;
        QTest::newRow("code typed at full") << u"Code"_s << u"01253456789ABCD#*"_s << 4 << u"0123456789ABCD#*"_s << 3;
        QTest::newRow("password digits only") << u"Power-On Password"_s << u"1 2-3a"_s << 6 << u"123"_s << 3;
        QTest::newRow("password seventh in front") << u"Power-On Password"_s << u"7123456"_s << 1 << u"123456"_s << 0;
        QTest::newRow("pcba letters and digits, no accents") << u"PCBA"_s << u"ab1- zé"_s << 7 << u"AB1Z"_s << 4;
    }

    void filter()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(QString, filtered);
        QFETCH(int, filteredCursor);
        const TextField::Edit edit = setting(label).text()->filter(text, cursor);
        QCOMPARE(edit.text, filtered);
        QCOMPARE(edit.cursor, filteredCursor);
    }
};

QTEST_GUILESS_MAIN(TestSettingTable)
#include "tst_settingtable.moc"
