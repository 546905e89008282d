// The channel form in a main window, driven by key and mouse events: in-place
// editing, navigation, the factory button, the grid load and store, printing,
// and how the form fits in each language. KDW_SHOT_DIR=<folder> keeps a
// screenshot of each language there.
#include "core/channels/channelcodec.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/image/sinfile.h"
#include "core/program/globals.h"
#include "gui/dialogs/controlids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/documenthistory.h"
#include "gui/grid/channelpage.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "guitest.h"
#include "modal.h"
#include "uselanguage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>
#include <QUndoStack>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

const QString FactoryFile = QStringLiteral(KDW_PROGRAM_DIR "/DEF_U01.sin");

// The channel form in a main window, on an image of its own, showing the
// factory channels (1 to 16; 17 to 99 are empty).
struct Form
{
    MemoryImage image;
    CProgramDoc doc;
    QMainWindow window;
    DocumentCommands *commands = nullptr;
    CProgramView *view = nullptr;
    CMSFlexGrid *grid = nullptr;

    explicit Form(Language language = Language::Eng, const QString &file = FactoryFile)
        : doc(image, programDirectory(), language)
    {
        commands = new DocumentCommands(doc, &window);
        view = new CProgramView(doc, *commands, &window);
        window.setCentralWidget(view);
        grid = view->grid();
        window.resize(1200, 900);
        if (!doc.OnOpenDocument(file))
            qFatal("cannot open %s", qPrintable(file));
    }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    // Column 0 is the row's label.
    void clickCell(int row, int col) { col == 0 ? test::clickRowLabel(*grid, row) : test::clickCell(*grid, row, col); }

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
};

// A paint device like a 600 dpi printer, 8 by 10 inches (the printable part
// of a letter page), that records each text drawn.
class Printout : public QPaintDevice, public QPaintEngine
{
public:
    struct Text
    {
        QString text;
        QPointF baseline;
        QFont font;
    };
    QList<Text> texts;

    Printout()
        : QPaintEngine(AllFeatures)
    {
    }
    QPaintEngine *paintEngine() const override { return const_cast<Printout *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawTextItem(const QPointF &p, const QTextItem &item) override { texts.append({item.text(), p, item.font()}); }
    Type type() const override { return User; }

    // Page `page` of a document's channels printed here: its texts by the
    // height of their baseline.
    QMap<qreal, QList<Text>> print(CProgramDoc &doc, int page)
    {
        QPainter painter(this);
        paintChannelPage(painter, channelTable(doc.image(), doc.language()), doc.language(), page);
        painter.end();
        QMap<qreal, QList<Text>> lines;
        for (const Text &t : texts)
            lines[t.baseline.y()].append(t);
        return lines;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return 8 * 600;
        case PdmHeight: return 10 * 600;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 600;
        default: return 0;
        }
    }
};

} // namespace

class TestChannelView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    test::MessageRecorder m_messages;

