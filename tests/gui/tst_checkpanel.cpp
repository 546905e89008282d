// View > Check Channels by keys and mouse on the running program: the
// findings of the document's channels (those kdw-cli check prints), the way
// to a finding's channels, the panel following edits and undo; the band chart's layout and its printed page.
#include "clirun.h"
#include "core/channels/channelcodec.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/bandchart.h"
#include "gui/grid/checkpanel.h"
#include "gui/grid/findingslist.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "guitest.h"
#include "seededrandom.h"

#include <QApplication>
#include <QHeaderView>
#include <QPrinter>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

// The factory channels with channel 5 made a copy of channel 3.
MemoryImage factoryWithDuplicate()
{
    MemoryImage image = test::factoryImage();
    image.copyIn(region::channelRecord(5), image.bytes(region::channelRecord(3), region::ChannelRecordSize));
    return image;
}

// The finding rows of the list: "channels: text".
QStringList rowsOf(const CFindingsList &list)
{
    QStringList rows;
    for (int g = 0; g < list.topLevelItemCount(); ++g) {
        const QTreeWidgetItem *group = list.topLevelItem(g);
        if (group->childCount() == 0)
            rows.append(group->text(0));
        for (int r = 0; r < group->childCount(); ++r)
            rows.append(group->child(r)->text(0) + u": "_s + group->child(r)->text(1));
    }
    return rows;
}

bool drawsIn(QWidget *widget, QColor colour)
{
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

ChartChannel at(int channel, double rxMHz, double txMHz = 0)
{
    const auto units = [](double mhz) { return quint32(qRound64(mhz * 100000)); };
    return {channel, units(rxMHz), units(txMHz == 0 ? rxMHz : txMHz), false};
}

int pdfPages(const QString &path)
{
    static const QRegularExpression page(u"/Type\\s*/Page(?!s)"_s);
    return int(QString::fromLatin1(test::readFile(path)).count(page));
}

} // namespace

class TestCheckPanel : public QObject
{
    Q_OBJECT

private slots:

    // F7 opens the panel on the findings of the grid's texts; Enter or a
    // double-click selects a finding's channels; an edit or an undo is followed;
    // Escape and F7 go back to the grid, and the next start shows the panel as left.
    void panelFollowsTheChannels()
    {
        test::Program program("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        QVERIFY(program.start());
        QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
        program.showImage(factoryWithDuplicate());
        CProgramView *view = program.app.view();
        auto *panel = program.app.mainFrame()->findChild<CCheckPanel *>();
        QVERIFY(panel && panel->isHidden());

        view->grid()->setFocus();
        QTest::keyClick(view->grid(), Qt::Key_F7);
        QVERIFY(panel->isVisible());
        QTRY_VERIFY(panel->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(program.action(cmd::CheckChannels)->isChecked());
        CFindingsList *list = panel->findingsList();
        QCOMPARE(list->accessibleName(), u"Findings"_s);
        QTRY_VERIFY2(rowsOf(*list).size() == 1, qPrintable(rowsOf(*list).join(u'|')));
        QVERIFY2(rowsOf(*list).first().startsWith(u"3, 5: "_s), qPrintable(rowsOf(*list).first()));
        // The finding whole in its cell, wrapped, in a panel narrower than its text.
        const QTreeWidgetItem *whole = list->topLevelItem(0)->child(0);
        const int third = list->fontMetrics().horizontalAdvance(whole->text(1)) / 3;
        list->setColumnWidth(0, qMax(list->columnWidth(0), list->viewport()->width() - third));
        QVERIFY(list->header()->sectionSize(1) <= third + 1);
        const int room
            = list->header()->sectionSize(1) - 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) - 2;
        const QRect needed
            = list->fontMetrics().boundingRect(QRect(0, 0, room, 10000), Qt::TextWordWrap, whole->text(1));
        QTRY_VERIFY(list->visualItemRect(whole).height() >= needed.height());
        const QColor flagged = panel->chart()->palette().color(QPalette::Highlight);
        QVERIFY(drawsIn(panel->chart(), flagged));

        // Enter on the finding, then a double-click after the grid moved on.
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(view->selectedChannels(), (QList<int>{3, 5}));
        view->selectChannels({9});
        const QTreeWidgetItem *finding = list->topLevelItem(0)->child(0);
        const QPoint centre = list->visualItemRect(finding).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(view->selectedChannels(), (QList<int>{3, 5}));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), view->grid());
        QVERIFY(panel->isVisible());

