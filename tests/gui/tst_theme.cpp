// View > Theme: the choice kept in Program.ini and applied at once, and every
// text readable in the program's dark and light colours, on the main window
// and on the dialogs, enabled or not.
#include "core/program/startup.h"
#include "core/text/inifile.h"
#include "gui/frame/apptheme.h"
#include "gui/frame/commandids.h"
#include "gui/frame/mainframe.h"
#include "gui/frame/toolbarart.h"
#include "gui/grid/msflexgrid.h"
#include "guitest.h"
#include "showndialog.h"

#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

using namespace kdw;
using namespace Qt::StringLiterals;
using kdw::test::Program;

namespace {

constexpr int ThemeItems[] = {cmd::ThemeSystem, cmd::ThemeLight, cmd::ThemeDark};

double luminance(const QColor &colour)
{
    const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// Normal text needs 4.5:1 to be read with ease; the grey of a disabled
// control may be fainter, but no less than 3:1.
constexpr double ReadableText = 4.5;
constexpr double ReadableDisabledText = 3.0;

QString describe(const QWidget *widget)
{
    return QString::fromLatin1(widget->metaObject()->className()) + u' ' + widget->objectName();
}

// Every text colour of a shown widget against the background it is drawn on,
// in the colour group the widget paints with; and every grid cell coloured
// on its own. Returns the pairs too faint to read, one a line.
QString unreadableTexts(QWidget *top)
{
    using Role = QPalette::ColorRole;
    const std::pair<Role, Role> pairs[] = {{QPalette::WindowText, QPalette::Window},
                                           {QPalette::ButtonText, QPalette::Button},
                                           {QPalette::Text, QPalette::Base},
                                           {QPalette::Text, QPalette::AlternateBase},
                                           {QPalette::HighlightedText, QPalette::Highlight},
                                           {QPalette::ToolTipText, QPalette::ToolTipBase}};
    QStringList found;
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *widget : std::as_const(widgets)) {
        if (!widget->isVisible())
            continue;
        const QPalette palette = widget->palette();
        const bool enabled = widget->isEnabled();
        const double least = enabled ? ReadableText : ReadableDisabledText;
        const auto groups = enabled ? QList{QPalette::Active, QPalette::Inactive} : QList{QPalette::Disabled};
        for (auto group : groups) {
            for (const auto &[text, back] : pairs) {
                const double ratio = contrast(palette.color(group, text), palette.color(group, back));
                if (ratio < least)
                    found.append(u"%1: roles %2 on %3 in group %4, %5:1"_s.arg(describe(widget))
                                     .arg(text)
                                     .arg(back)
                                     .arg(group)
                                     .arg(ratio, 0, 'f', 2));
            }
        }
        if (auto *table = qobject_cast<QTableWidget *>(widget)) {
            for (int row = 0; row < table->rowCount(); ++row) {
                for (int col = 0; col < table->columnCount(); ++col) {
                    const QTableWidgetItem *cell = table->item(row, col);
                    if (!cell
                        || (cell->foreground().style() == Qt::NoBrush && cell->background().style() == Qt::NoBrush))
                        continue;
                    const QColor text = cell->foreground().style() == Qt::NoBrush ? palette.color(QPalette::Text)
                                                                                  : cell->foreground().color();
                    const QColor back = cell->background().style() == Qt::NoBrush ? palette.color(QPalette::Base)
                                                                                  : cell->background().color();
                    if (contrast(text, back) < ReadableText)
                        found.append(u"%1: cell %2,%3"_s.arg(describe(widget)).arg(row).arg(col));
                }
            }
        }
    }
    return found.join(u'\n');
}

// The strongest contrast of any pixel drawn in `image` with `background`.
double strongestContrast(const QImage &image, const QColor &background)
{
    double strongest = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() > 0)
                strongest = qMax(strongest, contrast(image.pixelColor(x, y), background));
        }
    }
    return strongest;
}

} // namespace

class TestTheme : public QObject
{
    Q_OBJECT

private:
    QPalette m_desktop; // the palette the platform gave before any theme

private slots:
    void initTestCase() { m_desktop = QApplication::palette(); }
    // Each test starts on the desktop's look, whatever the last one chose.
    void cleanup() { applyTheme(Theme::System); }

