// Many cells at once in the running program, by keys, mouse clicks and the
// menu: a value into the selected cells of a column (Ctrl+Enter), Fill Down
// (Ctrl+D) and the Fill Frequencies dialog. Each is one step that a single
// Ctrl+Z takes back byte for byte.
#include "core/channels/channeltable.h"
#include "core/image/programdoc.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documenthistory.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/fillfrequenciesdlg.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "guitest.h"
#include "modal.h"

#include <QAction>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

// The factory channels (1 to 16 in use), opened from a file.
struct Running
{
    test::Program program;
    CMSFlexGrid *grid = nullptr;

    explicit Running(const QByteArray &language)
        : program("[Setup]\nLanguage=" + language + "\nCOM=COM1\n")
    {
        if (!program.startOnFactoryChannels())
            qFatal("the program did not start");
        grid = program.app.view()->grid();
    }
    MemoryImage &image() { return program.app.document()->image(); }
    Language language() const { return program.app.document()->language(); }

    // Words: click:ROW,COL and shiftclick:ROW,COL on a cell, label:ROW and
    // shiftlabel:ROW on a row label, menu:cells and menu:filldown, fill:W|W|...
    // answering Fill Frequencies with the words W, and keys (test::pressKeys).
    void run(const QString &script)
    {
        for (const QString &word : script.split(u' ', Qt::SkipEmptyParts)) {
            const QString verb = word.section(u':', 0, 0);
            const QStringList at = word.section(u':', 1).split(u',');
            if (verb == u"click"_s || verb == u"shiftclick"_s) {
                const QModelIndex cell = grid->model()->index(at.at(0).toInt() - 1, at.at(1).toInt() - 1);
                grid->scrollTo(cell);
                QTest::mouseClick(grid->viewport(), Qt::LeftButton,
                                  verb == u"click"_s ? Qt::NoModifier : Qt::ShiftModifier,
                                  grid->visualRect(cell).center());
            } else if (verb.endsWith(u"label"_s)) {
                test::clickRowLabel(*grid, at.at(0).toInt(), verb == u"label"_s ? Qt::NoModifier : Qt::ShiftModifier);
            } else if (verb == u"menu"_s) {
                program.action(at.at(0) == u"cells"_s ? cmd::SetSelectedCells : cmd::FillDown)->trigger();
            } else if (verb == u"fill"_s) {
                const auto seen = test::whenModal<CFillFrequenciesDlg>([words = at.join(u',')](QDialog *dialog) {
                    QTRY_VERIFY(dialog->isActiveWindow() && dialog->focusWidget());
                    test::pressKeys(dialog, QString(words).replace(u'|', u' '));
                });
                program.action(cmd::FillFrequencies)->trigger();
                QVERIFY(*seen);
                // The window manager's part: the main window active again.
                program.app.mainFrame()->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
            } else {
                test::pressKeys(grid, word);
            }
        }
    }
};

} // namespace

