#include "image/builtindefaults.h"
#include "image/regions.h"
#include "settings/settingvalues.h"

#include <QTest>
#include <bit>

using namespace kdw;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const Setting *)

namespace {

MemoryImage filled(quint8 value)
{
    MemoryImage image;
    image.fill(value);
    return image;
}

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
    void dialogOrder();
    void fieldsDoNotOverlap();
    void everyItemStoresAndShowsBack_data() { choiceRows(); }
    void everyItemStoresAndShowsBack();
    void inEncodingValuesRoundTrip_data() { choiceRows(); }
    void inEncodingValuesRoundTrip();
    void fallBacks_data();
    void fallBacks();
    void digitTimesShowWhatWasChosen_data();
    void digitTimesShowWhatWasChosen();
    void builtInDefaults();
    void languages_data();
    void languages();
    void itemTextsOfAnyLanguage();
    void textFields_data();
    void textFields();
    void filter_data();
    void filter();
};

// The order the CLI prints and the dialogs lay out, with the English labels.
void TestSettingTable::dialogOrder()
{
    const QStringList expected = {u"SQL"_s, u"Reverse"_s, u"VOX"_s, u"APO"_s, u"TOT"_s, u"Key Lock"_s, u"Step"_s,
        u"Scan Mode"_s, u"Beep"_s, u"Battery Save"_s, u"STE"_s, u"Roger"_s, u"Radio"_s, u"Single Radio"_s,
        u"Backlight Mode"_s, u"Frequency Mode"_s, u"Priority Channel"_s, u"Channel Name"_s, u"Emergency Call"_s,
        u"Receive Alarm Time"_s, u"Power-On Password"_s, u"Power-On Password Switch"_s, u"Manual Power Switch"_s,
        u"Vox Delay Time (s)"_s, u"First Digit Delay Time (ms)"_s, u"Digit Interval Time (ms)"_s,
        u"Digit Delay Time (ms)"_s, u"Side Tone"_s, u"Display"_s, u"PTT ID"_s, u"Code"_s, u"PCBA"_s};
    QStringList labels;
    for (const Setting &s : settingTable())
        labels << s.label.toString();
    QCOMPARE(labels, expected);
}

// No two settings share a bit, so storing one never changes another.
void TestSettingTable::fieldsDoNotOverlap()
{
    QHash<int, quint8> owned;
    for (const Setting &s : settingTable()) {
        if (const ChoiceField *c = s.choice()) {
            QVERIFY2((owned[c->offset] & c->mask) == 0, qPrintable(s.label.toString()));
            owned[c->offset] |= c->mask;
            QCOMPARE(c->items.size(), c->codes.size());
            QVERIFY(c->fallback >= 0 && std::size_t(c->fallback) < c->items.size());
        } else {
            for (int i = 0; i < s.text()->length; ++i) {
                QVERIFY2(owned[s.text()->offset + i] == 0, qPrintable(s.label.toString()));
                owned[s.text()->offset + i] = 0xFF;
            }
        }
    }
}

// Each item stores a value that shows the same item again, and the bytes and
// bits outside the field keep their value.
void TestSettingTable::everyItemStoresAndShowsBack()
{
    QFETCH(const Setting *, setting);
    const ChoiceField &field = *setting->choice();
    for (quint8 background : {quint8(0x00), quint8(0xFF), quint8(0x5A)}) {
        for (int index = 0; index < int(field.items.size()); ++index) {
            MemoryImage image = filled(background);
            field.store(image, index);
            QCOMPARE(field.shownIndex(image), index);
            QCOMPARE(quint8(image.byte(field.offset) & ~field.mask), quint8(background & ~field.mask));
            image.setBits(field.offset, field.mask, background);
            QCOMPARE(image, filled(background));
        }
    }
}

// Opening and closing a dialog stores each value it shows: a value inside
// the encoding comes back unchanged, any other value becomes the fall-back's.
void TestSettingTable::inEncodingValuesRoundTrip()
{
    QFETCH(const Setting *, setting);
    const ChoiceField &field = *setting->choice();
    const int shift = std::countr_zero(field.mask);
    for (int value = 0; value <= field.mask >> shift; ++value) {
        MemoryImage image = filled(0xA5);
        image.setBits(field.offset, field.mask, quint8(value << shift));
        const MemoryImage before = image;
        storeValue(*setting, image, shownValue(*setting, image));
        const bool inEncoding = std::find(field.codes.begin(), field.codes.end(), value) != field.codes.end();
        if (inEncoding)
            QCOMPARE(image, before);
        else
            QCOMPARE(field.value(image), field.codes.at(std::size_t(field.fallback)));
    }
}

