// What assistive technology and the keyboard get from the windows: every
// control a user can reach has a name in the running language, no two
// commands of a menu or controls of a dialog share a mnemonic letter, and the
// channel grid speaks its cells and selects rows from the keyboard.
#include "core/program/globals.h"
#include "gui/frame/commandids.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "guitest.h"
#include "modal.h"
#include "showndialog.h"
#include "uselanguage.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QScopeGuard>
#include <QTest>

#include <functional>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

const QList<QAccessible::Role> &controlRoles()
{
    static const QList<QAccessible::Role> roles{
        QAccessible::PushButton,     QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::EditableText,   QAccessible::SpinBox,  QAccessible::Slider,      QAccessible::ProgressBar,
        QAccessible::Table,          QAccessible::List,     QAccessible::Tree,        QAccessible::ButtonMenu,
        QAccessible::ButtonDropDown, QAccessible::PageTab,  QAccessible::MenuItem};
    return roles;
}

QString describe(QAccessibleInterface *iface)
{
    const QObject *object = iface->object();
    QString name = object ? object->objectName() : QString();
    if (name.isEmpty() && object)
        name = QString::fromLatin1(object->metaObject()->className());
    return u"%1 (role %2)"_s.arg(name).arg(int(iface->role()));
}

// What a screen reader says a control is. A list's name on Linux is its
// current item, so there it is the label that names it (or a name of its own).
QString nameOf(QAccessibleInterface *iface)
{
    if (iface->role() != QAccessible::ComboBox)
        return iface->text(QAccessible::Name);
    if (const auto *widget = qobject_cast<const QWidget *>(iface->object());
        widget && !widget->accessibleName().isEmpty())
        return widget->accessibleName();
    const auto labels = iface->relations(QAccessible::Labelled);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

// The controls under `iface` a user can reach (shown, and enabled or able to
// take the focus) whose accessible name is empty, or the same as another's:
// a name that does not tell two controls apart names neither. A table's
// cells are not walked: its name and headers speak for it.
void collectUnnamed(QAccessibleInterface *iface, QStringList &unnamed, QMultiHash<QString, QString> &names)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child)
            continue;
        const QAccessible::State state = child->state();
        if (state.invisible || state.offscreen)
            continue;
        const bool control = controlRoles().contains(child->role()) || state.focusable;
        if (control && (!state.disabled || state.focusable)) {
            const QString name = nameOf(child).trimmed();
            if (name.isEmpty())
                unnamed << describe(child);
            else
                names.insert(name, describe(child));
        }
        if (child->role() != QAccessible::Table)
            collectUnnamed(child, unnamed, names);
    }
}

// What is wrong with the names of a window's controls, one line each.
QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window);
    if (!iface)
        return {u"no accessible interface"_s};
    if (iface->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << u"the window itself"_s;
    QMultiHash<QString, QString> names;
    collectUnnamed(iface, unnamed, names);
    for (const QString &name : names.uniqueKeys()) {
        if (names.count(name) > 1)
            unnamed << u"\"%1\" names %2"_s.arg(name, names.values(name).join(u" and "_s));
    }
    return unnamed;
}

// The mnemonic letter of a text ("&File", "文件(&F)"), lower case; none for
// "&&" or a text without one.
QChar mnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Texts that share a letter, as "f: &File, &Format".
QStringList collisions(const QStringList &texts)
{
    QMap<QChar, QStringList> byLetter;
    for (const QString &text : texts) {
        if (const QChar letter = mnemonicOf(text); !letter.isNull())
            byLetter[letter] << text;
    }
    QStringList found;
    for (auto it = byLetter.cbegin(); it != byLetter.cend(); ++it) {
        if (it->size() > 1)
            found << u"%1: %2"_s.arg(it.key(), it->join(u", "_s));
    }
    return found;
}

// The texts of a window's own mnemonics: buttons, group boxes and the
// labels that lead to a control.
QStringList dialogMnemonicTexts(QWidget *window)
{
    QStringList texts;
    for (auto *button : window->findChildren<QAbstractButton *>())
        texts << button->text();
    for (auto *box : window->findChildren<QGroupBox *>())
        texts << box->title();
    for (auto *label : window->findChildren<QLabel *>()) {
        if (label->buddy())
            texts << label->text();
    }
    return texts;
}