class TestBulkEdit : public QObject
{
    Q_OBJECT

private slots:
    void manyCells_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("rows"); // "N=texts" of each channel changed
        QTest::addColumn<QString>("message");
        QTest::newRow("Ctrl+Enter over cells chosen by Shift+click")
            << "Eng"_ba << u"click:2,6 shiftclick:5,6 'L Ctrl+Return"_s
            << QStringList{u"2=403.50000|403.50000|Off|Off|Off|Low|Add|Wide|CH02"_s,
                           u"3=409.00000|409.00000|67.0|67.0|Off|Low|Add|Wide|CH03"_s,
                           u"4=412.52500|412.52500|88.5|88.5|Carrier|Low|Add|Wide|CH04"_s,
                           u"5=418.00000|418.00000|D023N|D023N|Off|Low|Add|Wide|CH05"_s}
            << QString();
        QTest::newRow("plain Enter keeps to its cell")
            << "Eng"_ba << u"click:2,6 shiftclick:5,6 'L Return"_s
            << QStringList{u"5=418.00000|418.00000|D023N|D023N|Off|Low|Add|Wide|CH05"_s} << QString();
        QTest::newRow("Ctrl+Enter over cells chosen by Shift+Up, an empty channel kept")
            << "Eng"_ba << u"click:16,4 Esc Down Shift+Up Shift+Up Shift+Up Return '1 Ctrl+Return"_s
            << QStringList{u"14=455.62500|455.62500|D131N|100.0|Off|High|Add|Wide|CH14"_s,
                           u"15=462.56250|462.56250|254.1|100.0|Off|High|Add|Wide|CH15"_s,
                           u"16=469.97500|469.97500|Off|100.0|Off|High|Add|Wide|CH16"_s}
            << QString();
        QTest::newRow("Rx Freq over rows chosen by their labels starts empty channels")
            << "Eng"_ba << u"label:15 shiftlabel:18 '450 Ctrl+Return"_s
            << QStringList{u"15=450.00000|462.56250|254.1|254.1|Off|High|Add|Wide|CH15"_s,
                           u"16=450.00000|469.97500|Off|Off|Off|High|Add|Wide|CH16"_s,
                           u"17=450.00000|450.00000|Off|Off|Off|High|Add|Wide|"_s,
                           u"18=450.00000|450.00000|Off|Off|Off|High|Add|Wide|"_s}
            << QString();
        QTest::newRow("a list item by the menu, its column chosen by Ctrl+Right")
            << "Chs"_ba
            << u"label:3 shiftlabel:5 Ctrl+Right Ctrl+Right Ctrl+Right Ctrl+Right menu:cells '载 menu:cells"_s
            << QStringList{u"3=409.00000|409.00000|67.0|67.0|载波|高|添加|宽|CH03"_s,
                           u"5=418.00000|418.00000|D023N|D023N|载波|高|添加|宽|CH05"_s}
            << QString();
        QTest::newRow("Ctrl+D down a column")
            << "Eng"_ba << u"click:10,9 Esc Shift+Down Shift+Down Ctrl+D"_s
            << QStringList{u"11=446.00625|446.00625|Off|Off|Off|Low|Add|Narrow|RPT10"_s,
                           u"12=446.01875|446.01875|D754I|D754I|QDT|Low|Add|Narrow|RPT10"_s}
            << QString();
        // Shift+click on an empty channel's cell extends the selection there too.
        QTest::newRow("Ctrl+D down a column chosen by Shift+click onto an empty channel")
            << "Eng"_ba << u"click:14,9 Esc shiftclick:17,9 Ctrl+D"_s
            << QStringList{u"15=462.56250|462.56250|254.1|254.1|Off|High|Add|Wide|CH14"_s,
                           u"16=469.97500|469.97500|Off|Off|Off|High|Add|Wide|CH14"_s}
            << QString();
        QTest::newRow("Ctrl+D from an open frequency editor")
            << "Eng"_ba << u"click:10,2 shiftclick:12,2 Ctrl+D"_s
            << QStringList{u"11=446.00625|447.50000|Off|Off|Off|Low|Add|Narrow|PMR1"_s,
                           u"12=446.01875|447.50000|D754I|D754I|QDT|Low|Add|Narrow|PMR2"_s}
            << QString();
        QTest::newRow("Fill Down of whole rows by the menu")
            << "Eng"_ba << u"label:12 shiftlabel:13 menu:filldown"_s
            << QStringList{u"13=446.01875|446.01875|D754I|D754I|QDT|Low|Add|Narrow|PMR2"_s} << QString();
        QTest::newRow("Fill Frequencies by keys, Tx at a negative offset")
            << "Eng"_ba << u"label:1 shiftlabel:3 fill:'446.1|Tab|'25|Tab|Down|Tab|'-5|Return"_s
            << QStringList{u"1=446.10000|441.10000|Off|Off|Off|High|Add|Wide|CH01"_s,
                           u"2=446.12500|441.12500|Off|Off|Off|High|Add|Wide|CH02"_s,
                           u"3=446.15000|441.15000|67.0|67.0|Off|High|Add|Wide|CH03"_s}
            << QString();
        QTest::newRow("Fill Frequencies refused at the range's edge")
            << "Cht"_ba << u"label:1 shiftlabel:3 fill:'469.99|Return|Esc"_s << QStringList{}
            << u"未做任何更改：信道 2 的接收頻率將為 470.00250 MHz，超出頻率範圍 400.00000 至 470.00000 MHz。"_s;
    }
    void manyCells()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, script);
        QFETCH(QStringList, rows);
        QFETCH(QString, message);
        Running running(language);
        const test::MessageRecorder messages;
        DocumentHistory &history = running.program.app.view()->history();
        const MemoryImage before = running.image();
        const int steps = history.count();
        QList<QStringList> expected;
        for (const ChannelTexts &texts : channelTable(before, running.language()))
            expected.append(QStringList(texts.begin(), texts.end()));
        for (const QString &entry : rows)
            expected[entry.section(u'=', 0, 0).toInt() - 1] = entry.section(u'=', 1).split(u'|');

        running.run(script);
        QCOMPARE(messages.texts, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(running.program.app.view()->openEditorWidget(), nullptr);
        const ChannelTable shown = test::gridTexts(*running.grid);
        for (std::size_t i = 0; i < shown.size(); ++i)
            QCOMPARE(QStringList(shown[i].begin(), shown[i].end()), expected.at(qsizetype(i)));
        QCOMPARE(channelTable(running.image(), running.language()), shown);
        QCOMPARE(history.count(), steps + (rows.isEmpty() ? 0 : 1));

        test::pressKeys(running.grid, u"Ctrl+Z"_s);

        QCOMPARE(test::firstDifference(running.image(), before), QString());
        QCOMPARE(test::gridTexts(*running.grid), channelTable(before, running.language()));
    }
};

QTEST_MAIN(TestBulkEdit)
#include "tst_bulkedit.moc"