        // Channel 5 typed to another frequency: nothing to find; undo: found again.
        test::clickCell(*view->grid(), 5, 1);
        test::typeText(QApplication::focusWidget(), u"410"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(rowsOf(*list), QStringList{u"No findings"_s});
        QVERIFY(!drawsIn(panel->chart(), flagged));
        QTest::keyClick(view->grid(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(rowsOf(*list).size(), 1);

        // F7 from the grid moves to the panel, F7 in the panel hides it.
        QTest::keyClick(view->grid(), Qt::Key_F7);
        QVERIFY(panel->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
        QVERIFY(panel->isHidden());
        QCOMPARE(QApplication::focusWidget(), view->grid());
        QVERIFY(!program.action(cmd::CheckChannels)->isChecked());
        QVERIFY(program.dir.read(u"Program.ini"_s).contains("CheckPanel=0"));

        QTest::keyClick(view->grid(), Qt::Key_F7);
        test::Program next(program.dir.read(u"Program.ini"_s));
        QVERIFY(next.start());
        QVERIFY(!next.app.mainFrame()->findChild<CCheckPanel *>()->isHidden());
        QVERIFY(next.action(cmd::CheckChannels)->isChecked());
    }

    // A file opened as File > Open does gets the findings `kdw-cli check` prints
    // for it: random images, and the factory channels with random bytes changed.
    void sameFindingsAsCli()
    {
        test::Program program;
        QVERIFY(program.start());
        auto *panel = program.app.mainFrame()->findChild<CCheckPanel *>();
        program.action(cmd::CheckChannels)->trigger();
        QVERIFY(panel->isVisible());
        test::SeededRandom random;
        const QString path = program.dir.path() + u"/plan.sin"_s;
        for (int i = 0; i < 16; ++i) {
            MemoryImage image = i % 2 ? random.image() : test::factoryImage();
            if (i % 2 == 0) {
                for (int b = 0; b < 12; ++b)
                    image.setByte(int(random->bounded(region::ChannelRecords, region::AfterRecords)),
                                  quint8(random->bounded(256)));
            }
            QVERIFY(test::writeFile(path, image.bytes()));
            QCOMPARE(program.app.documentCommands()->OpenDocumentFile(path), DocumentCommands::OpenResult::Opened);
            const auto shown = [panel] {
                QStringList lines;
                for (const PlanFinding &finding : panel->findings()) {
                    QStringList numbers;
                    for (const int channel : finding.channels)
                        numbers.append(QString::number(channel));
                    lines.append(u"channel "_s + numbers.join(u',') + u": "_s + finding.code + u": "_s + finding.text);
                }
                return lines;
            };
            const QStringList printed = test::runCli({u"check"_s, path}).out.split(u'\n', Qt::SkipEmptyParts);
            QTRY_COMPARE(shown(), printed);
        }
    }

    // Where the painter and the printer put each label and tick. However
    // crowded the plan, no two numbers share any room and all stay over the
    // axis; for a crowded plan only these rules are checked, not each place.
    void chartLayout_data()
    {
        QTest::addColumn<QList<ChartChannel>>("channels");
        QTest::addColumn<qreal>("width");
        QTest::addColumn<int>("maxRows");
        QTest::addColumn<int>("rowsUsed");
        QTest::addColumn<QList<qreal>>("labelLefts"); // empty: not checked
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QList<qreal>>("ticks"); // first, second and last tick's MHz

        // An axis of 700 units over 400-470 MHz: 10 units a MHz; labels 20 wide,
        // tick labels 40 wide, so ticks every 5 MHz.
        const QList<qreal> everyFive{400, 405, 470};
        const QList<qreal> everyTwenty{400, 420, 460};
        QTest::newRow("far apart share the lowest row") << QList{at(1, 410), at(2, 430), at(3, 450)} << 700.0 << 3 << 1
                                                        << QList<qreal>{90, 290, 490} << QList{0, 0, 0} << everyFive;
        QTest::newRow("close ones stagger, a row freed is taken again")
            << QList{at(1, 440), at(2, 440.5), at(3, 441), at(4, 443)} << 700.0 << 3 << 3
            << QList<qreal>{390, 395, 400, 420} << QList{0, 1, 2, 0} << everyFive;
        QTest::newRow("rows used up: moved right past the row ending furthest left")
            << QList{at(1, 440), at(2, 440), at(3, 440.5), at(4, 440), at(5, 441)} << 700.0 << 2 << 2
            << QList<qreal>{390, 390, 410, 410, 430} << QList{0, 1, 1, 0, 0} << everyFive;
        QTest::newRow("rows used up at the right end: moved left, inside the axis")
            << QList{at(1, 470), at(2, 470), at(3, 470)} << 700.0 << 2 << 2 << QList<qreal>{680, 680, 660}
            << QList{0, 1, 0} << everyFive;
        QTest::newRow("ends and outside the range stay on the axis")
            << QList{at(1, 400), at(2, 470), at(3, 0), at(4, 480)} << 700.0 << 4 << 2 << QList<qreal>{0, 680, 0, 680}
            << QList{0, 0, 1, 1} << everyFive;
        QTest::newRow("a wide axis ticks every MHz")
            << QList{at(7, 462.5625, 467.5625)} << 7000.0 << 1 << 1 << QList<qreal>{6246.25} << QList{0}
            << QList<qreal>{400, 401, 470};
        QTest::newRow("a narrow axis ticks every 20 MHz")
            << QList<ChartChannel>{} << 150.0 << 1 << 0 << QList<qreal>{} << QList<int>{} << everyTwenty;

        const auto plan = [](int count, double firstMHz, double stepMHz, double txOffsetMHz) {
            QList<ChartChannel> channels;
            for (int n = 0; n < count; ++n) {
                const double rx = firstMHz + n * stepMHz;
                channels.append(at(n + 1, rx, txOffsetMHz == 0 ? 0 : rx + txOffsetMHz));
            }
            return channels;
        };
        const QList<ChartChannel> nine = plan(9, 446.00625, 0.0125, 5);
        const QList<qreal> any;
        QTest::newRow("nine near 446 MHz with +5 MHz Tx, two rows")
            << nine << 700.0 << 2 << 2 << any << QList<int>{} << everyFive;
        QTest::newRow("nine near 446 MHz with +5 MHz Tx, one row")
            << nine << 700.0 << 1 << 1 << any << QList<int>{} << everyFive;
        QTest::newRow("nine near 446 MHz on a narrow panel: a row above")
            << nine << 150.0 << 1 << 2 << any << QList<int>{} << everyTwenty;
        QTest::newRow("99 on one frequency")
            << plan(99, 446, 0, 0) << 480.0 << 3 << 5 << any << QList<int>{} << QList<qreal>{400, 410, 470};
        QList<ChartChannel> ends = plan(10, 400, 0, 0) + plan(10, 470, 0, 0);
        for (int n = 0; n < int(ends.size()); ++n)
            ends[n].channel = n + 1;
        QTest::newRow("both ends crowded") << ends << 700.0 << 2 << 2 << any << QList<int>{} << everyFive;
    }
    void chartLayout()
    {
        QFETCH(QList<ChartChannel>, channels);
        QFETCH(qreal, width);
        QFETCH(int, maxRows);
        QFETCH(int, rowsUsed);
        QFETCH(QList<qreal>, labelLefts);
        QFETCH(QList<int>, rows);
        QFETCH(QList<qreal>, ticks);
        const FrequencyRange range{40000000, 47000000};
        const qreal labelWidth = 20;
        const ChartGeometry geometry = layoutBandChart(channels, range, {width, labelWidth, 40, maxRows});
        QCOMPARE(geometry.marks.size(), channels.size());
        QCOMPARE(geometry.rows, rowsUsed);
        QList<qreal> lefts;
        QList<int> gotRows;
        for (const ChartMark &a : geometry.marks) {
            lefts.append(a.labelLeft);
            gotRows.append(a.row);
            QCOMPARE(a.hasTx, channels.at(lefts.size() - 1).tx != channels.at(lefts.size() - 1).rx);
            QVERIFY2(a.labelLeft >= 0 && a.labelLeft <= width - labelWidth, qPrintable(QString::number(a.labelLeft)));
            QVERIFY(a.row >= 0 && a.row < rowsUsed);
            for (const ChartMark &b : geometry.marks) {
                if (a.channel != b.channel && a.row == b.row)
                    QVERIFY2(std::abs(a.labelLeft - b.labelLeft) >= labelWidth,
                             qPrintable(u"%1 and %2 in row %3"_s.arg(a.channel).arg(b.channel).arg(a.row)));
            }
        }
        if (!labelLefts.isEmpty()) {
            QCOMPARE(lefts, labelLefts);
            QCOMPARE(gotRows, rows);
        }
        QVERIFY(geometry.ticks.size() >= 3);
        const QList<qreal> gotTicks{geometry.ticks.at(0).value / 1e5, geometry.ticks.at(1).value / 1e5,
                                    geometry.ticks.last().value / 1e5};
        QCOMPARE(gotTicks, ticks);
        if (!geometry.marks.isEmpty() && geometry.marks.first().hasTx)
            QCOMPARE(geometry.marks.first().txX, frequencyX(channels.first().tx, range, width));
    }

    // File > Print Band Chart, kept in Program.ini, adds the chart's page after
    // the channel table's two.
    void printedBandChart()
    {
        test::Program program("[Setup]\nLanguage=Eng\nCOM=COM1\n");
        QVERIFY(program.start());
        program.showImage(factoryWithDuplicate());
        QPrinter &printer = program.app.view()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        for (const bool on : {false, true}) {
            if (on)
                program.action(cmd::PrintBandChart)->trigger();
            const QString pdf = program.dir.file(on ? u"three.pdf"_s : u"two.pdf"_s);
            printer.setOutputFileName(pdf);
            program.app.view()->OnFilePrintDirect();
            QCOMPARE(pdfPages(pdf), on ? 3 : 2);
        }
        QVERIFY(program.dir.read(u"Program.ini"_s).contains("PrintBandChart=1"));
    }
};

QTEST_MAIN(TestCheckPanel)
#include "tst_checkpanel.moc"
