// The Edit menu in the running program, by its keys and by mouse clicks on
// the row labels: every kind of change undone and redone byte for byte, the
// modified mark back to clean at the saved state, channels copied, pasted,
// cut, deleted, inserted, moved and sorted whole; the find bar by its keys.
#include "core/channels/channeltable.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/program/globals.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/dialogtemplate.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/csvcommands.h"
#include "gui/grid/findbar.h"
#include "gui/grid/importsummarydlg.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "gui/grid/sortchannelsdlg.h"
#include "gui/settings/settingsdialog.h"
#include "guitest.h"
#include "modal.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWindow>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

// The program showing the factory channels (1 to 16 in use), opened from a file.
struct Running
{
    test::Program program;
    CProgramView *view = nullptr;
    CMSFlexGrid *grid = nullptr;

    Running()
    {
        if (!program.startOnFactoryChannels())
            qFatal("the program did not start");
        view = program.app.view();
        grid = view->grid();
    }
    MemoryImage &image() { return program.app.document()->image(); }
    bool modified() const { return program.app.document()->IsModified(); }

    void key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : grid, Qt::Key(key), modifiers);
    }
    void clickLabel(int row, Qt::KeyboardModifiers modifiers = {}) { test::clickRowLabel(*grid, row, modifiers); }
    void clickCell(int row, int col) { test::clickCell(*grid, row, col); }
    // The grid shows what the image holds.
    bool gridShowsImage()
    {
        return test::gridTexts(*grid) == channelTable(image(), program.app.document()->language());
    }
};

// What a file dialog showed: its title, folder, file name and filter.
struct FileDialogSeen
{
    QString title;
    QString folder;
    QString file;
    QString filter;
};

// Answers the next file dialog with `path` (cancels it when empty), after
// choosing `filter` when one is given.
std::shared_ptr<FileDialogSeen> answerFileDialog(const QString &path, const QString &filter = {})
{
    auto seen = std::make_shared<FileDialogSeen>();
    test::whenModal<QFileDialog>([seen, path, filter](QFileDialog *dialog) {
        seen->title = dialog->windowTitle();
        seen->folder = dialog->directory().absolutePath();
        seen->file = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)
                         ? dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->text()
                         : QString();
        seen->filter = dialog->selectedNameFilter();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        if (!filter.isEmpty())
            dialog->selectNameFilter(filter);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // the file dialog's own accept checks the name
    });
    return seen;
}

// Alt+O in the import summary, once it is the active window (an Alt+letter
// reaches only the active window), until the button's delayed click lands.
// Wine under Xvfb has no window manager to hand a dialog the focus, and
// Windows may call the dialog active before Qt has heard of it: there the
// test makes it Qt's active window, as it would be on a desktop.
void chooseInOrder(CImportSummaryDlg *box)
{
    box->activateWindow();
    if (!QTest::qWaitFor([box] { return QApplication::activeWindow() == box; }))
        QApplication::setActiveWindow(box);
    QCOMPARE(QApplication::activeWindow(), box);
    QTest::keyClick(box, Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(box->findChild<QRadioButton *>(controlName(ctl::summary::InOrder))->isChecked());
}

QString editorText(QWidget *editor)
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        return combo->currentText();
    return static_cast<QLineEdit *>(editor)->text();
}

// Keys pressed on a cell of the grid, and what they leave.
struct KeyCase
{
    int row; // the cell started on
    int col;
    QString keys;        // as test::pressKeys takes them
    QString editor = {}; // the open editor's text; null: none open
    int toRow = 0;       // the current cell after; 0: the row or column started on
    int toCol = 0;
    QString cell = {};  // the text of the cell started on, after
    QString found = {}; // the find bar's count; null: the bar is closed
    bool inBar = false; // the focus is in the find bar
};

enum Change {
    CellCommit,
    Paste,
    DeleteRows,
    Cut,
    Insert,
    DeleteChannel,
    MoveUp,
    MoveDown,
    Sort,
    DefaultFactory,
    OptionDialog
};

} // namespace