    // The kept theme is checked and applied at start; a choice from the menu
    // is applied at once and kept for the next start. A value the program does
    // not know is the desktop's look.
    void choiceKeptInProgramIni_data()
    {
        QTest::addColumn<QByteArray>("kept"); // Program.ini's Theme line
        QTest::addColumn<int>("atStart");     // the item checked at start
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QByteArray>("stored");

        const int system = cmd::ThemeSystem, light = cmd::ThemeLight, dark = cmd::ThemeDark;
        QTest::newRow("none kept, Dark chosen") << QByteArray() << system << dark << "Theme=Dark"_ba;
        QTest::newRow("Dark kept, Light chosen") << "Theme=Dark\n"_ba << dark << light << "Theme=Light"_ba;
        QTest::newRow("Light kept, System chosen") << "Theme=Light\n"_ba << light << system << "Theme=System"_ba;
        QTest::newRow("other case and spaces") << "Theme= dARK \n"_ba << dark << system << "Theme=System"_ba;
        QTest::newRow("odd value falls back to System") << "Theme=Blue\n"_ba << system << light << "Theme=Light"_ba;
        QTest::newRow("empty value falls back to System") << "Theme=\n"_ba << system << dark << "Theme=Dark"_ba;
    }
    void choiceKeptInProgramIni()
    {
        QFETCH(QByteArray, kept);
        QFETCH(int, atStart);
        QFETCH(int, chosen);
        QFETCH(QByteArray, stored);
        const auto paletteOf = [this](int item) {
            return item == cmd::ThemeDark ? darkPalette() : item == cmd::ThemeLight ? lightPalette() : m_desktop;
        };
        const auto checkedItem = [](const Program &program) { // -1: none, or more than one
            QList<int> checked;
            for (int id : ThemeItems) {
                if (program.action(id)->isChecked())
                    checked << id;
            }
            return checked.size() == 1 ? checked.first() : -1;
        };

        QByteArray ini;
        {
            Program program("[Setup]\nLanguage=Eng\nCOM=COM1\n" + kept);
            QVERIFY(program.start());
            CMainFrame &frame = *program.app.mainFrame();
            QCOMPARE(checkedItem(program), atStart);
            QCOMPARE(frame.palette().color(QPalette::Window), paletteOf(atStart).color(QPalette::Window));

            program.action(chosen)->trigger();
            QCOMPARE(checkedItem(program), chosen);
            // At once, on the window that is open and its grid.
            for (QWidget *widget :
                 {static_cast<QWidget *>(&frame), static_cast<QWidget *>(frame.findChild<CMSFlexGrid *>())}) {
                QVERIFY(widget);
                for (auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text})
                    QTRY_COMPARE(widget->palette().color(role), paletteOf(chosen).color(role));
            }
            QCOMPARE(program.app.ExitInstance(0), 0);
            ini = program.dir.read(u"Program.ini"_s);
            QVERIFY2(ini.contains(stored + '\n'), ini.constData());
            QCOMPARE(ini.count("Theme="), 1);
        }
        applyTheme(Theme::System);
        Program next(ini);
        QVERIFY(next.start());
        QCOMPARE(checkedItem(next), chosen);
        QCOMPARE(next.app.mainFrame()->palette().color(QPalette::Window), paletteOf(chosen).color(QPalette::Window));
    }

    // The theme chosen while the program runs, with channels selected in the
    // grid: the main window and every dialog read well, greyed controls
    // included.
    void textsReadable_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("item");
        for (const char *language : {"Eng", "Chs", "Cht"}) {
            QTest::addRow("Dark, %s", language) << QByteArray(language) << int(cmd::ThemeDark);
            QTest::addRow("Light, %s", language) << QByteArray(language) << int(cmd::ThemeLight);
        }
    }
    void textsReadable()
    {
        QFETCH(QByteArray, language);
        QFETCH(int, item);
        Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\n");
        QVERIFY(program.start());
        CMainFrame &frame = *program.app.mainFrame();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        auto *grid = frame.findChild<CMSFlexGrid *>();
        QVERIFY(grid);
        test::clickRowLabel(*grid, 3);
        test::clickRowLabel(*grid, 5, Qt::ShiftModifier);
        QVERIFY(grid->hasFocus());

        program.action(item)->trigger();
        const bool dark = item == cmd::ThemeDark;
        // Open windows take a new palette as the event loop runs.
        const QPalette chosen = dark ? darkPalette() : lightPalette();
        for (auto role : {QPalette::Window, QPalette::Highlight})
            QTRY_COMPARE(frame.palette().color(role), chosen.color(role));
        QTRY_COMPARE(grid->palette().color(QPalette::Base), chosen.color(QPalette::Base));
        QCOMPARE(luminance(frame.palette().color(QPalette::Window)) < 0.2, dark);
        QCOMPARE(unreadableTexts(&frame), QString());
        // Every toolbar image has strokes that stand out from the toolbar, 3:1
        // as for any graphic a user must make out.
        const QColor toolbar = frame.toolBar()->palette().color(QPalette::Window);
        for (QAction *button : frame.toolBar()->actions()) {
            if (button->isSeparator())
                continue;
            const QImage image = button->icon().pixmap(ToolbarImageSize).toImage();
            QVERIFY2(strongestContrast(image, toolbar) >= 3.0, qPrintable(button->text()));
        }

        // Every dialog, as its command builds it, in the running language.
        for (const auto &[name, which] : test::dialogs()) {
            test::ShownDialog shown;
            QVERIFY2(shown.open(which, languageOfIniText(QString::fromLatin1(language))), name);
            const QString faint = unreadableTexts(shown.dialog.get());
            QVERIFY2(faint.isEmpty(), qPrintable(QString::fromLatin1(name) + u": "_s + faint));
        }
    }

    // In either theme, from the start: each control of the form shows the
    // focus when it has it, the unchecked radio buttons and the close
    // buttons' crosses stand out 3:1 from the window. KDW_SCREENSHOTS=<folder>
    // keeps the pictures.
    void marksStandOut_data()
    {
        QTest::addColumn<int>("item");
        QTest::newRow("Dark") << int(cmd::ThemeDark);
        QTest::newRow("Light") << int(cmd::ThemeLight);
    }
    void marksStandOut()
    {
        QFETCH(int, item);
        const QString keep = qEnvironmentVariable("KDW_SCREENSHOTS");
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).toLower();
        Program program;
        QVERIFY(program.start());
        program.action(item)->trigger();
        CMainFrame &frame = *program.app.mainFrame();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        const QColor window = frame.palette().color(QPalette::Window);
        auto *grid = frame.findChild<CMSFlexGrid *>();
        for (QWidget *control : frame.centralWidget()->findChildren<QWidget *>()) {
            if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus || control == grid
                || grid->isAncestorOf(control))
                continue;
            grid->setFocus();
            const QImage without = control->grab().toImage();
            control->setFocus();
            QVERIFY(control->hasFocus());
            QVERIFY2(control->grab().toImage() != without, qPrintable(describe(control)));
        }
        program.action(cmd::EditFind)->trigger();
        auto *close = frame.findChild<QToolButton *>(u"findClose"_s);
        QVERIFY(close && close->isVisible());
        QVERIFY(strongestContrast(close->icon().pixmap(16).toImage(), window) >= 3.0);
        if (!keep.isEmpty())
            QVERIFY(frame.grab().save(keep + u"/window-"_s + tag + u".png"_s));

        test::ShownDialog shown;
        QVERIFY(shown.open(test::Dialog::Batch, Language::Eng));
        const QList<QRadioButton *> radios = shown.dialog->findChildren<QRadioButton *>();
        QVERIFY(!radios.isEmpty());
        for (QRadioButton *radio : radios) {
            QStyleOptionButton option;
            option.initFrom(radio);
            option.state |= radio->isChecked() ? QStyle::State_On : QStyle::State_Off;
            const QRect mark = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
            QVERIFY2(strongestContrast(radio->grab(mark).toImage(), window) >= 3.0, qPrintable(radio->text()));
        }
        if (!keep.isEmpty())
            QVERIFY(shown.dialog->grab().save(keep + u"/several-radios-"_s + tag + u".png"_s));
    }
};

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"
