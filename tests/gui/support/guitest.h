#pragma once

#include "app/programapp.h"
#include "core/channels/channeltable.h"
#include "testbytes.h"
#include "testfiles.h"

#include <QByteArray>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>

class QAction;
class QComboBox;
class QTableWidget;
class QWidget;

namespace kdw {
class CMSFlexGrid;
}

namespace kdw::test {

// Types each character of `text` as a key whose event text is that
// character (QTest::keyClicks sends Latin-1 only).
void typeText(QWidget *widget, const QString &text);
// Keys written as words, each to the widget of `window`'s window that has the
// focus then: 'text types the text a character at a time, any other word is
// a key as QKeySequence names it ("F2", "Esc", "Return", "Enter" for the
// keypad's, "Shift+Backtab", "Ctrl+End").
void pressKeys(QWidget *window, const QString &keys);

// The texts of a list's items.
QStringList itemsOf(const QComboBox *combo);

// A click on the label of grid row `row`, scrolled into view; with Shift or
// Ctrl it extends the selection.
void clickRowLabel(CMSFlexGrid &grid, int row, Qt::KeyboardModifiers modifiers = {});
// A click on a cell, scrolled into view; rows and columns count from 1.
void clickCell(CMSFlexGrid &grid, int row, int col);
// What the grid shows for channels 1 to 99.
ChannelTable gridTexts(const CMSFlexGrid &grid);
// A table's texts, row by row.
QList<QStringList> tableTexts(const QTableWidget &table);

// A temporary program directory holding copies of the built language bundles
// and a Program.ini with the given content (none when `ini` is null).
class ProgramDir
{
public:
    static QStringList allBundles() { return {QStringLiteral("Eng"), QStringLiteral("Chs"), QStringLiteral("Cht")}; }
    explicit ProgramDir(const QByteArray &ini, const QStringList &bundles = allBundles());
    // With a trailing separator, as the program directory is held.
    QString path() const;
    QString file(const QString &name) const { return path() + name; }
    QByteArray read(const QString &name) const { return readFile(file(name)); }
    // Fails the running test when the file cannot be written.
    [[nodiscard]] bool write(const QString &name, const QByteArray &content) const
    {
        return writeFile(file(name), content);
    }

private:
    QTemporaryDir m_dir;
};

// The program in a program directory of its own: Program.ini in English
// with port COM1 unless given.
struct Program
{
    explicit Program(const QByteArray &ini = "[Setup]\nLanguage=Eng\nCOM=COM1\n",
                     const QStringList &bundles = ProgramDir::allBundles());
    // Starts as "Program [file]", the file in the program directory.
    bool start(const QString &file = {});
    // Starts on a copy of the build's factory channels (1 to 16 in use),
    // opened as channels.sin; true once the main window is active.
    bool startOnFactoryChannels();
    QAction *action(int id) const;
    // Puts `image` into the document and the grid, then runs the grid store
    // as Save, Read and Write do first; returns the image as the store leaves it.
    MemoryImage showImage(const MemoryImage &image);

    ProgramDir dir;
    CProgramApp app{dir.path()};
};

// Stands in for every message box while it lives: records the texts and
// default buttons, and answers with the queued answers; with none queued, as
// Enter would (the default button), else OK or Cancel.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();

    QStringList texts;
    QList<QMessageBox::StandardButton> defaults;
    QList<QMessageBox::StandardButton> answers;
};

} // namespace kdw::test