Q_DECLARE_METATYPE(KeyCase)

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void init() { QApplication::clipboard()->clear(); }

    // Each kind of change is one step: Ctrl+Z gives back the image as opened,
    // byte for byte, with the modified mark cleared; Ctrl+Y (or Ctrl+Shift+Z)
    // gives the changed image again, marked modified. The grid follows.
    void eachChangeUndoneAndRedone_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("shiftZ");
        QTest::newRow("cell commit") << int(CellCommit) << false;
        QTest::newRow("paste") << int(Paste) << true;
        QTest::newRow("delete rows") << int(DeleteRows) << false;
        QTest::newRow("cut") << int(Cut) << true;
        QTest::newRow("insert") << int(Insert) << false;
        QTest::newRow("delete channel") << int(DeleteChannel) << true;
        QTest::newRow("move up") << int(MoveUp) << false;
        QTest::newRow("move down") << int(MoveDown) << true;
        QTest::newRow("sort") << int(Sort) << false;
        QTest::newRow("Default Factory") << int(DefaultFactory) << false;
        QTest::newRow("Option dialog") << int(OptionDialog) << false;
    }
    void eachChangeUndoneAndRedone()
    {
        QFETCH(int, change);
        QFETCH(bool, shiftZ);
        test::MessageRecorder messages;
        Running run;
        QVERIFY(!run.program.action(cmd::EditUndo)->isEnabled()); // Open starts an empty history
        const MemoryImage opened = run.image();
        switch (Change(change)) {
        case CellCommit:
            run.clickCell(2, 1);
            test::typeText(QApplication::focusWidget(), u"455"_s);
            run.key(Qt::Key_Return);
            break;
        case Paste:
            QApplication::clipboard()->setText(u"445.5\t\tD023N\n"_s);
            run.clickLabel(3);
            run.key(Qt::Key_V, Qt::ControlModifier);
            break;
        case DeleteRows:
            run.clickLabel(2);
            run.clickLabel(4, Qt::ShiftModifier);
            run.key(Qt::Key_Delete);
            break;
        case Cut:
            run.clickLabel(5);
            run.key(Qt::Key_X, Qt::ControlModifier);
            QVERIFY(QApplication::clipboard()->text().startsWith(u"5\t"_s));
            break;
        case Insert:
            run.clickLabel(2);
            run.key(Qt::Key_Insert, Qt::ControlModifier);
            break;
        case DeleteChannel: {
            // Channels 2 and 3 go, 4 and after move up whole, the last two are empty.
            run.clickLabel(2);
            run.clickLabel(3, Qt::ShiftModifier);
            run.key(Qt::Key_Delete, Qt::ControlModifier);
            const QList<int> from{1, 4, 5, 6};
            for (int n = 1; n <= int(from.size()); ++n)
                QCOMPARE(test::channelBytes(run.image(), n), test::channelBytes(opened, from.at(n - 1)));
            QCOMPARE(test::channelBytes(run.image(), 97), test::channelBytes(opened, 99));
            QCOMPARE(test::channelBytes(run.image(), 99), QByteArray(24, char(0xFF)));
            QCOMPARE(run.view->selectedChannels(), QList<int>{2});
            break;
        }
        case MoveUp:
            run.clickLabel(3);
            run.key(Qt::Key_Up, Qt::ControlModifier);
            break;
        case MoveDown:
            run.clickLabel(3);
            run.key(Qt::Key_Down, Qt::ControlModifier);
            break;
        case Sort: {
            // Rows 3 to 6 by Rx frequency, descending, through the menu and the dialog by keys.
            run.clickLabel(3);
            run.clickLabel(6, Qt::ShiftModifier);
            const auto seen = test::whenModal<CSortChannelsDlg>([](CSortChannelsDlg *dialog) {
                // Down to Descending, Enter for OK. The keys go to the list itself:
                // the offscreen platform may give the activation back to the frame
                // as the menu closes, after the dialog took it.
                auto *order = dialog->item<QComboBox>(ctl::sort::Order);
                QTest::keyClick(order, Qt::Key_Down);
                QTest::keyClick(order, Qt::Key_Return);
            });
            run.key(Qt::Key_E, Qt::AltModifier);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
            QVERIFY(*seen);
            run.program.app.mainFrame()->activateWindow(); // as the desktop does after the dialog
            const QList<int> from{1, 2, 6, 5, 4, 3, 7};
            for (int n = 1; n <= int(from.size()); ++n)
                QCOMPARE(test::channelBytes(run.image(), n), test::channelBytes(opened, from.at(n - 1)));
            break;
        }
        case DefaultFactory: {
            MemoryImage other = opened;
            other.setByte(region::FunctionSettings + 4, 2); // SQL
            other.copyIn(region::channelRecord(7), QByteArray(16, char(0xFF)));
            QVERIFY(run.program.dir.write(u"DEF_U01.sin"_s, other.bytes()));
            run.view->findChild<QPushButton *>(u"id1068"_s)->click();
            break;
        }
        case OptionDialog: {
            const auto seen = test::whenModal<COptionDlg>([](COptionDlg *dialog) {
                QComboBox *sql = dialog->findChild<QComboBox *>(u"id1081"_s);
                sql->setCurrentIndex(sql->currentIndex() == 9 ? 0 : 9);
                QTest::keyClick(dialog, Qt::Key_Escape); // closing stores
            });
            run.program.action(cmd::Option)->trigger();
            QVERIFY(*seen);
            break;
        }
        }
        const MemoryImage changed = run.image();
        QVERIFY(messages.texts.isEmpty());
        // After a dialog the keys reach the main window again.
        QVERIFY(QTest::qWaitForWindowActive(run.program.app.mainFrame()));
        QVERIFY(!(changed == opened));
        QVERIFY(run.modified());
        QVERIFY(run.gridShowsImage());
        QVERIFY(run.program.action(cmd::EditUndo)->isEnabled());

        run.grid->setFocus();
        run.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(run.image() == opened);
        QVERIFY(!run.modified());
        QVERIFY(run.gridShowsImage());
        QVERIFY(!run.program.action(cmd::EditUndo)->isEnabled());

        if (shiftZ)
            run.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else
            run.key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(run.image() == changed);
        QVERIFY(run.modified());
        QVERIFY(run.gridShowsImage());
    }

    // Saving makes the state saved: undo past it marks the document modified,
    // redo back to it clears the mark. New starts an empty history.
    void modifiedMarkFollowsTheSavedState()
    {
        Running run;
        run.clickLabel(1);
        run.key(Qt::Key_Delete);
        run.program.app.documentCommands()->OnFileSave();
        QVERIFY(!run.modified());
        run.clickLabel(2);
        run.key(Qt::Key_Delete);
        QVERIFY(run.modified());
        run.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!run.modified());
        run.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(run.modified());
        QVERIFY(!isEmptyChannel(run.image(), 1));
        run.key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(!run.modified());
        run.program.action(cmd::FileNew)->trigger();
        QVERIFY(!run.program.action(cmd::EditUndo)->isEnabled());
        QVERIFY(!run.program.action(cmd::EditRedo)->isEnabled());
    }

    // The selection follows the channels moved; a deleted channel empties
    // its record and shows no name, though its name slot keeps the bytes.
    void selectionFollowsMovedRows()
    {
        Running run;
        MemoryImage &image = run.image();
        const QByteArray third = test::channelBytes(image, 3);
        run.clickLabel(3);
        run.key(Qt::Key_Up, Qt::ControlModifier);
        run.key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(test::channelBytes(image, 1), third);
        QCOMPARE(run.view->selectedChannels(), QList<int>{1});
        run.key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(run.view->selectedChannels(), QList<int>{2});
        run.key(Qt::Key_Delete);
        QCOMPARE(test::channelBytes(image, 2), QByteArray(16, char(0xFF)) + third.mid(16));
        QVERIFY(run.grid->GetTextMatrix(2, 9).isEmpty());
    }

    // Three rows selected by Shift+click, copied and pasted elsewhere, show
    // the same texts there. Insert with
    // channel 99 in use says so and changes nothing.
    void copyAndPasteRows()
    {
        test::MessageRecorder messages;
        Running run;
        run.clickLabel(2);
        run.clickLabel(4, Qt::ShiftModifier);
        QCOMPARE(run.view->selectedChannels(), (QList<int>{2, 3, 4}));
        run.key(Qt::Key_C, Qt::ControlModifier); // the text copied: tst_channelrows copyThenPasteElsewhere
        run.clickLabel(97);
        run.key(Qt::Key_V, Qt::ControlModifier);
        const ChannelTable shown = test::gridTexts(*run.grid);
        QVERIFY(std::equal(shown.begin() + 96, shown.end(), shown.begin() + 1)); // 97..99 as 2..4
        QCOMPARE(run.view->selectedChannels(), (QList<int>{97, 98, 99}));

        // A drag over the labels selects the rows passed, Ctrl+click adds one.
        run.grid->scrollToTop();
        QHeaderView *labels = run.grid->verticalHeader();
        const auto at = [labels](int row) {
            return QPoint(labels->width() / 2,
                          labels->sectionViewportPosition(row - 1) + labels->sectionSize(row - 1) / 2);
        };
        QTest::mousePress(labels->viewport(), Qt::LeftButton, {}, at(6));
        QTest::mouseMove(labels->viewport(), at(7));
        QTest::mouseMove(labels->viewport(), at(8));
        QTest::mouseRelease(labels->viewport(), Qt::LeftButton, {}, at(8));
        run.clickLabel(10, Qt::ControlModifier);
        QCOMPARE(run.view->selectedChannels(), (QList<int>{6, 7, 8, 10}));

        const MemoryImage before = run.image();
        run.clickLabel(10);
        run.key(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(messages.texts.first().contains(u"99"_s));
        QVERIFY(run.image() == before);
    }

    // A bad line refuses the whole paste with a message naming its line and
    // column; nothing changes and no step is recorded.
    void badPasteRefused()
    {
        test::MessageRecorder messages;
        Running run;
        QApplication::clipboard()->setText(u"450\t450\n451\t451\t77.7\n"_s);
        const MemoryImage before = run.image();
        run.clickLabel(20);
        run.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().contains(u"line 2, column 3 (Rx Tone)"_s), qPrintable(messages.texts.first()));
        // Columns are counted as the text has them: behind a channel number, Rx Tone is the 4th.
        QApplication::clipboard()->setText(u"7\t451\t451\t77.7\t\t\t\t\t\t\n"_s);
        run.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(messages.texts.size(), 2);
        QVERIFY2(messages.texts.last().contains(u"line 1, column 4 (Rx Tone)"_s), qPrintable(messages.texts.last()));
        QVERIFY(run.image() == before);
        QVERIFY(!run.modified());
        QVERIFY(!run.program.action(cmd::EditUndo)->isEnabled());
    }

    // The keys of a spreadsheet: a character typed on a cell opens its editor
    // with it, F2 opens the editor, Escape closes it without a change, Enter
    // and Tab commit and move on (Enter down when the frequency editor was
    // left empty), Right and Left wrap between rows at the ends, Del on a
    // single cell changes nothing. With no editor open the grid has the focus.
    void keys_data()
    {
        QTest::addColumn<KeyCase>("c");
        const QString freq = u"403.50000"_s;
        QTest::newRow("a digit starts a frequency")
            << KeyCase{.row = 2, .col = 2, .keys = u"'4"_s, .editor = u"4"_s, .cell = freq};
        QTest::newRow("a letter picks a list item")
            << KeyCase{.row = 2, .col = 6, .keys = u"'L"_s, .editor = u"Low"_s, .cell = u"High"_s};
        QTest::newRow("a digit on an empty channel")
            << KeyCase{.row = 30, .col = 5, .keys = u"'4"_s, .editor = u"4"_s, .toCol = 1};
        QTest::newRow("F2 opens the editor")
            << KeyCase{.row = 2, .col = 9, .keys = u"F2"_s, .editor = u"CH02"_s, .cell = u"CH02"_s};
        QTest::newRow("Escape keeps the cell") << KeyCase{.row = 2, .col = 1, .keys = u"'45 Esc"_s, .cell = freq};
        QTest::newRow("Escape in a list") << KeyCase{.row = 2, .col = 7, .keys = u"F2 'D Esc"_s, .cell = u"Add"_s};
        QTest::newRow("Enter in the name editor moves right")
            << KeyCase{.row = 2, .col = 9, .keys = u"F2 'Z Return"_s, .toRow = 3, .toCol = 1, .cell = u"Z"_s};
        QTest::newRow("typing a name, Tab moves right")
            << KeyCase{.row = 2, .col = 8, .keys = u"'N Tab"_s, .toCol = 9, .cell = u"Narrow"_s};
        QTest::newRow("Tab on the grid") << KeyCase{
            .row = 4, .col = 9, .keys = u"Tab"_s, .toRow = 5, .toCol = 1, .cell = u"CH04"_s};
        QTest::newRow("Shift+Tab in an editor") << KeyCase{
            .row = 4, .col = 1, .keys = u"'450 Shift+Backtab"_s, .toRow = 3, .toCol = 9, .cell = u"450.00000"_s};
        QTest::newRow("Del on a cell") << KeyCase{.row = 2, .col = 1, .keys = u"Del"_s, .cell = freq};
        QTest::newRow("Enter with a frequency moves right")
            << KeyCase{.row = 3, .col = 1, .keys = u"F2 Return"_s, .toCol = 2, .cell = u"409.00000"_s};
        QTest::newRow("Enter on an empty row moves down")
            << KeyCase{.row = 30, .col = 1, .keys = u"F2 Return"_s, .toRow = 31};
        QTest::newRow("keypad Enter in a list moves right")
            << KeyCase{.row = 3, .col = 7, .keys = u"F2 Enter"_s, .toCol = 8, .cell = u"Add"_s};
        QTest::newRow("Right from the last column")
            << KeyCase{.row = 5, .col = 9, .keys = u"Right"_s, .toRow = 6, .toCol = 1, .cell = u"CH05"_s};
        QTest::newRow("Right on the last row stays") << KeyCase{.row = 99, .col = 9, .keys = u"Right"_s};
        QTest::newRow("Left from column 1")
            << KeyCase{.row = 5, .col = 1, .keys = u"Left"_s, .toRow = 4, .toCol = 9, .cell = u"418.00000"_s};
        QTest::newRow("Left on row 1 stays") << KeyCase{.row = 1, .col = 1, .keys = u"Left"_s, .cell = u"400.12500"_s};
        QTest::newRow("Ctrl+End to channel 99")
            << KeyCase{.row = 5, .col = 1, .keys = u"Ctrl+End"_s, .toRow = 99, .toCol = 9, .cell = u"418.00000"_s};
        QTest::newRow("Ctrl+Home to channel 1")
            << KeyCase{.row = 40, .col = 7, .keys = u"Ctrl+Home"_s, .toRow = 1, .toCol = 1};
        QTest::newRow("Ctrl+End from an editor commits it")
            << KeyCase{.row = 5, .col = 1, .keys = u"'447 Ctrl+End"_s, .toRow = 99, .toCol = 9, .cell = u"447.00000"_s};
        QTest::newRow("Ctrl+Home from a list commits it")
            << KeyCase{.row = 5, .col = 6, .keys = u"'L Ctrl+Home"_s, .toRow = 1, .toCol = 1, .cell = u"Low"_s};
        // Find: names, frequencies and tones, from the current cell on; most
        // rows start on channel 1's Rx Freq, the bar keeping the focus.
        const auto find = [](const QString &keys, int toRow, int toCol, const QString &found, bool inBar = true,
                             int row = 1, int col = 1, const QString &cell = u"400.12500"_s) {
            return KeyCase{.row = row,
                           .col = col,
                           .keys = keys,
                           .toRow = toRow,
                           .toCol = toCol,
                           .cell = cell,
                           .found = found,
                           .inBar = inBar};
        };
        QTest::newRow("find the first match at or after the cell")
            << find(u"Ctrl+F 'd0"_s, 0, 3, u"1 of 2"_s, true, 5, 1, u"418.00000"_s);
        QTest::newRow("no match") << find(u"Ctrl+F 'xyz"_s, 0, 0, u"No matches"_s, true, 3, 2, u"409.00000"_s);
        QTest::newRow("F3 and Shift+F3 wrap") << find(u"Ctrl+F 'pmr F3 F3 Shift+F3"_s, 12, 9, u"2 of 2"_s);
        QTest::newRow("Enter and Shift+Enter in the bar")
            << find(u"Ctrl+F '446.0 Return Return Shift+Return"_s, 11, 2, u"2 of 4"_s);
        QTest::newRow("Escape back to the grid on the match") << find(u"Ctrl+F 'rpt Esc"_s, 10, 9, QString(), false);
        QTest::newRow("F3 from the grid") << find(u"Ctrl+F 'ch1 Esc F3"_s, 14, 9, u"2 of 4"_s, false);
        QTest::newRow("the matches follow an edit") << find(u"Ctrl+F 'pmr Ctrl+Up"_s, 10, 9, u"1 of 2"_s);
    }
    void keys()
    {
        QFETCH(KeyCase, c);
        Running run;
        const MemoryImage before = run.image();
        run.grid->setFocus();
        run.grid->SetRow(c.row);
        run.grid->SetCol(c.col);
        test::pressKeys(run.grid, c.keys);
        QWidget *open = run.view->openEditorWidget();
        QCOMPARE(open ? editorText(open) : QString(), c.editor);
        QCOMPARE(run.grid->GetRow(), c.toRow ? c.toRow : c.row);
        QCOMPARE(run.grid->GetCol(), c.toCol ? c.toCol : c.col);
        QCOMPARE(run.grid->GetTextMatrix(c.row, c.col), c.cell);
        const CFindBar *find = run.view->findBar();
        QCOMPARE(find->isVisible() ? find->countText() : QString(), c.found);
        // An open bar sits right under the grid, no empty band between them.
        if (find->isVisible())
            QVERIFY(find->geometry().top() - run.grid->mapTo(run.view, QPoint(0, run.grid->height())).y() <= 2);
        if (!open)
            QCOMPARE(QApplication::focusWidget(), c.inBar ? find->lineEdit() : static_cast<QWidget *>(run.grid));
        if (c.keys.endsWith(u"Esc"_s))
            QVERIFY(run.image() == before);
    }

    // Rows typed with no pause between the keys land whole: each key reaches
    // the cell it was typed in before Tab or Enter moves on, and a letter for
    // one list does not join the letter typed for the list before it (the
    // Busy Lock "c" and the Power "l" are no search for "cl"). The keys go to
    // the window, which hands them to whatever has the focus.
    void rowsTypedWithoutPause()
    {
        Running run;
        QWindow *window = run.program.app.mainFrame()->windowHandle();
        run.clickCell(20, 1);
        const QStringList rows[] = {
            {u"446.00625"_s, u"446.10625"_s, u"100"_s, u"D1"_s, u"c"_s, u"l"_s, u"d"_s, u"n"_s, u"AB12"_s},
            {u"447.5"_s, u"447.5"_s, u"D023"_s, u"6"_s, u"q"_s, u"h"_s, u"a"_s, u"w"_s, u"Z"_s},
            {u"445.0125"_s, u"445.02"_s, u"1"_s, u"1"_s, u"o"_s, u"l"_s, u"d"_s, u"n"_s, u"xyz"_s},
        };
        for (const QStringList &row : rows) {
            for (const QString &cell : row) {
                for (QChar c : cell)
                    QTest::sendKeyEvent(QTest::Click, window, Qt::Key(c.toUpper().unicode()), QString(c), {});
                QTest::sendKeyEvent(QTest::Click, window, cell == row.last() ? Qt::Key_Return : Qt::Key_Tab, QString(),
                                    {});
            }
        }
        const ChannelTable shown = test::gridTexts(*run.grid);
        const ChannelTexts expected[] = {
            {u"446.00625"_s, u"446.10625"_s, u"100.0"_s, u"D114N"_s, u"Carrier"_s, u"Low"_s, u"Del"_s, u"Narrow"_s,
             u"AB12"_s},
            {u"447.50000"_s, u"447.50000"_s, u"D023N"_s, u"67.0"_s, u"QDT"_s, u"High"_s, u"Add"_s, u"Wide"_s, u"Z"_s},
            {u"445.01250"_s, u"445.02000"_s, u"100.0"_s, u"100.0"_s, u"Off"_s, u"Low"_s, u"Del"_s, u"Narrow"_s,
             u"xyz"_s},
        };
        for (std::size_t i = 0; i < 3; ++i) {
            const ChannelTexts &row = shown[19 + i];
            QCOMPARE(QStringList(row.begin(), row.end()), QStringList(expected[i].begin(), expected[i].end()));
        }
        QCOMPARE(run.grid->GetRow(), 23);
        QCOMPARE(run.grid->GetCol(), 1);
        QVERIFY(run.gridShowsImage());
    }

    // Ctrl+V in an open cell editor with rows on the clipboard closes the
    // editor and pastes the rows at its channel, as Edit > Paste does there;
    // a name goes into the name editor.
    void pasteInAnOpenEditor_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("typed");    // before the paste
        QTest::addColumn<QString>("inEditor"); // null: rows pasted
        const QString rows = u"450\t451\t\t\tCarrier\n452\t453\n"_s;
        QTest::newRow("frequency editor") << 1 << rows << QString() << QString();
        QTest::newRow("frequency typed first") << 2 << rows << u"46"_s << QString();
        QTest::newRow("list") << 5 << rows << QString() << QString();
        QTest::newRow("name editor") << 9 << rows << u"Q"_s << QString();
        QTest::newRow("one line with a tab") << 9 << u"449\t449"_s << QString() << QString();
        QTest::newRow("a name") << 9 << u"AB12"_s << QString() << u"AB12"_s;
    }
    void pasteInAnOpenEditor()
    {
        QFETCH(int, col);
        QFETCH(QString, clipboard);
        QFETCH(QString, typed);
        QFETCH(QString, inEditor);
        QApplication::clipboard()->setText(clipboard);
        // Edit > Paste from the menu on channel 3, for comparison.
        MemoryImage byMenu;
        if (inEditor.isNull()) {
            Running menu;
            menu.clickCell(3, col);
            test::typeText(QApplication::focusWidget(), typed);
            menu.program.action(cmd::EditPaste)->trigger();
            byMenu = menu.image();
        }
        Running run;
        const MemoryImage before = run.image();
        run.clickCell(3, col);
        test::typeText(QApplication::focusWidget(), typed);
        QTest::sendKeyEvent(QTest::Click, run.program.app.mainFrame()->windowHandle(), Qt::Key_V, QString(),
                            Qt::ControlModifier);
        if (!inEditor.isNull()) {
            QWidget *editor = run.view->openEditorWidget();
            QVERIFY(editor);
            QCOMPARE(editorText(editor), inEditor);
            QVERIFY(run.image() == before);
            return;
        }
        QVERIFY(!run.view->openEditorWidget());
        QVERIFY(!(run.image() == before));
        QVERIFY(run.image() == byMenu);
        QVERIFY(run.gridShowsImage());
        QCOMPARE(run.view->selectedChannels().first(), 3);
    }

    // A click on a column title selects nothing and opens nothing; a click on
    // the partly visible bottom row scrolls it into view and opens its editor.
    void clicksOnTheEdges()
    {
        Running run;
        run.clickCell(5, 3);
        run.key(Qt::Key_Escape);
        QHeaderView *titles = run.grid->horizontalHeader();
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(titles->sectionViewportPosition(2) + 10, titles->height() / 2));
        QVERIFY(!run.view->openEditorWidget());
        QCOMPARE(run.grid->GetRow(), 5);
        QVERIFY(run.grid->selectionModel()->selectedIndexes().size() <= 1);

        const int bottom = run.grid->rowAt(run.grid->viewport()->height() - 2);
        const QRect partly = run.grid->visualRect(run.grid->model()->index(bottom, 0));
        QVERIFY(partly.bottom() > run.grid->viewport()->height()); // cut off at the bottom
        QTest::mouseClick(run.grid->viewport(), Qt::LeftButton, {}, QPoint(partly.center().x(), partly.top() + 2));
        QCOMPARE(run.grid->GetRow(), bottom + 1);
        // What the table's delayed scroll after a click does must not close
        // the editor again.
        run.grid->scrollTo(run.grid->currentIndex());
        QVERIFY(run.view->openEditorWidget());
        const QRect now = run.grid->visualRect(run.grid->model()->index(bottom, 0));
        QVERIFY(now.bottom() <= run.grid->viewport()->height());
    }

    // A message box is wide enough for its caption and the title bar's
    // buttons, and shows its whole text.
    void messageBoxesShowTheirCaption()
    {
        const QString text = u"无法读取默认文件"_s;
        int width = 0;
        int textWidth = 0;
        QString shown;
        const auto seen = test::whenModal<QMessageBox>([&](QMessageBox *box) {
            width = box->width();
            textWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
            shown = box->text();
            box->accept();
        });
        messageBox(nullptr, text);
        QVERIFY(*seen);
        QCOMPARE(shown, text);
        QVERIFY2(width >= textWidth + 150, qPrintable(QString::number(width)));
    }

    // File > Export Channels writes the format of the filter chosen, which the
    // next export offers again; Import Channels recognises the format by the
    // first line, brings the channels back as one undo step and says which
    // format it read (a generic file in its summary, before Import); a refused
    // file is listed by line and changes nothing.
    // Both dialogs carry their command's name and start in the document's folder.
    void csvInTheWindow_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("formatName");
        QTest::addColumn<QString>("bad"); // a refused line
        QTest::newRow("grid") << u"Channel table (*.csv)"_s << u"CH,Rx Freq"_s << u"channel table"_s
                              << u"3,480.0,,88.6"_s;
        QTest::newRow("generic") << u"Generic channel CSV (*.csv)"_s << u"Location,Name,Frequency"_s
                                 << u"generic channel CSV"_s << u"3,,480.0,,,,"_s;
    }
    void csvInTheWindow()
    {
        QFETCH(QString, filter);
        QFETCH(QString, header);
        QFETCH(QString, formatName);
        QFETCH(QString, bad);
        test::MessageRecorder messages;
        Running run;
        const QString folder = QFileInfo(run.program.dir.path()).absolutePath();
        const QString path = run.program.dir.file(u"channels.csv"_s);
        auto dialog = answerFileDialog(path, filter);
        run.program.action(cmd::ExportChannels)->trigger();
        QCOMPARE(dialog->title, u"Export Channels"_s);
        QCOMPARE(dialog->folder, folder);
        QCOMPARE(dialog->file, u"channels.csv"_s); // named after the document
        const QByteArray exported = test::readFile(path);
        QVERIFY(exported.startsWith(header.toUtf8()));
        dialog = answerFileDialog({});
        run.program.action(cmd::ExportChannels)->trigger();
        QCOMPARE(dialog->filter, filter);
        const ChannelTable shown = channelTable(run.image(), Language::Eng);

        run.clickLabel(1);
        run.clickLabel(3, Qt::ShiftModifier);
        run.key(Qt::Key_Delete);
        const MemoryImage deleted = run.image();
        dialog = answerFileDialog(path);
        // A summary comes first for a generic file only; a question left
        // waiting would answer the next test's.
        const bool generic = formatName.startsWith(u"generic"_s);
        auto summary = std::make_shared<QString>();
        if (generic) {
            test::whenModal<CImportSummaryDlg>([summary](CImportSummaryDlg *box) {
                *summary = box->findChild<QLabel *>(controlName(ctl::summary::Summary))->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
        }
        run.program.action(cmd::ImportChannels)->trigger();
        QCOMPARE(dialog->title, u"Import Channels"_s);
        QCOMPARE(dialog->folder, folder);
        if (generic)
            QCOMPARE(*summary, u"16 channels will be imported, 0 left out. Rows placed by Location."_s);
        else
            QCOMPARE(messages.texts, QStringList{u"The channels of \"%1\" were imported (format: %2)."_s.arg(
                                         QDir::toNativeSeparators(path), formatName)});
        QVERIFY(channelTable(run.image(), Language::Eng) == shown);
        QVERIFY(run.gridShowsImage());
        run.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(run.image() == deleted);

        QVERIFY(test::writeFile(path, exported.left(exported.indexOf('\n') + 1) + bad.toUtf8() + "\r\n"));
        messages.texts.clear();
        answerFileDialog(path);
        run.program.action(cmd::ImportChannels)->trigger();
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().contains(u"Format: "_s + formatName + u"\nline 2"_s),
                 qPrintable(messages.texts.first()));
        QVERIFY(run.image() == deleted);
    }

    // A generic plan numbered from 0 over several bands: the summary, before
    // anything changes, counts what fits and lists what does not, offers the
    // placement (Alt+O: in file order) and follows it; Escape changes nothing,
    // Enter imports what it showed as one undo step.
    void importSummaryOfAForeignPlan()
    {
        test::MessageRecorder messages;
        Running run;
        // With its drive on Windows, as a file dialog gives it.
        const QString path
            = QFileInfo(QStringLiteral(KDW_SOURCE_DIR "/tests/core/data/from_zero_mixed.csv")).absoluteFilePath();
        const MemoryImage before = run.image();
        QStringList seen;
        int listed = 0;
        const auto label = [](CImportSummaryDlg *box) {
            return box->findChild<QLabel *>(controlName(ctl::summary::Summary))->text();
        };
        answerFileDialog(path);
        test::whenModal<CImportSummaryDlg>([&](CImportSummaryDlg *box) {
            seen.append(label(box));
            chooseInOrder(box);
            seen.append(label(box));
            listed = box->findChild<QTableWidget *>(controlName(ctl::summary::List))->rowCount();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        run.program.action(cmd::ImportChannels)->trigger();
        QCOMPARE(seen,
                 test::texts(u"5 channels will be imported, 5 left out. Rows placed by Location.|"
                             u"5 channels will be imported, 5 left out. Rows placed in file order from channel 1."));
        QCOMPARE(listed, 5 + 3 + 2); // left out, changed, the columns ignored and the channels left empty
        QVERIFY(run.image() == before);

        answerFileDialog(path);
        test::whenModal<CImportSummaryDlg>([](CImportSummaryDlg *box) {
            chooseInOrder(box);
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
        });
        run.program.action(cmd::ImportChannels)->trigger();
        QVERIFY(messages.texts.isEmpty());
        const ChannelTable table = channelTable(run.image(), Language::Eng);
        const auto joined
            = [&table](int n) { return QStringList(table[n - 1].begin(), table[n - 1].end()).join(u'|'); };
        QCOMPARE(joined(1), u"442.87500|447.87500|Off|103.5|Off|High|Add|Wide|WW7PSR"_s);
        QCOMPARE(joined(4), u"439.98750|432.38750|Off|67.0|Carrier|Low|Add|Wide|Zurich"_s); // its Busy Lock kept
        QVERIFY(isEmptyChannel(run.image(), 6));
        QVERIFY(run.gridShowsImage());
        // The window manager gives the main window back its focus; offscreen, the test does.
        run.program.app.mainFrame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(run.program.app.mainFrame()));
        run.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(test::firstDifference(run.image(), before), QString());
    }

    // Without a document's folder the file dialogs start in the folder used
    // last, and before any in the home folder.
    void csvDialogsStartInTheLastFolder()
    {
        test::MessageRecorder messages;
        Running run;
        run.program.action(cmd::FileNew)->trigger();
        QVERIFY(run.program.app.document()->GetPathName().isEmpty());
        QTemporaryDir elsewhere;
        auto dialog = answerFileDialog(elsewhere.filePath(u"out.csv"_s));
        run.program.action(cmd::ExportChannels)->trigger();
        QCOMPARE(dialog->folder, QDir::homePath());
        QVERIFY(QFile::exists(elsewhere.filePath(u"out.csv"_s)));
        dialog = answerFileDialog(elsewhere.filePath(u"out.csv"_s));
        run.program.action(cmd::ImportChannels)->trigger();
        QCOMPARE(dialog->folder, QFileInfo(elsewhere.path()).absoluteFilePath());
        QCOMPARE(messages.texts.size(), 1);
    }

    // A grid file's frequencies go through typing's rules; the closing message
    // names each cell they changed, in the window's language.
    void importNamesWhatTypingChanged()
    {
        test::MessageRecorder messages;
        test::Program program("[Setup]\nLanguage=Cht\n");
        QVERIFY(program.start());
        const QString path = program.dir.file(u"in.csv"_s);
        QVERIFY(test::writeFile(path, "CH,Rx Freq,Tx Freq,Rx Tone,Tx Tone,Busy Lock,Power,Scan Add,Bandwidth,Name\n"
                                      "1,4490,,,,,,,,\n2,462.125,462.0030,,,,,,,\n"));
        answerFileDialog(path);
        program.action(cmd::ImportChannels)->trigger();
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().endsWith(
                     u"（格式：信道表）。\n\n以下頻率與手動輸入時一樣，被限制在頻率範圍內或調整到信道步進：\n"
                     u"第 2 行，接收頻率：4490 變為 470.00000\n第 3 行，發射頻率：462.0030 變為 462.00000"_s),
                 qPrintable(messages.texts.first()));
        QCOMPARE(channelTexts(program.app.document()->image(), 1, Language::Eng)[RxFreqField], u"470.00000"_s);
    }

    // A frequency typed into a cell that clamp or snap changes is named in
    // the status bar; a paste names each such cell in its closing message.
    void typingTellsWhatItChanged()
    {
        test::MessageRecorder messages;
        Running run;
        QStatusBar *status = run.program.app.mainFrame()->statusBar();
        run.clickCell(2, 2);
        test::pressKeys(run.grid, u"'4490 Return"_s);
        QCOMPARE(run.grid->GetTextMatrix(2, 2), u"470.00000"_s);
        QCOMPARE(status->currentMessage(), u"Channel 2, Tx Freq: 4490 became 470.00000"_s);
        run.clickCell(3, 1);
        test::pressKeys(run.grid, u"'462.0030 Return"_s);
        QCOMPARE(status->currentMessage(), u"Channel 3, Rx Freq: 462.0030 became 462.00000"_s);
        // A tone the list does not hold stays where its search got, and says so;
        // the start of an item is no change.
        run.clickCell(2, 3);
        test::pressKeys(run.grid, u"'88.4 Return"_s);
        QCOMPARE(run.grid->GetTextMatrix(2, 3), u"88.5"_s);
        QCOMPARE(status->currentMessage(), u"Channel 2, Rx Tone: 88.4 became 88.5"_s);
        status->clearMessage();
        run.clickCell(3, 4);
        test::pressKeys(run.grid, u"'D02 Return"_s);
        QCOMPARE(run.grid->GetTextMatrix(3, 4), u"D023N"_s);
        QCOMPARE(status->currentMessage(), QString());
        QVERIFY(messages.texts.isEmpty());

        QApplication::clipboard()->setText(u"450\t380\n462.125\n"_s);
        run.clickLabel(20);
        run.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().endsWith(u"\nChannel 20, Tx Freq: 380 became 400.00000"_s),
                 qPrintable(messages.texts.first()));
    }

    // The Edit menu stands between File and Program in every language, each
    // item with a prompt and a tool tip in that language; Undo and Redo close
    // the toolbar. KDW_SHOT_DIR=<folder> keeps a picture of the menu.
    // The keyboard alone: the focus starts in the grid with its frame drawn,
    // so digits typed at once go into channel 1; Tab keeps to the cells;
    // Ctrl+Tab and Ctrl+Shift+Tab leave the grid for the controls after and
    // before it, an open editor's value kept; the labels' access keys reach
    // the lists, and Default Factory's only moves to the button.
    void editMenuAndKeyboardInEachLanguage_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("insert");
        QTest::newRow("English") << QByteArray("Eng") << u"&Edit"_s << u"&Insert Channel"_s;
        QTest::newRow("Simplified") << QByteArray("Chs") << u"编辑(&E)"_s << u"插入信道(&I)"_s;
        QTest::newRow("Traditional") << QByteArray("Cht") << u"編輯(&E)"_s << u"插入信道(&I)"_s;
    }
    void editMenuAndKeyboardInEachLanguage()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, title);
        QFETCH(QString, insert);
        test::Program program("[Setup]\nLanguage=" + language + "\n");
        QVERIFY(program.start());
        QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
        CMainFrame &frame = *program.app.mainFrame();
        const QList<QAction *> menus = frame.menuBar()->actions();
        QCOMPARE(menus.at(1)->text(), title);
        QMenu *edit = menus.at(1)->menu();
        QVERIFY(edit->actions().contains(program.action(cmd::InsertChannel)));
        QCOMPARE(program.action(cmd::InsertChannel)->text(), insert);
        // The keys by the names on the keyboard, as the menu texts write them.
        QCOMPARE(program.action(cmd::MoveUp)->shortcut().toString(QKeySequence::NativeText), u"Ctrl+Up"_s);
        for (QAction *a : edit->actions()) {
            if (a->isSeparator())
                continue;
            QVERIFY2(!a->statusTip().isEmpty() && !a->toolTip().isEmpty(), qPrintable(a->text()));
            QVERIFY2(language == "Eng" || !a->statusTip().contains(u"the"_s), qPrintable(a->statusTip()));
        }
        const QList<QAction *> buttons = frame.toolBar()->actions();
        QCOMPARE(buttons.mid(buttons.size() - 2),
                 (QList<QAction *>{program.action(cmd::EditUndo), program.action(cmd::EditRedo)}));
        QVERIFY(!program.action(cmd::EditUndo)->icon().isNull());
        if (const QString keep = qEnvironmentVariable("KDW_SHOT_DIR"); !keep.isEmpty()) {
            edit->popup(frame.mapToGlobal(QPoint(40, 30)));
            QVERIFY(QTest::qWaitForWindowExposed(edit));
            const QString name = QString::fromLatin1(QTest::currentDataTag());
            QVERIFY(edit->grab().save(keep + u"/editmenu-"_s + name + u".png"_s));
            QVERIFY(frame.grab().save(keep + u"/window-"_s + name + u".png"_s));
            edit->close();
        }

        CProgramView *view = program.app.view();
        CMSFlexGrid *grid = view->grid();
        QCOMPARE(QApplication::focusWidget(), grid);
        // The current cell's frame in the text's colour, at its edge.
        const QRect cell = grid->visualRect(grid->currentIndex());
        const QImage shown = grid->viewport()->grab().toImage();
        const QColor text = grid->palette().color(QPalette::Text);
        QCOMPARE(shown.pixelColor(cell.center().x(), cell.top() + 2), text);
        QCOMPARE(shown.pixelColor(cell.left() + 2, cell.center().y()), text);
        for (const char digit : "446")
            QTest::keyClick(QApplication::focusWidget(), digit ? digit : '\r');
        QCOMPARE(grid->GetTextMatrix(1, 1), u"446.00000"_s);

        const auto key = [](int key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        };
        const auto control = [view](int id) { return view->findChild<QWidget *>(controlName(id)); };
        test::clickCell(*grid, 2, 1);
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid);
        key(Qt::Key_Tab, Qt::ControlModifier);
        QWidget *after = QApplication::focusWidget();
        QVERIFY(after && after != grid && !grid->isAncestorOf(after));
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), grid);
        test::clickCell(*grid, 2, 1);
        test::typeText(QApplication::focusWidget(), u"455"_s);
        key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), control(ctl::form::DefaultFactory));
        QCOMPARE(grid->GetTextMatrix(2, 1), u"455.00000"_s);

        const MemoryImage typed = program.app.document()->image();
        for (const auto &[letter, id] : {std::pair{Qt::Key_M, ctl::form::Model}, std::pair{Qt::Key_R, ctl::form::Range},
                                         std::pair{Qt::Key_D, ctl::form::DefaultFactory}}) {
            key(letter, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), control(id));
        }
        QCOMPARE(program.app.document()->image().bytes(), typed.bytes());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // The window opens at the form's size and the grid grows and shrinks with
    // it; a wider grid shares the room among its columns, in proportion, up
    // to its right edge, and gives it back when it narrows again.
    void gridGrowsWithTheWindow()
    {
        Running run;
        CMainFrame &frame = *run.program.app.mainFrame();
        QVERIFY(frame.width() <= 800 && frame.height() <= 600);
        const int small = run.grid->rowAt(run.grid->viewport()->height() - 1);
        QList<int> widths;
        for (int c = 0; c < 9; ++c)
            widths.append(run.grid->columnWidth(c));
        const auto rightEdge = [&run] { return run.grid->columnViewportPosition(8) + run.grid->columnWidth(8); };
        QVERIFY(rightEdge() <= run.grid->viewport()->width());

        frame.resize(frame.width() + 200, frame.height() + 300);
        QTRY_VERIFY(run.grid->rowAt(run.grid->viewport()->height() - 1) > small + 5);
        QTRY_COMPARE(rightEdge(), run.grid->viewport()->width());
        QCOMPARE(run.grid->horizontalScrollBar()->maximum(), 0);
        for (int c = 0; c < 9; ++c) {
            const double grown = double(run.grid->columnWidth(c)) / widths.at(c);
            QVERIFY2(grown > 1.1 && std::abs(grown - double(run.grid->columnWidth(0)) / widths.at(0)) < 0.05,
                     qPrintable(QString::number(grown)));
        }
        // A cell's editor covers the wider cell.
        run.clickCell(2, 9);
        QVERIFY(qAbs(run.view->openEditorWidget()->width() - run.grid->columnWidth(8)) <= 1);

        frame.resize(frame.minimumSizeHint());
        QTRY_COMPARE(run.grid->rowAt(run.grid->viewport()->height() - 1), small);
        for (int c = 0; c < 9; ++c)
            QCOMPARE(run.grid->columnWidth(c), widths.at(c));
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