void TestSettingTable::fallBacks_data()
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
    QTest::newRow("Scan Mode 11b") << u"Scan Mode"_s << 3 << u"CO"_s << 1;
    QTest::newRow("STE 11b") << u"STE"_s << 3 << u"Off"_s << 0;
    QTest::newRow("Roger 0xFF") << u"Roger"_s << 0xFF << u"Off"_s << 0;
    QTest::newRow("Backlight 11b") << u"Backlight Mode"_s << 3 << u"Auto"_s << 1;
    QTest::newRow("Priority 100") << u"Priority Channel"_s << 100 << u"Off"_s << 0;
    QTest::newRow("Receive Alarm 7") << u"Receive Alarm Time"_s << 7 << u"Off"_s << 0;
    QTest::newRow("Receive Alarm 253") << u"Receive Alarm Time"_s << 253 << u"Off"_s << 0;
    QTest::newRow("Receive Alarm 254") << u"Receive Alarm Time"_s << 254 << u"Auto"_s << 254;
    QTest::newRow("Receive Alarm 255") << u"Receive Alarm Time"_s << 255 << u"Continue"_s << 255;
    QTest::newRow("Vox Delay 0") << u"Vox Delay Time (s)"_s << 0 << u"2.0"_s << 4;
    QTest::newRow("Vox Delay 7") << u"Vox Delay Time (s)"_s << 7 << u"2.0"_s << 4;
    QTest::newRow("Vox Delay 6") << u"Vox Delay Time (s)"_s << 6 << u"3.0"_s << 6;
    QTest::newRow("First Digit 0") << u"First Digit Delay Time (ms)"_s << 0 << u"100"_s << 2;
    QTest::newRow("First Digit 200") << u"First Digit Delay Time (ms)"_s << 200 << u"100"_s << 2;
    QTest::newRow("First Digit 90") << u"First Digit Delay Time (ms)"_s << 90 << u"4500"_s << 90;
    QTest::newRow("First Digit 1") << u"First Digit Delay Time (ms)"_s << 1 << u"50"_s << 1;
}

void TestSettingTable::fallBacks()
{
    QFETCH(QString, label);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    const Setting &s = setting(label);
    const ChoiceField &field = *s.choice();
    MemoryImage image = filled(0xFF);
    image.setBits(field.offset, field.mask, quint8(value << std::countr_zero(field.mask)));
    QCOMPARE(shownText(s, image, 0), shown);
    storeValue(s, image, shownValue(s, image));
    QCOMPARE(int(field.value(image)), stored);
    QCOMPARE(quint8(image.byte(field.offset) | field.mask), quint8(0xFF));
}

void TestSettingTable::digitTimesShowWhatWasChosen_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("stored");
    for (const auto &label : {u"Digit Interval Time (ms)"_s, u"Digit Delay Time (ms)"_s}) {
        QTest::addRow("%s 25", qPrintable(label)) << label << u"25"_s << 0;
        QTest::addRow("%s 50", qPrintable(label)) << label << u"50"_s << 1;
        QTest::addRow("%s 75", qPrintable(label)) << label << u"75"_s << 2;
        QTest::addRow("%s 6400", qPrintable(label)) << label << u"6400"_s << 255;
    }
}

// "50" stores 1, its own index, and is shown again as chosen.
void TestSettingTable::digitTimesShowWhatWasChosen()
{
    QFETCH(QString, label);
    QFETCH(QString, item);
    QFETCH(int, stored);
    const Setting &s = setting(label);
    MemoryImage image = filled(0xFF);
    storeValue(s, image, *valueFromText(s, item));
    QCOMPARE(int(image.byte(s.choice()->offset)), stored);
    QCOMPARE(shownText(s, image, 0), item);
}

// A new document without Default.sin shows the defaults list.
void TestSettingTable::builtInDefaults()
{
    MemoryImage image = filled(0xFF);
    applyBuiltInDefaults(image);
    QStringList shown;
    for (const Setting &s : settingTable())
        shown << s.label.toString() + u": "_s + shownText(s, image, 0);
    const QStringList expected = {u"SQL: 5"_s, u"Reverse: Off"_s, u"VOX: Off"_s, u"APO: Off"_s, u"TOT: 60s"_s,
        u"Key Lock: Manual"_s, u"Step: 25KHz"_s, u"Scan Mode: CO"_s, u"Beep: On"_s, u"Battery Save: On"_s,
        u"STE: 120 phase shift"_s, u"Roger: Off"_s, u"Radio: On"_s, u"Single Radio: On"_s, u"Backlight Mode: Auto"_s,
        u"Frequency Mode: On"_s, u"Priority Channel: Off"_s, u"Channel Name: Off"_s, u"Emergency Call: Off"_s,
        u"Receive Alarm Time: Off"_s, u"Power-On Password: 000000"_s, u"Power-On Password Switch: Off"_s,
        u"Manual Power Switch: On"_s, u"Vox Delay Time (s): 1.5"_s, u"First Digit Delay Time (ms): 100"_s,
        u"Digit Interval Time (ms): 75"_s, u"Digit Delay Time (ms): 75"_s, u"Side Tone: On"_s, u"Display: Off"_s,
        u"PTT ID: Off"_s, u"Code: "_s, u"PCBA: "_s};
    QCOMPARE(shown, expected);
}

