// The channel table model: the grid's texts between the grid load and the
// grid store, and the rules of typing applied to them.
#include "core/channels/channeltablemodel.h"
#include "coretest.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestChannelTableModel : public QObject
{
    Q_OBJECT

private slots:
    // Qt's own checks of a model's contract, through loads, edits and commits.
    void keepsTheModelContract()
    {
        ChannelTableModel model(Language::Eng);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.load(factoryImage());
        QVERIFY(model.setData(model.index(20, 8), u"NEW"_s));
        (void)model.commitFrequency(30, RxFreqField, u"446.00625");
        model.load(filledImage(0xFF));
        QVERIFY(!model.setData(model.index(0, 0), u"446"_s, Qt::DisplayRole));
        QVERIFY(!model.setData(model.index(99, 0), u"446"_s));
    }

    // A load changes only the cells that differ, so a view keeps its current
    // cell and selection; the views hear of it before the first cell changes.
    void loadChangesCellsInPlace()
    {
        ChannelTableModel model(Language::Eng);
        model.load(factoryImage());
        MemoryImage image = factoryImage();
        storeChannelTexts(image, 5, row(u"401.00000|401.00000|Off|Off|Off|High|Add|Wide|FIVE"));
        QString seenAtStart;
        connect(&model, &ChannelTableModel::loadStarting, this,
                [&] { seenAtStart = model.data(model.index(4, 0)).toString(); });
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.load(image);
        QCOMPARE(seenAtStart, u"418.00000"_s);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(changed.count(), 5); // both frequencies, both tones and the name
        QCOMPARE(cells(model.row(5)), texts(u"401.00000|401.00000|Off|Off|Off|High|Add|Wide|FIVE"));
    }

    // The store finishes an open edit first, so the image gets what the
    // editor held; the list selections go with the rows.
    void storeFinishesTheOpenEdit()
    {
        ChannelTableModel model(Language::Eng);
        model.load(factoryImage());
        connect(&model, &ChannelTableModel::finishEditingRequested, this,
                [&] { model.commitChoice(2, NameField, u"EDITED"_s); });
        model.setListSelections(0, 0, FrequencyRange{});
        MemoryImage image = filledImage(0xFF);
        model.store(image);
        QCOMPARE(channelTexts(image, 2, Language::Eng)[NameField], u"EDITED"_s);
        QCOMPARE(image.bytes(region::ModelIndex, 2), QByteArray(2, 0));
        QCOMPARE(model.table(), channelTable(image, Language::Eng));
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
        ChannelTableModel model(language);
        model.load(factoryImage());
        model.setListSelections(0, 0, FrequencyRange{43000000, 44000000});
        std::optional<FrequencyChange> change;
        if (field == RxFreqField || field == TxFreqField)
            change = model.commitFrequency(channel, ChannelField(field), typed);
        else
            model.commitChoice(channel, ChannelField(field), typed);
        QCOMPARE(cells(model.row(channel)), texts(row));
        QCOMPARE(change ? change->became : QString(), became);
    }
};

QTEST_GUILESS_MAIN(TestChannelTableModel)
#include "tst_channeltablemodel.moc"