// The items of a menu bar or menu that share a letter, and so on down each
// submenu, by the path of titles.
void menuCollisions(const QList<QAction *> &actions, const QString &path, QStringList &found)
{
    QStringList texts;
    for (QAction *action : actions) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        texts << action->text();
        if (action->menu())
            menuCollisions(action->menu()->actions(), path + u" > "_s + action->text(), found);
    }
    for (const QString &collision : collisions(texts))
        found << path + u": "_s + collision;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(test::useLanguage(u"Eng"_s)); }

    // Every control of every dialog a user can reach has a name: the label
    // beside it or its caption, in each language; and no two buttons or
    // labelled controls of a dialog share a mnemonic.
    void dialogsNameTheirControls_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<test::Dialog>("which");
        const std::pair<const char *, const char *> languages[]
            = {{"English", "Eng"}, {"Simplified", "Chs"}, {"Traditional", "Cht"}};
        for (const auto &[languageName, code] : languages) {
            for (const auto &[dialogName, which] : test::dialogs())
                QTest::addRow("%s, %s", dialogName, languageName) << QString::fromLatin1(code) << which;
        }
    }
    void dialogsNameTheirControls()
    {
        QFETCH(QString, language);
        QFETCH(test::Dialog, which);
        const test::BackToEnglish english;
        QVERIFY(test::useLanguage(language));
        test::ShownDialog shown;
        QVERIFY(shown.open(which, test::usedLanguage()));
        const QStringList unnamed = unnamedControls(shown.dialog.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(u"without a name: "_s + unnamed.join(u"; "_s)));
        const QStringList found = collisions(dialogMnemonicTexts(shown.dialog.get()));
        QVERIFY2(found.isEmpty(), qPrintable(u"mnemonics shared: "_s + found.join(u"; "_s)));
    }

    // The main window (menus, tool bar, form, status bar) in each language,
    // on the factory channels: a grid cell is announced with its channel and
    // column, and has the row label and the column title as its headers; every
    // reachable control is named; no mnemonic is shared within the menu bar or
    // within a menu.
    void mainWindow_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("columnHeader");
        QTest::newRow("English") << "Eng"_ba << 5 << 1 << u"Channel 5, Rx Freq, 418.00000"_s << u"Rx Freq"_s;
        QTest::newRow("Simplified") << "Chs"_ba << 6 << 6 << u"信道 6，功率，低"_s << u"功率"_s;
        QTest::newRow("Traditional") << "Cht"_ba << 4 << 5 << u"信道 4，繁忙鎖定，載波"_s << u"繁忙鎖定"_s;
        QTest::newRow("empty cell") << "Eng"_ba << 99 << 9 << u"Channel 99, Name"_s << u"Name"_s;
    }
    void mainWindow()
    {
        QFETCH(QByteArray, language);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, name);
        QFETCH(QString, columnHeader);
        test::Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\n");
        QVERIFY(program.startOnFactoryChannels());
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(program.app.view()->grid());
        QVERIFY(grid && grid->tableInterface());
        QAccessibleInterface *cell = grid->tableInterface()->cellAt(row - 1, col - 1);
        QVERIFY(cell && cell->tableCellInterface());
        QCOMPARE(cell->text(QAccessible::Name), name);
        const QList<QAccessibleInterface *> rowHeaders = cell->tableCellInterface()->rowHeaderCells();
        const QList<QAccessibleInterface *> columnHeaders = cell->tableCellInterface()->columnHeaderCells();
        // Header cells are handed to the caller unregistered: register them
        // with the cache, which deletes them when the test is done with them.
        const auto release = qScopeGuard([&] {
            for (QAccessibleInterface *header : rowHeaders + columnHeaders)
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(header));
        });
        QCOMPARE(rowHeaders.size(), 1);
        QCOMPARE(columnHeaders.size(), 1);
        QCOMPARE(rowHeaders.first()->text(QAccessible::Name), QString::number(row));
        QCOMPARE(columnHeaders.first()->text(QAccessible::Name), columnHeader);
        CMainFrame *frame = program.app.mainFrame(); // shown and active
        program.action(cmd::EditFind)->trigger();    // the find bar's controls too
        const QStringList unnamed = unnamedControls(frame);
        QVERIFY2(unnamed.isEmpty(), qPrintable(u"without a name: "_s + unnamed.join(u"; "_s)));

        QStringList found;
        menuCollisions(frame->menuBar()->actions(), u"menu bar"_s, found);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u"; "_s)));

        // The toolkit's print preview, as File > Print Preview opens it.
        QStringList preview{u"not shown"_s};
        const auto seen = test::whenModal<QPrintPreviewDialog>([&preview](QPrintPreviewDialog *dialog) {
            preview = unnamedControls(dialog);
            dialog->reject();
        });
        program.action(cmd::FilePrintPreview)->trigger();
        QVERIFY(*seen);
        QVERIFY2(preview.isEmpty(), qPrintable(u"print preview, without a name: "_s + preview.join(u"; "_s)));
    }

    // Shift+Space on a cell selects its row whole, as in a spreadsheet,
    // instead of typing a space into the cell.
    void shiftSpaceSelectsTheRow()
    {
        test::Program program;
        QVERIFY(program.startOnFactoryChannels());
        CProgramView *view = program.app.view();
        CMSFlexGrid *grid = view->grid();
        grid->setFocus();
        grid->SetRow(7);
        grid->SetCol(3);
        QTest::keyClick(grid, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(view->openEditorWidget(), nullptr);
        QCOMPARE(view->selectedChannels(), QList<int>{7});
        QVERIFY(view->hasRowSelection());
        QCOMPARE(grid->GetTextMatrix(7, 3), u"100.0"_s);
        QCOMPARE(grid->GetRow(), 7L);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
