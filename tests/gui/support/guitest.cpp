#include "guitest.h"

#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeySequence>
#include <QTableWidget>
#include <QTest>

namespace kdw::test {

namespace {
// Qt's own file dialogs, which the tests fill in: Windows' native ones run
// a message loop of their own that the tests cannot reach.
[[maybe_unused]] const bool QtFileDialogs = [] {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    return true;
}();
} // namespace

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

void clickRowLabel(CMSFlexGrid &grid, int row, Qt::KeyboardModifiers modifiers)
{
    grid.scrollTo(grid.model()->index(row - 1, 0));
    QHeaderView *labels = grid.verticalHeader();
    const int y = labels->sectionViewportPosition(row - 1) + labels->sectionSize(row - 1) / 2;
    QTest::mouseClick(labels->viewport(), Qt::LeftButton, modifiers, QPoint(labels->width() / 2, y));
}

void clickCell(CMSFlexGrid &grid, int row, int col)
{
    const QModelIndex cell = grid.model()->index(row - 1, col - 1);
    grid.scrollTo(cell);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell).center());
}

ChannelTable gridTexts(const CMSFlexGrid &grid)
{
    ChannelTable table;
    for (int row = 1; row <= region::ChannelCount; ++row) {
        for (int field = 0; field < ChannelFieldCount; ++field)
            table[std::size_t(row - 1)][std::size_t(field)] = grid.GetTextMatrix(row, field + 1);
    }
    return table;
}

QList<QStringList> tableTexts(const QTableWidget &table)
{
    QList<QStringList> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c)
            cells.append(table.item(r, c)->text());
        rows.append(cells);
    }
    return rows;
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), {});
}

void pressKeys(QWidget *window, const QString &keys)
{
    const auto focused = [window] {
        QWidget *focus = window->window()->focusWidget();
        return focus ? focus : window;
    };
    for (const QString &word : keys.split(u' ', Qt::SkipEmptyParts)) {
        if (word.startsWith(u'\'')) {
            for (QChar c : word.mid(1))
                typeText(focused(), c);
        } else {
            const QKeySequence key = QKeySequence::fromString(word, QKeySequence::PortableText);
            QVERIFY2(key.count() == 1, qPrintable(word));
            QTest::keyClick(focused(), key[0].key(), key[0].keyboardModifiers());
        }
        // The keys a window posts on, and those they post in turn.
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }
}

ProgramDir::ProgramDir(const QByteArray &ini, const QStringList &bundles)
{
    const QString built = QStringLiteral(KDW_PROGRAM_DIR "/");
    for (const auto &bundle : bundles) {
        const QString name = bundle + QStringLiteral(".dll");
        if (!QFile::copy(built + name, file(name)))
            qFatal("cannot copy the bundle %s", qPrintable(name));
    }
    if (!ini.isNull() && !write(QStringLiteral("Program.ini"), ini))
        return;
}

QString ProgramDir::path() const
{
    return m_dir.path() + u'/';
}

Program::Program(const QByteArray &ini, const QStringList &bundles)
    : dir(ini, bundles)
{
}

bool Program::start(const QString &file)
{
    return app.InitInstance(file.isEmpty() ? QStringList{QStringLiteral("Program")}
                                           : QStringList{QStringLiteral("Program"), dir.file(file)});
}

bool Program::startOnFactoryChannels()
{
    return dir.write(QStringLiteral("channels.sin"), factoryImage().bytes()) && start(QStringLiteral("channels.sin"))
           && QTest::qWaitForWindowActive(app.mainFrame());
}

QAction *Program::action(int id) const
{
    return app.mainFrame()->action(id);
}

MemoryImage Program::showImage(const MemoryImage &image)
{
    app.document()->image() = image;
    app.view()->gridLoad();
    app.view()->gridStore();
    return app.document()->image();
}

MessageRecorder::MessageRecorder()
{
    setMessageHook([this](const QString &text, QMessageBox::Icon, QMessageBox::StandardButtons buttons,
                          QMessageBox::StandardButton defaultButton) {
        texts.append(text);
        defaults.append(defaultButton);
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (defaultButton != QMessageBox::NoButton)
            return defaultButton;
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
    });
}

MessageRecorder::~MessageRecorder()
{
    setMessageHook({});
}

} // namespace kdw::test
