// The per-radio settings of a batch: the whole file is checked before any
// radio is touched, and a refusal names its line and column.

#include "core/settings/unitvariations.h"
#include "testbytes.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestUnitVariations : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown label") << u"Code,Squelch\n1,2\n"_s
                                       << u"line 1, column 2: unknown setting \"Squelch\""_s;
        QTest::newRow("label twice") << u"Code,SQL,Code\n"_s << u"line 1, column 3: Code: named more than once"_s;
        QTest::newRow("unknown item") << u"SQL,Beep\n3,On\n4,Loud\n"_s
                                      << u"line 3, column 2: Beep: unknown item \"Loud\""_s;
        QTest::newRow("code too long") << u"Code\n1234567890123456789\n"_s
                                       << u"line 2, column 1: Code: \"1234567890123456789\" is not a "
                                          "valid text (at most"_s;
        QTest::newRow("code character") << u"SQL,Code\n,12E\n"_s
                                        << u"line 2, column 2: Code: \"12E\" is not a valid text"_s;
        QTest::newRow("cells short") << u"SQL,Code\n3\n"_s
                                     << u"line 2: 1 cells where the first line names 2 settings"_s;
        QTest::newRow("cells long") << u"Code\n1\n2,3\n"_s
                                    << u"line 3: 2 cells where the first line names 1 settings"_s;
        QTest::newRow("bad quoting") << u"Code\n\"1\"2\n"_s << u"line 2, column 1: "_s;
        QTest::newRow("empty") << QString() << u"line 1: the file is empty"_s;
        QTest::newRow("bad row after good ones") << u"Code\n1\n2\n3\nX\n"_s << u"line 5, column 1: Code: \"X\""_s;
    }

    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const VariationsRead read = parseVariations(text);
        QVERIFY(!read);
        QVERIFY2(read.error->startsWith(error), qPrintable(*read.error));
        // Nothing of a refused file is used.
        QVERIFY(read.units.isEmpty());
    }

    void rowsApplyTheirCellsOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("beep");
        QTest::newRow("both cells") << u"Code,Beep\n101,Off\n"_s << texts(u"Code=101|Beep=Off") << u"101"_s << u"Off"_s;
        QTest::newRow("empty cell keeps the document")
            << u"Code,Beep\n,On\n"_s << QStringList{u"Beep=On"_s} << u"DOC"_s << u"On"_s;
        QTest::newRow("quoted, Chinese item")
            << u"\"Beep\",Code\n关,\"7\"\r\n"_s << texts(u"Beep=关|Code=7") << u"7"_s << u"Off"_s;
        QTest::newRow("header spaces") << u" Code , Beep\n55,\n"_s << QStringList{u"Code=55"_s} << u"55"_s << u"DOC"_s;
    }

    void rowsApplyTheirCellsOnly()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, assignments);
        QFETCH(QString, code);
        QFETCH(QString, beep);
        MemoryImage document = builtInDefaultsImage();
        const Setting &codeSetting = *findSetting(u"Code");
        const Setting &beepSetting = *findSetting(u"Beep");
        storeValue(codeSetting, document, u"4321"_s);
        const VariationsRead read = parseVariations(text);
        QVERIFY2(read, qPrintable(read.error.value_or(QString())));
        QCOMPARE(read.units.size(), 1);
        QCOMPARE(read.units.first().line, 2);
        QCOMPARE(read.units.first().assignments, assignments);
        const MemoryImage unit = read.units.first().applied(document);
        QCOMPARE(shownText(codeSetting, unit, Language::Eng),
                 code == u"DOC" ? shownText(codeSetting, document, Language::Eng) : code);
        QCOMPARE(shownText(beepSetting, unit, Language::Eng),
                 beep == u"DOC" ? shownText(beepSetting, document, Language::Eng) : beep);
    }

    void aRowOfEmptyCellsIsTheDocumentAsItIs()
    {
        const MemoryImage document = patternImage(9);
        const VariationsRead read = parseVariations(u"Code,SQL\n,\n,\n");
        QVERIFY(read);
        QCOMPARE(read.units.size(), 2);
        QCOMPARE(read.units.at(1).line, 3);
        QVERIFY(read.units.at(1).assignments.isEmpty());
        QCOMPARE(read.units.at(1).applied(document).bytes(), document.bytes());
    }
};

QTEST_GUILESS_MAIN(TestUnitVariations)
#include "tst_unitvariations.moc"
