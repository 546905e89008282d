#pragma once

#include "core/channels/channelcodec.h"
#include "core/channels/channelfill.h"
#include "core/channels/frequencyrules.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

class QComboBox;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace kdw {

class CellEditorDelegate;
class ChannelTableModel;
class CFindBar;
class CMSFlexGrid;
class CProgramDoc;
class DocumentCommands;
class DocumentHistory;

// The channel form (template 101) in the main window's client area. Its grid
// shows the channel table model over the document's image: the grid load
// sets the lists from the image after New, Open, Read and Default Factory;
// the grid store writes the lists and the channels as shown before Save, Save
// As, Read and Write. Cells are edited in place by the form's four hidden
// editors, which the grid's delegate places over the current cell.
class CProgramView : public QWidget
{
    Q_OBJECT

public:
    CProgramView(CProgramDoc &doc, DocumentCommands &commands, QWidget *parent = nullptr);
    ~CProgramView() override;

    CProgramDoc &document() { return m_doc; }
    DocumentHistory &history();
    CMSFlexGrid *grid() const { return m_grid; }
    ChannelTableModel &channelTable() const { return m_table; }
    // Edit > Find's bar under the grid.
    CFindBar *findBar() const { return m_findBar; }

    // Image -> lists and frequency range, every cell shown anew. An editor
    // left open is closed without writing: its text belongs to the content
    // replaced.
    void gridLoad();
    // An open editor commits, then lists and channels as shown -> image.
    void gridStore();

    void OnFileSave();
    void OnFileSaveAs();
    void OnHelp();
    void OnDefaultFactory();

    // Printing: the dialogs share one printer for the life of the view.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // The printer the print commands share, made on first use.
    QPrinter &printer();
    // File > Print Band Chart: a page with the band chart after the channel
    // table's two.
    void setPrintBandChart(bool on) { m_printBandChart = on; }
    int printedPageCount() const;

    // The bounds the frequency editor clamps to, units of 10 Hz.
    FrequencyRange frequencyRange() const;

    // The Edit menu (programviewrows.cpp). Each change is one undo step.
    void OnEditUndo();
    void OnEditRedo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();
    void OnEditSelectAll();
    void OnInsertChannel();
    // Edit > Delete Channel: the selected channels go and those below move up.
    void OnDeleteChannel();
    void OnMoveUp();
    void OnMoveDown();
    // Many cells at once (programviewfill.cpp), each one undo step: the open
    // editor's value into every selected cell of its column (with no editor
    // open, opens the current cell's), the top cell down its column, a run
    // of frequencies over the selected channels.
    void OnSetSelectedCells();
    void OnFillDown();
    void OnFillFrequencies();
    void OnSortChannels();

    // Runs `change` on the image, reloads the grid and records one step when
    // a byte changed; `change` returns false when it refused. An open editor
    // commits first.
    bool changeImage(const std::function<bool(MemoryImage &)> &change);
    // Commits an open editor, so the image holds what the grid shows.
    void commitOpenEditor();

    // A line in the main window's status bar, kept until the next one.
    void showStatus(const QString &text);

    // The channels whose rows are selected whole (by their labels), or the
    // channel of the current cell when no row is.
    QList<int> selectedChannels() const;
    // True when at least one row is selected whole.
    bool hasRowSelection() const;
    // Selects the rows of the channels whole, the first one current.
    void selectChannels(const QList<int> &channels);

    // Opens the editor of the grid's current cell (Enter, a click).
    void openEditor();
    // The editor shown over the grid, nullptr when none is.
    QWidget *openEditorWidget() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnInitialUpdate();
    void layoutGrid();
    // The tab order, the focus at start and Default Factory's access key.
    void setUpFocus();
    // The grid over the form's growth, and its margin when the find bar is shown.
    void placeGrid();
    void fitFrameToForm();
    void OnModelChanged();
    void OnFrequencyRangeChanged();
    void showListSelections();
    void discardOpenEditor();

    // Editing (programviewedit.cpp).
    void setUpEditors();
    bool editorKey(QWidget *editor, QKeyEvent *event);
    void discardEditor(QWidget *editor);
    bool typeIntoCell(QKeyEvent *event);
    bool keepsDeleteKey(QObject *watched) const;
    bool gridKey(QKeyEvent *event);
    // Ctrl+Tab, Ctrl+Shift+Tab: the focus to the next or previous control; false for other keys.
    bool leaveGridOnCtrlTab(QKeyEvent *event);
    void giveGridFocus();
    void commitEditor(QWidget *editor);
    void OnEnterCell();
    void OnMouseDown(short button, short shift, long x, long y);
    void applyHighLightRule();
    void sendGridKey(int key, Qt::KeyboardModifiers modifiers = {});
    // The cell openEditor edits: an empty channel's Rx Freq, col 0 when none.
    long editableCol(long row);
    // An editor's commit into the table and the image, one undo step.
    void commitEditorText(QWidget *editor, long row, ChannelField field);

    void printPages(QPrinter &printer, int from, int to);

    // The selected cells and the current one, by channel and field.
    QList<ChannelCell> selectedCells() const;
    // Rows of the table that differ from the model go into the image as one
    // undo step; the status bar says what clamp and snap did.
    void commitFilledTable(const ChannelTable &filled, const QList<ChannelFrequencyChange> &changes);
    // Selections over more than one row are shown even while an editor
    // has the focus: they are the cells a fill changes.
    void showSelection();
    bool selectionSpansRows() const;

    void moveSelection(int delta);

    CProgramDoc &m_doc;
    DocumentCommands &m_commands;
    ChannelTableModel &m_table;
    QWidget *m_form = nullptr;
    QLineEdit *m_nameEdit = nullptr;        // 1085
    QComboBox *m_comboModel = nullptr;      // 1017
    QComboBox *m_comboRange = nullptr;      // 1011
    QLineEdit *m_freqEdit = nullptr;        // 1082
    QComboBox *m_choiceCombo = nullptr;     // 1084
    QComboBox *m_toneCombo = nullptr;       // 1083
    QPushButton *m_factoryButton = nullptr; // 1068
    CMSFlexGrid *m_grid = nullptr;          // 1007
    CellEditorDelegate *m_cellEditors = nullptr;
    CFindBar *m_findBar = nullptr;
    QSize m_formSize; // of the template
    QRect m_gridRect; // in the template
    bool m_committing = false;
    // What was typed into the open tone list, to tell a typed tone it does not hold.
    QString m_toneTyped;
    bool m_frameFitted = false;
    bool m_printBandChart = false;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace kdw
