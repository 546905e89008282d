// The per-radio settings of a batch: the whole file is checked before any
// radio is touched, and a refusal names its line and column.

#include "core/settings/unitvariations.h"
#include "testbytes.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestUnitVariations : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown label") << QStringLiteral("Code,Squelch\n1,2\n")
                                       << QStringLiteral("line 1, column 2: unknown setting \"Squelch\"");
        QTest::newRow("label twice") << QStringLiteral("Code,SQL,Code\n")
                                     << QStringLiteral("line 1, column 3: Code: named more than once");
        QTest::newRow("unknown item") << QStringLiteral("SQL,Beep\n3,On\n4,Loud\n")
                                      << QStringLiteral("line 3, column 2: Beep: unknown item \"Loud\"");
        QTest::newRow("code too long") << QStringLiteral("Code\n1234567890123456789\n")
                                       << QStringLiteral("line 2, column 1: Code: \"1234567890123456789\" is not a "
                                                         "valid text (at most");
        QTest::newRow("code character") << QStringLiteral("SQL,Code\n,12E\n")
                                        << QStringLiteral("line 2, column 2: Code: \"12E\" is not a valid text");
        QTest::newRow("cells short") << QStringLiteral("SQL,Code\n3\n")
                                     << QStringLiteral("line 2: 1 cells where the first line names 2 settings");
        QTest::newRow("cells long") << QStringLiteral("Code\n1\n2,3\n")
                                    << QStringLiteral("line 3: 2 cells where the first line names 1 settings");
        QTest::newRow("bad quoting") << QStringLiteral("Code\n\"1\"2\n") << QStringLiteral("line 2, column 1: ");
        QTest::newRow("empty") << QString() << QStringLiteral("line 1: the file is empty");
        QTest::newRow("bad row after good ones")
            << QStringLiteral("Code\n1\n2\n3\nX\n") << QStringLiteral("line 5, column 1: Code: \"X\"");
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
        QTest::newRow("both cells") << QStringLiteral("Code,Beep\n101,Off\n")
                                    << QStringList{QStringLiteral("Code=101"), QStringLiteral("Beep=Off")}
                                    << QStringLiteral("101") << QStringLiteral("Off");
        QTest::newRow("empty cell keeps the document")
            << QStringLiteral("Code,Beep\n,On\n") << QStringList{QStringLiteral("Beep=On")} << QStringLiteral("DOC")
            << QStringLiteral("On");
        QTest::newRow("quoted, Chinese item") << QStringLiteral("\"Beep\",Code\n关,\"7\"\r\n")
                                              << QStringList{QStringLiteral("Beep=关"), QStringLiteral("Code=7")}
                                              << QStringLiteral("7") << QStringLiteral("Off");
        QTest::newRow("header spaces") << QStringLiteral(" Code , Beep\n55,\n")
                                       << QStringList{QStringLiteral("Code=55")} << QStringLiteral("55")
                                       << QStringLiteral("DOC");
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
        storeValue(codeSetting, document, QStringLiteral("4321"));
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