private slots:
    void initTestCase()
    {
        QVERIFY(test::useLanguage(u"Eng"_s));
        // An empty program directory: new documents get the built-in defaults.
        setProgramDirectory(m_dir.path() + u'/');
    }
    void init() { m_messages.texts.clear(); }

    // A click opens the cell's editor over it, on an empty channel the Rx Freq
    // one whatever column was clicked; a click on a row label selects and shows
    // the whole row instead. Enter commits: a frequency is snapped to the
    // grid (letters and a second point refused), none deletes the
    // channel (the store empties its record), a first one fills the row with
    // its defaults; a list picks the first item with the typed beginning and
    // keeps a tone it does not hold; a name takes six printable ASCII characters.
    void editing_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");      // clicked
        QTest::addColumn<QString>("cell"); // set before; null: the factory text
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // the row's cells after the store, comma-separated
        const QString ch1 = u",400.12500,Off,Off,Off,High,Add,Wide,CH01"_s;
        QTest::newRow("snapped, letters and a second point refused")
            << Language::Eng << 1 << 1 << QString() << u"4a62.01.10"_s << u"462.01000"_s + ch1;
        QTest::newRow("nothing deletes") << Language::Eng << 1 << 1 << QString() << u""_s << u",,,,,,,,"_s;
        QTest::newRow("new channel from Tx Freq, scrolled down, Simplified")
            << Language::Chs << 90 << 2 << QString() << u"446.00625"_s << u"446.00625,446.00625,关,关,关,高,添加,宽,"_s;
        QTest::newRow("tone") << Language::Eng << 1 << 3 << QString() << u"1"_s
                              << u"400.12500,400.12500,100.0,Off,Off,High,Add,Wide,CH01"_s;
        // Written by another tool: no item is selected and the cell stays.
        QTest::newRow("unlisted tone survives a look") << Language::Eng << 1 << 4 << u"69.4"_s << QString()
                                                       << u"400.12500,400.12500,Off,69.4,Off,High,Add,Wide,CH01"_s;
        QTest::newRow("power, Simplified")
            << Language::Chs << 1 << 6 << QString() << u"低"_s << u"400.12500,400.12500,关,关,关,低,添加,宽,CH01"_s;
        QTest::newRow("name") << Language::Eng << 1 << 9 << QString() << u"Ab\u00e9 1\u4e00-#xyz"_s
                              << u"400.12500,400.12500,Off,Off,Off,High,Add,Wide,Ab 1-#"_s;
        QTest::newRow("row label, no editor") << Language::Eng << 5 << 0 << QString() << QString() << QString();
    }
    void editing()
    {
        QFETCH(Language, language);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, cell);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Form form{language};
        QVERIFY(form.show());
        if (!cell.isNull()) { // the tone's bytes as another tool left them
            writeTone(form.image, region::channelRecord(row) + record::TxTone, *toneFromText(cell));
            form.view->gridLoad();
        }
        const int opened = form.grid->GetTextMatrix(row, 1).isEmpty() ? 1 : col;
        const QStringList before = form.row(row);
        form.clickCell(2, 0); // whole rows shown first
        form.clickCell(row, col);
        QCOMPARE(form.grid->GetRow(), row);
        QCOMPARE(form.grid->GetHighLight(), short(col == 0 ? 2 : 0));
        QWidget *editor = form.view->openEditorWidget();
        QCOMPARE(editor == nullptr, col == 0);
        if (!editor)
            return;
        QCOMPARE(form.grid->GetCol(), opened);
        QCOMPARE(QApplication::focusWidget(), editor);
        QCOMPARE(form.grid->palette().color(QPalette::Highlight), form.grid->palette().color(QPalette::Base));
        const QRect rect = form.grid->visualRect(form.grid->model()->index(row - 1, opened - 1));
        const QRect onForm(form.grid->viewport()->mapTo(editor->parentWidget(), rect.topLeft()), rect.size());
        QVERIFY2(onForm.contains(editor->geometry().center()), "editor not over its cell");
        QVERIFY(qAbs(editor->width() - rect.width()) <= 2);
        const QString current = form.grid->GetTextMatrix(row, opened);
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            QCOMPARE(combo->currentIndex(), combo->findText(current));
        } else {
            QCOMPARE(static_cast<QLineEdit *>(editor)->selectedText(), current);
            QTest::keyClick(editor, Qt::Key_Delete);
        }
        test::typeText(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->isVisible());
        form.view->gridStore();
        QCOMPARE(form.row(row).join(u','), shown);
        QCOMPARE(form.doc.IsModified(), form.row(row) != before);
        QCOMPARE(isEmptyChannel(form.image, row), shown.startsWith(u','));
    }

    // An open editor commits when the grid scrolls and when Save stores the
    // grid; reopening the saved file shows the same texts.
    void editsReachTheFile()
    {
        const QString path = m_dir.filePath(u"edited.sin"_s);
        QStringList rows;
        {
            Form form{Language::Chs};
            QVERIFY(form.show());
            form.clickCell(1, 1);
            QTest::keyClicks(form.view->openEditorWidget(), u"450"_s);
            form.grid->verticalScrollBar()->setValue(10);
            QVERIFY(!form.view->openEditorWidget());
            QCOMPARE(form.grid->GetTextMatrix(1, 1), u"450.00000"_s);
            form.grid->verticalScrollBar()->setValue(0);
            form.clickCell(2, 3);
            QTest::keyClicks(form.view->openEditorWidget(), u"D7"_s);
            form.clickCell(2, 8); // the tone commits as the focus moves
            QTest::keyClick(form.view->openEditorWidget(), Qt::Key_Down);
            form.clickCell(2, 9);
            QTest::keyClicks(form.view->openEditorWidget(), u"BASE"_s);
            form.commands->setFilePrompt([&](bool, const QString &) { return path; });
            QVERIFY(form.commands->OnFileSaveAs());
            QVERIFY(!form.view->openEditorWidget());
            QVERIFY(!form.doc.IsModified());
            rows = form.row(1) + form.row(2);
            QCOMPARE(rows.mid(9), test::texts(u"403.50000|403.50000|D703N|关|关|高|添加|窄|BASE"));
        }
        Form again{Language::Chs, path};
        QCOMPARE(again.row(1) + again.row(2), rows);
    }

    // A list editor is refilled, not added to, at each opening; a grid load
    // closes it. Each list holds its one item after a second grid load, an
    // index out of range selects it, and the store writes its index.
    void listsHoldTheirItems()
    {
        Form form;
        QVERIFY(form.show());
        form.clickCell(5, 3);
        form.clickCell(6, 3);
        form.clickCell(5, 6);
        form.clickCell(6, 6);
        QCOMPARE(test::itemsOf(form.control<QComboBox>(ctl::form::ChoiceCombo)), test::texts(u"High|Low"));
        form.image.setByte(region::ModelIndex, 0xFF);
        form.image.setByte(region::FrequencyRangeIndex, 0xFF);
        form.view->gridLoad();
        QVERIFY(!form.view->openEditorWidget());
        QCOMPARE(test::itemsOf(form.control<QComboBox>(ctl::form::Model)), QStringList{u"KDW417U01"_s});
        QCOMPARE(test::itemsOf(form.control<QComboBox>(ctl::form::Range)), QStringList{u"400-470MHz"_s});
        QCOMPARE(form.control<QComboBox>(ctl::form::Range)->currentIndex(), 0);
        QCOMPARE(form.control<QComboBox>(ctl::form::ToneCombo)->count(), 265);
        form.view->gridStore();
        QCOMPARE(form.image.bytes(region::ModelIndex, 2), QByteArray(2, 0));
    }

    // Default Factory reads DEF_U01.sin of the program directory over the
    // image (a short file over its length only); without a readable file it
    // says so and nothing changes, not even an unsaved grid edit.
    void defaultFactory_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: none; empty: a folder of that name
        QTest::addColumn<QString>("message"); // a part of it
        const QByteArray factory = readSinFile(FactoryFile).bytes.value();
        QTest::newRow("whole file") << factory << QString();
        QTest::newRow("short file") << factory.left(100) << QString();
        QTest::newRow("missing") << QByteArray() << u"Cound not found default file"_s;
        QTest::newRow("unreadable") << QByteArray("") << u"DEF_U01.sin"_s;
    }
    void defaultFactory()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(u"DEF_U01.sin"_s);
        const auto remove = qScopeGuard([&] { QFile::remove(path) || QDir().rmdir(path); });
        if (!file.isNull())
            QVERIFY(file.isEmpty() ? QDir().mkdir(path) : test::writeFile(path, file));
        Form form;
        QVERIFY(form.doc.OnNewDocument());
        form.grid->SetTextMatrix(4, 1, u"401.00000"_s); // an edit
        const int steps = form.view->history().stack()->count();
        MemoryImage expected = form.image;
        expected.copyIn(0, file);

        form.control<QPushButton>(ctl::form::DefaultFactory)->click();
        QCOMPARE(form.image.bytes(), expected.bytes());
        QCOMPARE(m_messages.texts.size(), message.isEmpty() ? 0 : 1);
        QVERIFY(m_messages.texts.value(0).contains(message));
        QCOMPARE(form.grid->GetTextMatrix(4, 1), message.isEmpty() ? u"412.52500"_s : u"401.00000"_s);
        QCOMPARE(form.view->history().stack()->count(), steps + (message.isEmpty() ? 1 : 0));
    }

    // Page 1 holds the header line and channels 1 to 50, page 2 channels 51 to
    // 99, from the same first line: one evenly spaced line per row (an empty
    // channel keeps its line), columns under their headers. In every language
    // each text ends on the paper, at least one average character before the
    // next, in a font that holds its characters; a title wider than its column
    // is printed smaller than the rows' 12 points rather than run into the
    // next. A long name, which the factory channels lack, is printed too. The
    // preview shows the two pages. KDW_SHOT_DIR also gets page 1 as an image.
    void printedPages()
    {
        const test::BackToEnglish english;
        for (const QString &code : {u"Eng"_s, u"Chs"_s, u"Cht"_s}) {
            QVERIFY(test::useLanguage(code));
            const Language language = test::usedLanguage();
            Form form{language};
            QVERIFY(form.show());
            ChannelTexts third = channelTexts(form.image, 3, language);
            third[NameField] = u"WWWWWW"_s;
            third[BusyLockField] = channeltext::Carrier.text(language);
            storeChannelTexts(form.image, 3, third);
            storeChannelTexts(form.image, 99,
                              {u"462.00000"_s, u"462.00000"_s, u"Off"_s, u"Off"_s, u"Off"_s, u"High"_s, u"Add"_s,
                               u"Wide"_s, u"LAST"_s});
            form.view->gridLoad();
            QList<qreal> headerX;
            qreal top = -1;
            for (int page : {1, 2}) {
                Printout printout;
                const QMap<qreal, QList<Printout::Text>> lines = printout.print(form.doc, page);
                QCOMPARE(lines.size(), page == 1 ? 51 : 49);
                const QList<qreal> baselines = lines.keys();
                const qreal spacing = baselines.at(1) - baselines.at(0);
                if (page == 1)
                    top = baselines.first();
                QCOMPARE(baselines.first(), top);
                QVERIFY(top > 2 * spacing); // two empty lines above
                // The average character width W of the printout: column 0 starts at 2 W.
                const qreal averageChar = lines.first().first().baseline.x() / 2;
                for (int k = 0; k < baselines.size(); ++k) {
                    QCOMPARE(baselines.at(k), top + k * spacing);
                    const QList<Printout::Text> line = lines.value(baselines.at(k));
                    QStringList texts, wanted;
                    QList<qreal> xs;
                    for (qsizetype i = 0; i < line.size(); ++i) {
                        const Printout::Text &t = line.at(i);
                        texts << t.text;
                        xs << t.baseline.x();
                        QVERIFY(t.font.pixelSize() <= 100);
                        if (k > 0)
                            QCOMPARE(t.font.pixelSize(), 100); // 12 points
                        const qreal right = t.baseline.x() + QFontMetricsF(t.font, &printout).horizontalAdvance(t.text);
                        QVERIFY2(right < printout.width(), qPrintable(code + t.text));
                        // Drawn in a font that holds it: a preview places text left to
                        // a fallback font by that font's ascent, below the line.
                        const QRawFont face = QRawFont::fromFont(t.font);
                        for (QChar c : t.text)
                            QVERIFY2(face.supportsCharacter(c), qPrintable(code + t.text));
                        if (i + 1 < line.size())
                            QVERIFY2(right + averageChar <= line.at(i + 1).baseline.x(),
                                     qPrintable(code + u' ' + t.text + u'|' + line.at(i + 1).text));
                    }
                    for (int col = 0; col < 10; ++col)
                        wanted << form.grid->GetTextMatrix(k + (page == 1 ? 0 : 51), col);
                    wanted.removeAll(QString());
                    QCOMPARE(texts, wanted);
                    if (headerX.isEmpty())
                        headerX = xs;
                    else if (xs.size() == 10)
                        QCOMPARE(xs, headerX);
                }
            }
            QVERIFY(std::is_sorted(headerX.begin(), headerX.end()));

            int pages = -1;
            const auto seen = test::whenModal<QPrintPreviewDialog>([&pages](QPrintPreviewDialog *dialog) {
                pages = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
                dialog->reject();
            });
            form.view->OnFilePrintPreview();
            QVERIFY(*seen);
            QCOMPARE(pages, 2);
            if (const QString keep = qEnvironmentVariable("KDW_SHOT_DIR"); !keep.isEmpty()) {
                QImage image(8 * 150, 10 * 150, QImage::Format_RGB32);
                image.setDotsPerMeterX(5906); // 150 dpi
                image.setDotsPerMeterY(5906);
                image.fill(Qt::white);
                QPainter onImage(&image);
                paintChannelPage(onImage, channelTable(form.image, language), language, 1);
                onImage.end();
                QVERIFY(image.save(keep + u"/printout-"_s + code + u".png"_s));
            }
        }
    }

    // A row holds a line of Chinese text (the fallback font is taller than the
    // grid's own), whether the grid measured its font itself or took the
    // height measured ahead on another thread at start-up.
    void rowsHoldChineseText()
    {
        const CMSFlexGrid measuredHere;
        CMSFlexGrid::measureFontAhead();
        const CMSFlexGrid measuredAhead;
        const int height = measuredHere.verticalHeader()->defaultSectionSize();
        QCOMPARE(measuredAhead.verticalHeader()->defaultSectionSize(), height);
        QCOMPARE(measuredAhead.horizontalHeader()->height(), measuredHere.horizontalHeader()->height());

        QTextLayout layout(u"频道名稱"_s, measuredHere.font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        QVERIFY(QFontMetrics(measuredHere.font()).height() < line.height()); // else the case proves nothing
        // At least two pixels above and below it; rows sized for Latin text
        // alone leave it one.
        QVERIFY2(height - line.height() >= 4, qPrintable(u"row %1, line %2"_s.arg(height).arg(line.height())));
    }

    // In every language the window shrinks to the form and no text of the
    // grid is wider than its column.
    void formFitsInEachLanguage()
    {
        const test::BackToEnglish english;
        for (const QString &code : {u"Eng"_s, u"Chs"_s, u"Cht"_s}) {
            QVERIFY(test::useLanguage(code));
            Form form{test::usedLanguage()};
            QVERIFY(form.show());
            QVERIFY(form.window.width() <= 800 && form.window.height() <= 600);
            QCOMPARE(form.grid->horizontalScrollBar()->maximum(), 0);
            for (int col = 0; col < 10; ++col) {
                for (int row : {0, 10, 12, 15}) {
                    const QString text = form.grid->GetTextMatrix(row, col);
                    const int width = int(form.grid->GetColWidth(col) / form.grid->twipsPerPixelX());
                    QVERIFY2(form.grid->fontMetrics().horizontalAdvance(text) < width, qPrintable(code + text));
                }
            }
            if (const QString keep = qEnvironmentVariable("KDW_SHOT_DIR"); !keep.isEmpty())
                QVERIFY(form.window.grab().save(keep + u"/mainwindow-"_s + code + u".png"_s));
        }
    }
};

QTEST_MAIN(TestChannelView)
#include "tst_channelview.moc"
