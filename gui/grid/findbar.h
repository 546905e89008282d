#pragma once

#include "core/channels/channelfind.h"
#include "core/text/language.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace kdw {

class ChannelTableModel;
class CMSFlexGrid;

// Edit > Find: the bar under the channel grid. What is typed is looked for in
// the names, frequencies and tones of the channel table model as it is now,
// so the matches follow every edit; the grid's current cell moves to the
// first match at or after it, F3 and Shift+F3 (Enter and Shift+Enter in the
// bar) to the next and previous, wrapping. The count says "3 of 7" while the
// current cell is a match. Escape closes the bar and gives the grid the focus.
class CFindBar : public QWidget
{
    Q_OBJECT

public:
    CFindBar(ChannelTableModel &table, CMSFlexGrid &grid, Language language, QWidget *parent = nullptr);

    // Shows the bar with the text selected and the focus in it (Ctrl+F).
    void open();
    // The next and the previous match (F3, Shift+F3); with nothing to look
    // for they open the bar.
    void findNext();
    void findPrevious();
    void close();

    QLineEdit *lineEdit() const { return m_edit; }
    QString countText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The style's icons are looked up in the icon theme when the bar is first
    // shown: the lookup is the dearest step of start-up, for a hidden bar.
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The style's icons, taken again when the theme changes.
    void takeIcons();
    void search();
    void step(int direction);
    void showMatch(qsizetype index);
    void refresh();
    ChannelCell currentCell() const;

    ChannelTableModel &m_table;
    CMSFlexGrid &m_grid;
    Language m_language;
    QLineEdit *m_edit = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_close = nullptr;
    QLabel *m_count = nullptr;
    QAction *m_noMatch = nullptr; // the mark inside the line edit
    QList<ChannelCell> m_matches;
};

} // namespace kdw
