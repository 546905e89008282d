// The settings table of the Option, PTT ID and PCBA dialogs: how each setting
// is stored, shown, filtered and falls back; and the per-radio settings of a
// batch, the whole file checked before any radio is touched, a refusal naming
// its line and column.
#include "core/settings/settingvalues.h"
#include "core/settings/unitvariations.h"
#include "coretest.h"

#include <QTest>

#include <bit>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestSettingTable : public QObject
{
    Q_OBJECT

private slots:
    // No two settings share a bit, so storing one never changes another. Each
    // item stores a value that shows the same item again, whatever the bits
    // around the field, which keep their value.
    void everySettingOwnsItsBits()
    {
        QHash<int, quint8> owned;
        for (const Setting &s : settingTable()) {
            const ChoiceField *c = s.choice();
            const QByteArray label = s.label.toString().toUtf8();
            for (int i = 0; i < (c ? 1 : s.text()->length); ++i) {
                const int offset = (c ? c->offset : s.text()->offset) + i;
                QVERIFY2(!(owned[offset] & (c ? c->mask : 0xFF)), label);
                owned[offset] |= c ? c->mask : 0xFF;
            }
            for (quint8 background : {quint8(0x00), quint8(0xFF), quint8(0x5A)}) {
                for (int index = 0; c && index < int(c->items.size()); ++index) {
                    MemoryImage image = filledImage(background);
                    c->store(image, index);
                    QVERIFY2(c->shownIndex(image) == index, label);
                    image.setBits(c->offset, c->mask, background);
                    QVERIFY2(firstDifference(image, filledImage(background)).isEmpty(), label);
                }
            }
        }
    }

    // What the bytes of a setting show, and what closing the dialog then
    // stores: list tops and fall-backs of the choices, the ends of the texts.
    void shownAndStored_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QByteArray>("bytes"); // a choice's value, shifted down; a text's bytes, then 0xFF
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("stored");
        const auto v = [](int value) { return QByteArray(1, char(value)); };
        QTest::newRow("SQL 9") << u"SQL"_s << v(9) << u"9"_s << v(9);
        QTest::newRow("SQL 10") << u"SQL"_s << v(10) << u"5"_s << v(5);
        QTest::newRow("VOX 10") << u"VOX"_s << v(10) << u"Off"_s << v(0);
        QTest::newRow("APO 5") << u"APO"_s << v(5) << u"Off"_s << v(0);
        QTest::newRow("TOT 20") << u"TOT"_s << v(20) << u"600s"_s << v(20);
        QTest::newRow("TOT 21") << u"TOT"_s << v(21) << u"30s"_s << v(1);
        QTest::newRow("Step 5") << u"Step"_s << v(5) << u"25KHz"_s << v(4);
        QTest::newRow("STE 11b") << u"STE"_s << v(3) << u"Off"_s << v(0);
        QTest::newRow("Backlight 11b") << u"Backlight Mode"_s << v(3) << u"Auto"_s << v(1);
        QTest::newRow("Priority 99") << u"Priority Channel"_s << v(99) << u"99"_s << v(99);
        QTest::newRow("Priority 100") << u"Priority Channel"_s << v(100) << u"Off"_s << v(0);
        QTest::newRow("Receive Alarm 253") << u"Receive Alarm Time"_s << v(253) << u"Off"_s << v(0);
        QTest::newRow("Receive Alarm 254") << u"Receive Alarm Time"_s << v(254) << u"Auto"_s << v(254);
        QTest::newRow("Vox Delay 0") << u"Vox Delay Time (s)"_s << v(0) << u"2.0"_s << v(4);
        QTest::newRow("Vox Delay 6") << u"Vox Delay Time (s)"_s << v(6) << u"3.0"_s << v(6);
        QTest::newRow("First Digit 0") << u"First Digit Delay Time (ms)"_s << v(0) << u"100"_s << v(2);
        QTest::newRow("First Digit 90") << u"First Digit Delay Time (ms)"_s << v(90) << u"4500"_s << v(90);
        // "50" is item 1 and stores 1, its own position; every value has an item. Digit Interval Time alike.
        QTest::newRow("Digit Delay 1") << u"Digit Delay Time (ms)"_s << v(1) << u"50"_s << v(1);
        QTest::newRow("Digit Delay 255") << u"Digit Delay Time (ms)"_s << v(255) << u"6400"_s << v(255);
        QTest::newRow("password ends at a byte above 9")
            << u"Power-On Password"_s << hex("01020A0304") << u"12"_s << hex("0102");
        QTest::newRow("password of six") << u"Power-On Password"_s << hex("090807060504") << u"987654"_s
                                         << hex("090807060504");
        QTest::newRow("code of sixteen") << u"Code"_s << QByteArray("0123456789ABCD#*") << u"0123456789ABCD#*"_s
                                         << QByteArray("0123456789ABCD#*");
        QTest::newRow("pcba foreign bytes kept") << u"PCBA"_s << hex("314580") << u"1E\u0080"_s << hex("314580");
    }

    void shownAndStored()
    {
        QFETCH(QString, label);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        const Setting *found = findSetting(label);
        QVERIFY2(found, qPrintable(label));
        const Setting &s = *found;
        const auto imageWith = [&s](const QByteArray &field) { // the field's bytes among bytes of 0x77
            MemoryImage image = filledImage(0x77);
            if (const ChoiceField *c = s.choice())
                image.setBits(c->offset, c->mask, quint8(quint8(field.at(0)) << std::countr_zero(c->mask)));
            else
                image.copyIn(s.text()->offset, field.leftJustified(s.text()->length, '\xFF'));
            return image;
        };
        MemoryImage image = imageWith(bytes);
        QCOMPARE(shownText(s, image, Language::Eng), shown);
        storeValue(s, image, shownValue(s, image));
        QCOMPARE(firstDifference(image, imageWith(stored)), QString());
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
        const Setting *found = findSetting(label);
        QVERIFY2(found && found->text(), qPrintable(label));
        const TextField::Edit edit = found->text()->filter(text, cursor);
        QCOMPARE(edit.text, filtered);
        QCOMPARE(edit.cursor, filteredCursor);
    }

    // The per-radio settings of a batch: each row's cells, checked whole
    // before any radio is touched; a refusal names its line and column and
    // nothing of a refused file is used. A row's empty cell keeps the
    // document's setting; a row of empty cells is the document as it is.
    void variations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // the start of the refusal; empty: read
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("shown"); // Code|Beep of the last row's unit; DOC: the document's
        const QStringList none;
        QTest::newRow("unknown label") << u"Code,Squelch\n1,2\n"_s << u"line 1, column 2: unknown setting \"Squelch\""_s
                                       << none << QString();
        QTest::newRow("label twice") << u"Code,SQL,Code\n"_s << u"line 1, column 3: Code: named more than once"_s
                                     << none << QString();
        QTest::newRow("unknown item") << u"SQL,Beep\n3,On\n4,Loud\n"_s
                                      << u"line 3, column 2: Beep: unknown item \"Loud\""_s << none << QString();
        QTest::newRow("code too long") << u"Code\n1234567890123456789\n"_s
                                       << u"line 2, column 1: Code: \"1234567890123456789\" is not a "
                                          "valid text (at most"_s
                                       << none << QString();
        QTest::newRow("code character") << u"SQL,Code\n,12E\n"_s
                                        << u"line 2, column 2: Code: \"12E\" is not a valid text"_s << none
                                        << QString();
        QTest::newRow("cells short") << u"SQL,Code\n3\n"_s << u"line 2: 1 cells where the first line names 2 settings"_s
                                     << none << QString();
        QTest::newRow("cells long") << u"Code\n1\n2,3\n"_s << u"line 3: 2 cells where the first line names 1 settings"_s
                                    << none << QString();
        QTest::newRow("bad quoting") << u"Code\n\"1\"2\n"_s << u"line 2, column 1: "_s << none << QString();
        QTest::newRow("empty") << QString() << u"line 1: the file is empty"_s << none << QString();
        QTest::newRow("bad row after good ones")
            << u"Code\n1\n2\n3\nX\n"_s << u"line 5, column 1: Code: \"X\""_s << none << QString();
        QTest::newRow("both cells") << u"Code,Beep\n101,Off\n"_s << QString() << texts(u"Code=101|Beep=Off")
                                    << u"101|Off"_s;
        QTest::newRow("empty cell keeps the document")
            << u"Code,Beep\n,On\n"_s << QString() << QStringList{u"Beep=On"_s} << u"DOC|On"_s;
        QTest::newRow("quoted, Chinese item")
            << u"\"Beep\",Code\n关,\"7\"\r\n"_s << QString() << texts(u"Beep=关|Code=7") << u"7|Off"_s;
        QTest::newRow("header spaces") << u" Code , Beep\n55,\n"_s << QString() << QStringList{u"Code=55"_s}
                                       << u"55|DOC"_s;
        QTest::newRow("rows of empty cells") << u"Code,SQL\n,\n,\n"_s << QString() << none << u"DOC|DOC"_s;
    }

    void variations()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(QStringList, assignments);
        QFETCH(QString, shown);
        const VariationsRead read = parseVariations(text);
        if (!error.isEmpty()) {
            QVERIFY(!read);
            QVERIFY2(read.error->startsWith(error), qPrintable(*read.error));
            QVERIFY(read.units.isEmpty());
            return;
        }
        QVERIFY2(read, qPrintable(read.error.value_or(QString())));
        QCOMPARE(read.units.size(), text.count(u'\n') - 1); // a unit for each line below the header
        QCOMPARE(read.units.last().line, text.count(u'\n'));
        QCOMPARE(read.units.last().assignments, assignments);
        MemoryImage document = patternImage(9); // odd values too, which a store would change
        const Setting &code = *findSetting(u"Code");
        const Setting &beep = *findSetting(u"Beep");
        storeValue(code, document, u"4321"_s);
        const MemoryImage unit = read.units.last().applied(document);
        const QStringList want = shown.split(u'|');
        QCOMPARE(shownText(code, unit, Language::Eng), want[0] == u"DOC" ? u"4321"_s : want[0]);
        QCOMPARE(shownText(beep, unit, Language::Eng),
                 want[1] == u"DOC" ? shownText(beep, document, Language::Eng) : want[1]);
        if (assignments.isEmpty())
            QCOMPARE(firstDifference(unit, document), QString());
    }
};

QTEST_GUILESS_MAIN(TestSettingTable)
#include "tst_settingtable.moc"