void TestSettingTable::languages_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("on/off chs") << u"Beep"_s << 1 << QStringList {u"开"_s, u"关"_s};
    QTest::newRow("on/off cht") << u"Side Tone"_s << 2 << QStringList {u"開"_s, u"關"_s};
    QTest::newRow("key lock cht") << u"Key Lock"_s << 2 << QStringList {u"自動"_s, u"手動"_s};
    QTest::newRow("backlight chs") << u"Backlight Mode"_s << 1 << QStringList {u"开"_s, u"关"_s, u"自动"_s};
    QTest::newRow("scan cht") << u"Scan Mode"_s << 2 << QStringList {u"載波"_s, u"時間"_s};
    QTest::newRow("emergency chs") << u"Emergency Call"_s << 1
                                   << QStringList {u"关"_s, u"本地报警"_s, u"本地发射报警"_s, u"发射报警"_s};
    QTest::newRow("apo cht") << u"APO"_s << 2 << QStringList {u"關"_s, u"10M"_s, u"30M"_s, u"1H"_s, u"2H"_s};
    QTest::newRow("step chs") << u"Step"_s << 1
                              << QStringList {u"5KHz"_s, u"6.25KHz"_s, u"10KHz"_s, u"12.5KHz"_s, u"25KHz"_s};
    QTest::newRow("alarm cht") << u"Receive Alarm Time"_s << 2
                               << QStringList {u"關"_s, u"3s"_s, u"5s"_s, u"10s"_s, u"20s"_s, u"30s"_s, u"60s"_s,
                                      u"120s"_s, u"240s"_s, u"自動"_s, u"連續"_s};
    QTest::newRow("pttid eng") << u"PTT ID"_s << 0 << QStringList {u"Off"_s, u"Begin"_s, u"End"_s, u"Both"_s};
    QTest::newRow("pttid chs") << u"PTT ID"_s << 1 << QStringList {u"关"_s, u"开始发射"_s, u"结束发射"_s, u"两者"_s};
    QTest::newRow("pttid cht off is 關閉")
        << u"PTT ID"_s << 2 << QStringList {u"關閉"_s, u"開始"_s, u"結束"_s, u"兩者"_s};
    QTest::newRow("display cht") << u"Display"_s << 2 << QStringList {u"開"_s, u"關"_s};
}

void TestSettingTable::languages()
{
    QFETCH(QString, label);
    QFETCH(int, language);
    QFETCH(QStringList, items);
    QCOMPARE(setting(label).choice()->itemTexts(quint8(language)), items);
}

// The generated lists, and an item read back in any language chooses the
// same position.
void TestSettingTable::itemTextsOfAnyLanguage()
{
    const auto items = [](QStringView label) { return setting(label).choice()->itemTexts(2); };
    QCOMPARE(items(u"SQL").size(), 10);
    QCOMPARE(items(u"Vox Delay Time (s)"), (QStringList {u"0.5"_s, u"1.0"_s, u"1.5"_s, u"2.0"_s, u"2.5"_s, u"3.0"_s}));
    QCOMPARE(items(u"First Digit Delay Time (ms)").size(), 90);
    QCOMPARE(items(u"First Digit Delay Time (ms)").last(), u"4500"_s);
    QCOMPARE(items(u"Digit Delay Time (ms)").size(), 256);
    QCOMPARE(items(u"TOT").size(), 21);
    QCOMPARE(items(u"TOT").last(), u"600s"_s);
    QCOMPARE(items(u"Priority Channel").size(), 100);
    QCOMPARE(items(u"Priority Channel").last(), u"99"_s);

    const Setting &beep = setting(u"Beep");
    for (const auto &text : {u"Off"_s, u"关"_s, u"關"_s})
        QCOMPARE(std::get<int>(*valueFromText(beep, text)), 1);
    QVERIFY(!valueFromText(beep, u"off"_s));
    QVERIFY(!valueFromText(setting(u"SQL"), u"10"_s));
}

