#include "app/globals.h"
#include "app/startup.h"
#include "channels/channelcodec.h"
#include "channels/msflexgrid.h"
#include "channels/programview.h"
#include "image/programdoc.h"
#include "image/regions.h"
#include "image/sinfile.h"
#include "ui/documentcommands.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

const QString ProgramDir = QStringLiteral(KDW_PROGRAM_DIR "/");
const QString FactoryFile = ProgramDir + QStringLiteral("DEF_U01.sin");

// The channel form in a main window, on an image of its own.
struct Form
{
    MemoryImage image;
    CProgramDoc doc{image};
    QMainWindow window;
    DocumentCommands *commands = nullptr;
    CProgramView *view = nullptr;
    CMSFlexGrid *grid = nullptr;

    explicit Form(quint8 language = 0)
    {
        setLanguageIndex(language);
        commands = new DocumentCommands(doc, &window);
        view = new CProgramView(doc, *commands, &window);
        window.setCentralWidget(view);
        grid = view->grid();
    }

    bool open(const QString &path) { return bool(doc.OnOpenDocument(path)); }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    void clickCell(int row, int col)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    QStringList row(int row) const
    {
        QStringList texts;
        for (int col = 1; col <= 9; ++col)
            texts << grid->GetTextMatrix(row, col);
        return texts;
    }

    template <typename T>
    T *control(int id) const
    {
        return view->findChild<T *>(QStringLiteral("id%1").arg(id));
    }
    QLineEdit *freqEdit() const { return control<QLineEdit>(1082); }
    QComboBox *toneCombo() const { return control<QComboBox>(1083); }
    QComboBox *choiceCombo() const { return control<QComboBox>(1084); }
    QLineEdit *nameEdit() const { return control<QLineEdit>(1085); }
};

} // namespace