void TestSettingTable::textFields_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("password two digits") << u"Power-On Password"_s << QByteArray::fromHex("0102ffffffff") << u"12"_s
                                         << QByteArray::fromHex("0102ffffffff");
    QTest::newRow("password third byte 10") << u"Power-On Password"_s << QByteArray::fromHex("01020a030405") << u"12"_s
                                            << QByteArray::fromHex("0102ffffffff");
    QTest::newRow("password six") << u"Power-On Password"_s << QByteArray::fromHex("090807060504") << u"987654"_s
                                  << QByteArray::fromHex("090807060504");
    QTest::newRow("password empty") << u"Power-On Password"_s << QByteArray::fromHex("ff0102030405") << u""_s
                                    << QByteArray::fromHex("ffffffffffff");
    QTest::newRow("code all 0xFF") << u"Code"_s << QByteArray(16, char(0xFF)) << u""_s << QByteArray(16, char(0xFF));
    QTest::newRow("code 0x00 ends") << u"Code"_s
                                    << QByteArray("1\x00"
                                                  "2",
                                           3)
            + QByteArray(13, char(0xFF))
                                    << u"1"_s << QByteArray("1") + QByteArray(15, char(0xFF));
    QTest::newRow("code sixteen") << u"Code"_s << QByteArray("0123456789ABCD#*") << u"0123456789ABCD#*"_s
                                  << QByteArray("0123456789ABCD#*");
    QTest::newRow("code foreign bytes kept") << u"Code"_s << QByteArray("1E\x80") + QByteArray(13, char(0xFF))
                                             << u"1E\u0080"_s << QByteArray("1E\x80") + QByteArray(13, char(0xFF));
    QTest::newRow("pcba") << u"PCBA"_s << QByteArray("AB1") + QByteArray(13, char(0xFF)) << u"AB1"_s
                          << QByteArray("AB1") + QByteArray(13, char(0xFF));
    QTest::newRow("pcba after 0x00") << u"PCBA"_s
                                     << QByteArray("A\x00"
                                                   "BCDEFGHIJKLMNO",
                                            16)
                                     << u"A"_s << QByteArray("A") + QByteArray(15, char(0xFF));
}

void TestSettingTable::textFields()
{
    QFETCH(QString, label);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QFETCH(QByteArray, stored);
    const TextField &field = *setting(label).text();
    MemoryImage image = filled(0x77);
    image.copyIn(field.offset, bytes);
    QCOMPARE(field.shown(image), shown);
    field.store(image, field.shown(image));
    QCOMPARE(image.bytes(field.offset, field.length), stored);
    QCOMPARE(image.byte(field.offset - 1), quint8(0x77));
    QCOMPARE(image.byte(field.offset + field.length), quint8(0x77));
}

void TestSettingTable::filter_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text"); // the field's text after an edit
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("filtered");
    QTest::addColumn<int>("filteredCursor");

    QTest::newRow("code capitals") << u"Code"_s << u"12ab#"_s << 5 << u"12AB#"_s << 5;
    QTest::newRow("code drops E x space") << u"Code"_s << u"1Ex *"_s << 5 << u"1*"_s << 2;
    QTest::newRow("code drops controls") << u"Code"_s << u"1\t2\n3\u0008"_s << 6 << u"123"_s << 3;
    QTest::newRow("code drops wide letters") << u"Code"_s << u"Ａ１a"_s << 3 << u"A"_s << 1;
    QTest::newRow("code cursor mid") << u"Code"_s << u"1x2|3"_s << 3 << u"123"_s << 2;
    QTest::newRow("code paste cut at cursor")
        << u"Code"_s << u"0123456789ABCD#*99"_s << 18 << u"0123456789ABCD#*"_s << 16;
    QTest::newRow("code paste into middle") << u"Code"_s << u"0123456abc789ABCD#"_s << 10 << u"0123456A789ABCD#"_s << 8;
    QTest::newRow("code typed at full") << u"Code"_s << u"01253456789ABCD#*"_s << 4 << u"0123456789ABCD#*"_s << 3;
    QTest::newRow("password digits") << u"Power-On Password"_s << u"1 2-3a"_s << 6 << u"123"_s << 3;
    QTest::newRow("password seventh") << u"Power-On Password"_s << u"1234567"_s << 7 << u"123456"_s << 6;
    QTest::newRow("password seventh in front") << u"Power-On Password"_s << u"7123456"_s << 1 << u"123456"_s << 0;
    QTest::newRow("pcba letters digits") << u"PCBA"_s << u"ab1- z"_s << 6 << u"AB1Z"_s << 4;
    QTest::newRow("pcba no accents") << u"PCBA"_s << u"éa"_s << 2 << u"A"_s << 1;
}

void TestSettingTable::filter()
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

QTEST_GUILESS_MAIN(TestSettingTable)
#include "tst_settingtable.moc"