class TestChannelView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_messages;
    LanguageBundle m_bundle;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::exists(FactoryFile));
        QVERIFY(m_bundle.load(ProgramDir, QStringLiteral("Eng")));
        // An empty program directory: new documents get the built-in defaults.
        setProgramDirectory(m_dir.path() + u'/');
        setMessageHook([this](const QString &text, QMessageBox::Icon, QMessageBox::StandardButtons) {
            m_messages << text;
            return QMessageBox::Ok;
        });
    }

    void init() { m_messages.clear(); }

    void typingIntoRxFreq_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above the range") << u"480"_s << u"470.00000"_s;
        QTest::newRow("below the range") << u"390"_s << u"400.00000"_s;
        QTest::newRow("between the grids") << u"462.0110"_s << u"462.01000"_s;
        QTest::newRow("6.25 kHz grid") << u"462.0125"_s << u"462.01250"_s;
        QTest::newRow("5 kHz grid") << u"462.0100"_s << u"462.01000"_s;
        QTest::newRow("tie goes to 5 kHz") << u"462.0030"_s << u"462.00000"_s;
        QTest::newRow("keypad decimal point") << u"446.5"_s << u"446.50000"_s;
    }
    void typingIntoRxFreq()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(1, 1);
        QVERIFY(form.freqEdit()->isVisible());
        QCOMPARE(QApplication::focusWidget(), form.freqEdit());
        QCOMPARE(form.freqEdit()->selectedText(), QStringLiteral("400.12500"));
        QTest::keyClicks(form.freqEdit(), typed);
        QTest::keyClick(form.freqEdit(), Qt::Key_Return);
        QVERIFY(!form.freqEdit()->isVisible());
        QCOMPARE(form.grid->GetTextMatrix(1, 1), shown);
        QCOMPARE(form.grid->GetTextMatrix(1, 2), QStringLiteral("400.12500")); // Tx stays
        QVERIFY(form.doc.IsModified());
    }

    void zeroOrNothingDeletesTheChannel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("zero") << u"0"_s;
        QTest::newRow("cleared") << u""_s;
    }
    void zeroOrNothingDeletesTheChannel()
    {
        QFETCH(QString, typed);
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(2, 1);
        QTest::keyClick(form.freqEdit(), Qt::Key_Delete);
        QTest::keyClicks(form.freqEdit(), typed);
        QTest::keyClick(form.freqEdit(), Qt::Key_Return);
        QCOMPARE(form.row(2), QStringList(9, QString()));
        // The name goes too, so the store leaves the record empty.
        form.view->gridStore();
        QCOMPARE(form.image.bytes(region::channelRecord(2), 16), QByteArray(16, char(0xFF)));
    }

    void newChannelGetsItsDefaults_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("defaults");
        QTest::newRow("English") << 0 << QStringList{u"Off"_s, u"Off"_s, u"Off"_s, u"High"_s, u"Add"_s, u"Wide"_s};
        QTest::newRow("Simplified") << 1 << QStringList{u"关"_s, u"关"_s, u"关"_s, u"高"_s, u"添加"_s, u"宽"_s};
        QTest::newRow("Traditional") << 2 << QStringList{u"關"_s, u"關"_s, u"關"_s, u"高"_s, u"添加"_s, u"寬"_s};
    }
    void newChannelGetsItsDefaults()
    {
        QFETCH(int, language);
        QFETCH(QStringList, defaults);
        Form form{quint8(language)};
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        // Any column of an empty channel opens the Rx Freq editor.
        form.clickCell(20, 5);
        QCOMPARE(form.grid->GetCol(), 1);
        QVERIFY(form.freqEdit()->isVisible());
        QTest::keyClicks(form.freqEdit(), u"446.00625"_s);
        QTest::keyClick(form.freqEdit(), Qt::Key_Return);
        QCOMPARE(form.row(20), (QStringList{u"446.00625"_s, u"446.00625"_s} + defaults + QStringList{QString()}));
        QTRY_COMPARE(form.grid->GetCol(), 2); // Enter moved on
    }

    void enterMovesRightWithTextAndDownWithout()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(3, 1);
        QTest::keyClick(form.freqEdit(), Qt::Key_Return);
        QTRY_COMPARE(form.grid->GetCol(), 2);
        QCOMPARE(form.grid->GetRow(), 3);
        QCOMPARE(QApplication::focusWidget(), form.grid);

        form.clickCell(30, 1);
        QCOMPARE(form.freqEdit()->text(), QString());
        QTest::keyClick(form.freqEdit(), Qt::Key_Return);
        QTRY_COMPARE(form.grid->GetRow(), 31);
        QCOMPARE(form.grid->GetCol(), 1);
        QCOMPARE(form.row(30), QStringList(9, QString()));
    }

    void arrowsWrapBetweenRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("wantRow");
        QTest::addColumn<int>("wantCol");
        QTest::newRow("right from the last column") << 5 << 9 << int(Qt::Key_Right) << 6 << 1;
        QTest::newRow("right on the last row stays") << 99 << 9 << int(Qt::Key_Right) << 99 << 9;
        QTest::newRow("left from column 1") << 5 << 1 << int(Qt::Key_Left) << 4 << 9;
        QTest::newRow("left on row 1 stays") << 1 << 1 << int(Qt::Key_Left) << 1 << 1;
        QTest::newRow("right inside a row") << 5 << 4 << int(Qt::Key_Right) << 5 << 5;
    }
    void arrowsWrapBetweenRows()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, key);
        QFETCH(int, wantRow);
        QFETCH(int, wantCol);
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.grid->setFocus();
        form.grid->SetRow(row);
        form.grid->SetCol(col);
        QTest::keyClick(form.grid, Qt::Key(key));
        QTRY_COMPARE(form.grid->GetRow(), wantRow);
        QTRY_COMPARE(form.grid->GetCol(), wantCol);
    }

    void txFreqOfAnEmptyRowOpensRxFreq()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(40, 2);
        QCOMPARE(form.grid->GetCol(), 1);
        QVERIFY(form.freqEdit()->isVisible());
        // The editor lies over the Rx Freq cell.
        const QRect cell = form.grid->visualRect(form.grid->model()->index(39, 0));
        const QRect onForm(form.grid->viewport()->mapTo(form.freqEdit()->parentWidget(), cell.topLeft()), cell.size());
        QVERIFY2(onForm.contains(form.freqEdit()->geometry().center()), "editor not over its cell");
        QVERIFY(qAbs(form.freqEdit()->width() - cell.width()) <= 2);
    }

    void toneEditorSelectsByPrefix()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        QCOMPARE(form.grid->GetTextMatrix(5, 3), QStringLiteral("D023N"));
        form.clickCell(5, 3);
        QVERIFY(form.toneCombo()->isVisible());
        QCOMPARE(form.toneCombo()->currentText(), QStringLiteral("D023N"));
        QCOMPARE(form.toneCombo()->count(), 265);
        // Typing picks the first item with that beginning; Enter commits and moves on.
        QTest::keyClicks(form.toneCombo(), u"1"_s);
        QCOMPARE(form.toneCombo()->currentText(), QStringLiteral("100.0"));
        QTest::keyClick(form.toneCombo(), Qt::Key_Return);
        QCOMPARE(form.grid->GetTextMatrix(5, 3), QStringLiteral("100.0"));
        QTRY_COMPARE(form.grid->GetCol(), 4);
        QVERIFY(!form.toneCombo()->isVisible());
    }

    void choiceEditorSelectsByPrefix_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("selected");
        QTest::newRow("busy lock, English") << 0 << 5 << QStringList{u"Off"_s, u"Carrier"_s, u"QDT"_s} << u"Off"_s;
        QTest::newRow("busy lock, Simplified") << 1 << 5 << QStringList{u"关闭"_s, u"载波"_s, u"信令"_s} << u"关闭"_s;
        QTest::newRow("busy lock, Traditional") << 2 << 5 << QStringList{u"關閉"_s, u"載波"_s, u"信令"_s} << u"關閉"_s;
        QTest::newRow("power") << 0 << 6 << QStringList{u"High"_s, u"Low"_s} << u"High"_s;
        QTest::newRow("scan add") << 2 << 7 << QStringList{u"添加"_s, u"刪除"_s} << u"添加"_s;
        QTest::newRow("bandwidth") << 1 << 8 << QStringList{u"宽"_s, u"窄"_s} << u"宽"_s;
    }
    void choiceEditorSelectsByPrefix()
    {
        QFETCH(int, language);
        QFETCH(int, col);
        QFETCH(QStringList, items);
        QFETCH(QString, selected);
        Form form{quint8(language)};
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(1, col);
        QComboBox *combo = form.choiceCombo();
        QVERIFY(combo->isVisible());
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, items);
        QCOMPARE(combo->currentText(), selected);
        // The list is refilled on each opening, never appended to.
        form.clickCell(2, col);
        QCOMPARE(combo->count(), items.size());
    }

    void choiceCommitWritesTheCell()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(1, 5);
        QTest::keyClick(form.choiceCombo(), Qt::Key_Q);
        QCOMPARE(form.choiceCombo()->currentText(), QStringLiteral("QDT"));
        form.clickCell(3, 3); // another cell: the commit goes to the cell edited
        QCOMPARE(form.grid->GetTextMatrix(1, 5), QStringLiteral("QDT"));
        QVERIFY(form.toneCombo()->isVisible());
        QVERIFY(!form.choiceCombo()->isVisible());
    }

    // A tone the list does not hold (written by another tool) must survive
    // opening and leaving its editor.
    void unlistedToneSurvivesALook()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.grid->SetTextMatrix(2, 4, u"69.4"_s);
        form.clickCell(2, 4);
        QCOMPARE(form.toneCombo()->currentIndex(), -1);
        form.clickCell(3, 1);
        QCOMPARE(form.grid->GetTextMatrix(2, 4), QStringLiteral("69.4"));
    }

    void commitOnScrollAndOnStore()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(1, 1);
        QTest::keyClicks(form.freqEdit(), u"450"_s);
        form.grid->verticalScrollBar()->setValue(10);
        QVERIFY(!form.freqEdit()->isVisible());
        QCOMPARE(form.grid->GetTextMatrix(1, 1), QStringLiteral("450.00000"));

        form.grid->verticalScrollBar()->setValue(0);
        form.clickCell(2, 9);
        QVERIFY(form.nameEdit()->isVisible());
        QTest::keyClicks(form.nameEdit(), u"BASE"_s);
        form.view->gridStore();
        QVERIFY(!form.nameEdit()->isVisible());
        QCOMPARE(form.grid->GetTextMatrix(2, 9), QStringLiteral("BASE"));
        QCOMPARE(readName(form.image, 2), QStringLiteral("BASE"));
        QCOMPARE(readFrequency(form.image, region::channelRecord(1)), 45000000u);
    }

    void frequencyEditorRefusesOtherKeys()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(1, 1);
        QLineEdit *edit = form.freqEdit();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, u"4a5b"_s);
        QTest::keyClick(edit, Qt::Key_1, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Period, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Period);
        QTest::keyClick(edit, Qt::Key_5, Qt::KeypadModifier);
        QTest::keyClick(edit, Qt::Key_Space);
        QTest::keyClick(edit, Qt::Key_Minus);
        QCOMPARE(edit->text(), QStringLiteral("45.5"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_1);
        QCOMPARE(edit->text(), QStringLiteral("415."));
    }

    void nameEditorTakesSixPrintableCharacters()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        form.clickCell(1, 9);
        QLineEdit *edit = form.nameEdit();
        QCOMPARE(edit->selectedText(), QStringLiteral("CH01"));
        QTest::keyClicks(edit, u"Ab 1-#xyz"_s);
        QCOMPARE(edit->text(), QStringLiteral("Ab 1-#"));
        QTest::keyClick(edit, Qt::Key_Return); // no special handling: stays open
        QVERIFY(edit->isVisible());
        form.clickCell(2, 1);
        QCOMPARE(form.grid->GetTextMatrix(1, 9), QStringLiteral("Ab 1-#"));
    }

    void highLightFollowsTheLabelColumn()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        QHeaderView *labels = form.grid->verticalHeader();
        const int y = labels->sectionViewportPosition(4) + labels->sectionSize(4) / 2;
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, QPoint(labels->width() / 2, y));
        QCOMPARE(form.grid->GetHighLight(), short(2));
        QVERIFY(form.view->openEditorWidget() == nullptr);
        form.clickCell(3, 3);
        QCOMPARE(form.grid->GetHighLight(), short(0));
        QVERIFY(form.view->openEditorWidget() != nullptr);
    }

    void aSecondDocumentDoesNotRepeatListItems()
    {
        Form form;
        QVERIFY(form.doc.OnNewDocument());
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.doc.OnNewDocument());
        QCOMPARE(form.control<QComboBox>(1017)->count(), 1);
        QCOMPARE(form.control<QComboBox>(1017)->currentText(), QStringLiteral("KDW417U01"));
        QCOMPARE(form.control<QComboBox>(1011)->count(), 1);
        QCOMPARE(form.control<QComboBox>(1011)->currentText(), QStringLiteral("400-470MHz"));
        QCOMPARE(form.toneCombo()->count(), 265);
        QCOMPARE(form.grid->GetRows(), 100);
        QCOMPARE(form.grid->GetTextMatrix(0, 9), QStringLiteral("Name"));
        QCOMPARE(form.grid->GetTextMatrix(99, 0), QStringLiteral("99"));
    }

    void listIndexesOutOfRangeSelectItem0()
    {
        Form form;
        QVERIFY(form.doc.OnNewDocument());
        form.image.setByte(region::ModelIndex, 0xFF);
        form.image.setByte(region::FrequencyRangeIndex, 0xFF);
        form.view->gridLoad();
        QCOMPARE(form.control<QComboBox>(1017)->currentIndex(), 0);
        QCOMPARE(form.control<QComboBox>(1011)->currentIndex(), 0);
        QCOMPARE(form.view->frequencyRange(), (FrequencyRange{40000000, 47000000}));
        form.view->gridStore();
        QCOMPARE(form.image.byte(region::ModelIndex), 0);
        QCOMPARE(form.image.byte(region::FrequencyRangeIndex), 0);
    }

    // Edit by keyboard and mouse, save, reopen: the same texts; a second save
    // writes the same bytes.
    void saveReopenSave()
    {
        const QString path = m_dir.filePath(u"edited.sin"_s);
        QByteArray first;
        QStringList row1;
        {
            Form form{1};
            QVERIFY(form.open(FactoryFile));
            QVERIFY(form.show());
            form.clickCell(1, 1);
            QTest::keyClicks(form.freqEdit(), u"433.0071"_s);
            QTest::keyClick(form.freqEdit(), Qt::Key_Return);
            QTRY_COMPARE(form.grid->GetCol(), 2);
            QTest::keyClick(form.grid, Qt::Key_Return);
            QTest::keyClicks(form.freqEdit(), u"438.5"_s);
            QTest::keyClick(form.freqEdit(), Qt::Key_Return);
            QTRY_COMPARE(form.grid->GetCol(), 3);
            QTest::keyClick(form.grid, Qt::Key_Return);
            QTest::keyClicks(form.toneCombo(), u"D7"_s);
            QTest::keyClick(form.toneCombo(), Qt::Key_Return);
            QTRY_COMPARE(form.grid->GetCol(), 4);
            form.clickCell(1, 8);
            QTest::keyClick(form.choiceCombo(), Qt::Key_Down);
            form.clickCell(1, 9);
            QTest::keyClicks(form.nameEdit(), u"Z9"_s);
            form.commands->setFilePrompt([&](bool, const QString &) { return path; });
            QVERIFY(form.commands->OnFileSaveAs());
            row1 = form.row(1);
            QCOMPARE(row1, (QStringList{u"433.00625"_s, u"438.50000"_s, u"D703N"_s, u"关"_s, u"关"_s, u"高"_s,
                                        u"添加"_s, u"窄"_s, u"Z9"_s}));
            QVERIFY(!form.doc.IsModified());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            first = file.readAll();
        }
        Form again{1};
        QVERIFY(again.open(path));
        QCOMPARE(again.row(1), row1);
        QVERIFY(again.commands->OnFileSave());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), first);
    }

    void flagBitsTheGridDoesNotOwnSurvive()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        const int flags = region::channelRecord(3) + record::Flags;
        form.image.setByte(flags, 0xC8);
        form.image.setByte(region::channelRecord(3) + 13, 0x5A);
        form.view->gridLoad();
        QCOMPARE(form.row(3).mid(4, 4), (QStringList{u"Off"_s, u"Low"_s, u"Del"_s, u"Narrow"_s}));
        form.view->gridStore();
        QCOMPARE(form.image.byte(flags), 0xC8);
        QCOMPARE(form.image.byte(region::channelRecord(3) + 13), 0x5A);
    }

    void bytesTheGridDoesNotOwnNeverChange()
    {
        Form form;
        QVERIFY(form.doc.OnNewDocument());
        auto *random = QRandomGenerator::global();
        for (int i = 0; i < MemoryImage::Size; ++i)
            form.image.setByte(i, quint8(random->bounded(256)));
        // Some empty channels among the random ones.
        for (int channel = 1; channel <= 99; channel += 7)
            form.image.setByte(region::channelRecord(channel) + 3, 0xFF);
        const MemoryImage before = form.image;
        form.view->gridLoad();
        form.view->gridStore();

        QSet<int> owned;
        for (int channel = 1; channel <= 99; ++channel) {
            const bool empty = before.byte(region::channelRecord(channel) + 3) == 0xFF;
            for (int k = 0; k < (empty ? 16 : 13); ++k)
                owned.insert(region::channelRecord(channel) + k);
            for (int k = 0; k < (empty ? 0 : 6); ++k)
                owned.insert(region::nameSlot(channel) + k);
        }
        for (int k = 0; k < 8; ++k)
            owned.insert(0x0630 + k);
        for (int offset : {0x063C, 0x1811, 0x1817, 0x1D10, 0x1D11, 0x1D12, 0x1D13, region::ModelIndex,
                           region::FrequencyRangeIndex})
            owned.insert(offset);
        for (int offset = 0; offset < MemoryImage::Size; ++offset) {
            if (!owned.contains(offset) && form.image.byte(offset) != before.byte(offset))
                QFAIL(qPrintable(QStringLiteral("byte 0x%1 changed").arg(offset, 4, 16, QLatin1Char('0'))));
        }
        // Storing again changes nothing more.
        const MemoryImage once = form.image;
        form.view->gridStore();
        QVERIFY(form.image == once);
    }

    void defaultFactory_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("English") << 0 << u"Cound not found default file"_s;
        QTest::newRow("Simplified") << 1 << u"没找到默认文件"_s;
        QTest::newRow("Traditional") << 2 << u"沒找到默認文件"_s;
    }
    void defaultFactory()
    {
        QFETCH(int, language);
        QFETCH(QString, message);
        Form form{quint8(language)};
        QVERIFY(form.doc.OnNewDocument());
        form.grid->SetTextMatrix(4, 1, u"401.00000"_s); // an unsaved edit
        const MemoryImage before = form.image;
        auto *button = form.control<QPushButton>(1068);
        QVERIFY(button);

        // No file: the message, nothing changed.
        button->click();
        QCOMPARE(m_messages, QStringList{message});
        QVERIFY(form.image == before);
        QCOMPARE(form.grid->GetTextMatrix(4, 1), QStringLiteral("401.00000"));

        // A file that cannot be read: a message naming it, nothing changed.
        QVERIFY(QDir(m_dir.path()).mkdir(u"DEF_U01.sin"_s));
        m_messages.clear();
        button->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().contains(u"DEF_U01.sin"_s));
        QVERIFY(form.image == before);
        QVERIFY(QDir(m_dir.path()).rmdir(u"DEF_U01.sin"_s));

        // The factory file replaces the image and shows it.
        QVERIFY(QFile::copy(FactoryFile, m_dir.filePath(u"DEF_U01.sin"_s)));
        m_messages.clear();
        button->click();
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(form.image.bytes(), readSinFile(FactoryFile).bytes.value());
        QCOMPARE(form.grid->GetTextMatrix(1, 1), QStringLiteral("400.12500"));
        QCOMPARE(form.grid->GetTextMatrix(4, 1), QStringLiteral("412.52500"));
        QVERIFY(form.doc.IsModified());
        QVERIFY(QFile::remove(m_dir.filePath(u"DEF_U01.sin"_s)));
    }

    void shortFactoryFileReplacesItsLengthOnly()
    {
        Form form;
        QVERIFY(form.doc.OnNewDocument());
        const MemoryImage before = form.image;
        QFile file(m_dir.filePath(u"DEF_U01.sin"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(readSinFile(FactoryFile).bytes.value().left(100));
        file.close();
        form.control<QPushButton>(1068)->click();
        QVERIFY(QFile::remove(file.fileName()));
        QCOMPARE(form.image.bytes(0, 100), readSinFile(FactoryFile).bytes.value().left(100));
        QCOMPARE(form.image.bytes(100, MemoryImage::Size - 100), before.bytes(100, MemoryImage::Size - 100));
    }

    void printedPdfHasTwoPages()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        Form form;
        QVERIFY(form.open(FactoryFile));
        const QString pdf = m_dir.filePath(u"channels.pdf"_s);
        form.view->printer().setOutputFormat(QPrinter::PdfFormat);
        form.view->printer().setOutputFileName(pdf);
        form.view->OnFilePrintDirect();
        // KDW_SHOT_DIR keeps the printout for a person to look at.
        if (const QString keep = qEnvironmentVariable("KDW_SHOT_DIR"); !keep.isEmpty())
            QFile::copy(pdf, keep + u"/channels.pdf"_s);
        QProcess run;
        run.start(pdftotext, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(run.waitForFinished(30000));
        const QStringList pages = QString::fromUtf8(run.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        const QStringList page1 = pages.at(0).split(u'\n', Qt::SkipEmptyParts);
        const QStringList page2 = pages.at(1).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(page1.first().simplified().startsWith(u"CH Rx Freq Tx Freq Rx Tone"_s), qPrintable(page1.first()));
        QVERIFY2(page1.at(1).simplified().startsWith(u"1 400.12500 400.12500 Off Off Off High Add Wide CH01"_s),
                 qPrintable(page1.at(1)));
        QCOMPARE(page1.last().simplified(), QStringLiteral("50"));
        QCOMPARE(page2.first().simplified(), QStringLiteral("51"));
        QCOMPARE(page2.last().simplified(), QStringLiteral("99"));
    }

    void printPreviewShowsTwoPages()
    {
        Form form;
        QVERIFY(form.open(FactoryFile));
        QVERIFY(form.show());
        int pages = -1;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto *preview = dialog->findChild<QPrintPreviewWidget *>();
            pages = preview ? preview->pageCount() : -2;
            dialog->reject();
        });
        form.view->OnFilePrintPreview();
        QCOMPARE(pages, 2);
    }
};

QTEST_MAIN(TestChannelView)
#include "tst_channelview.moc"
