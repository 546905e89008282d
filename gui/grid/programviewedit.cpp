// In-place editing of the channel grid: the four hidden editors, where they
// are placed, how they commit, and the keyboard rules of the form.

#include "core/channels/cellcommit.h"
#include "core/channels/channelrows.h"
#include "core/channels/channeltablemodel.h"
#include "core/channels/tonelist.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "gui/frame/documenthistory.h"
#include "gui/grid/celleditordelegate.h"
#include "gui/grid/findbar.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace kdw {

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Ctrl+Home and Ctrl+End: to channel 1 and channel 99.
bool isChannelJump(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)
           && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

// The paste key with channel rows on the clipboard.
bool pastesRows(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Paste) && holdsChannelRows(QGuiApplication::clipboard()->text());
}

bool isDigit(int key)
{
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

// The keys the frequency editor lets through: editing keys, and digits and the
// decimal point, from the main keys only while Shift is up.
bool frequencyKeyAllowed(const QKeyEvent *event)
{
    const int key = event->key();
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right: return true;
    default: break;
    }
    if (!isDigit(key) && key != Qt::Key_Period)
        return false;
    if (event->modifiers() & Qt::KeypadModifier)
        return true;
    return !(event->modifiers() & Qt::ShiftModifier);
}

// Accepts exactly the texts one of the channel rules allows, so an editor
// and the other ways into the grid (the CSV import) share that rule.
class RuleValidator : public QValidator
{
public:
    RuleValidator(bool (*rule)(QStringView), QObject *parent)
        : QValidator(parent)
        , m_rule(rule)
    {
    }
    State validate(QString &input, int &) const override { return m_rule(input) ? Acceptable : Invalid; }

private:
    bool (*m_rule)(QStringView);
};

} // namespace

void CProgramView::setUpEditors()
{
    // Frequencies: digits and one decimal point; the key filter keeps letters
    // out, the validator also what arrives by pasting or an input method.
    m_freqEdit->setValidator(new RuleValidator(isTypableFrequency, m_freqEdit));
    // Names: the radio stores one byte per character, so printable ASCII only.
    m_nameEdit->setMaxLength(region::NameLength);
    m_nameEdit->setValidator(new RuleValidator(isTypableName, m_nameEdit));
    for (QLineEdit *edit : {m_freqEdit, m_nameEdit})
        edit->setContextMenuPolicy(Qt::NoContextMenu);
    for (QComboBox *combo : {m_toneCombo, m_choiceCombo})
        combo->setMaxVisibleItems(12);
    for (QWidget *editor : {static_cast<QWidget *>(m_freqEdit), static_cast<QWidget *>(m_toneCombo),
                            static_cast<QWidget *>(m_choiceCombo), static_cast<QWidget *>(m_nameEdit)}) {
        editor->hide();
        editor->installEventFilter(this);
    }
    m_grid->installEventFilter(this);
    m_grid->SetHighLight(0);

    // The grid's delegate hosts the editors over its cells.
    QAbstractItemDelegate *plain = m_grid->itemDelegate();
    m_cellEditors
        = new CellEditorDelegate(m_grid, {m_freqEdit, m_toneCombo, m_choiceCombo, m_nameEdit}, m_doc.language());
    m_grid->setItemDelegate(m_cellEditors);
    delete plain;
    // The grid moved its current cell on while an editor was open: the text
    // goes into the cell it was typed for; the grid closes the editor.
    connect(m_cellEditors, &CellEditorDelegate::commitRequested, this,
            [this](QWidget *editor, const QModelIndex &index) {
                if (!editor->isVisible() || m_committing)
                    return;
                m_committing = true;
                commitEditorText(editor, index.row() + 1, ChannelField(index.column()));
                m_committing = false;
            });

    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CProgramView::OnEnterCell);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CProgramView::OnMouseDown);
    connect(m_grid, &CMSFlexGrid::Scroll, this, &CProgramView::giveGridFocus);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CProgramView::showSelection);
}

QWidget *CProgramView::openEditorWidget() const
{
    for (QWidget *editor : {static_cast<QWidget *>(m_freqEdit), static_cast<QWidget *>(m_toneCombo),
                            static_cast<QWidget *>(m_choiceCombo), static_cast<QWidget *>(m_nameEdit)}) {
        if (editor->isVisible())
            return editor;
    }
    return nullptr;
}

long CProgramView::editableCol(long row)
{
    // On an empty channel only the Rx Freq cell can be edited. Already there,
    // the current cell stays put, and so does a selection made around it; a
    // selection of several rows that reaches the channel elsewhere (Shift+click)
    // stays too, with no editor.
    if (m_grid->GetTextMatrix(row, 1).isEmpty() && m_grid->GetCol() != 1) {
        if (selectionSpansRows())
            return 0;
        m_grid->SetCol(1);
    }
    const long col = m_grid->GetCol();
    return col >= 1 && col <= ChannelFieldCount ? col : 0;
}

void CProgramView::openEditor()
{
    const long row = m_grid->GetRow();
    const long col = editableCol(row);
    if (col == 0)
        return;
    // A partly visible cell scrolls into view first; scrolling later would
    // close the editor again.
    const QModelIndex cell = m_grid->model()->index(int(row) - 1, int(col) - 1);
    m_grid->scrollTo(cell);
    if (!m_grid->GetColIsVisible(col))
        return;
    // The delegate picks the column's editor, fills and places it.
    m_grid->edit(cell);
    m_toneTyped.clear();
}

void CProgramView::commitEditorText(QWidget *editor, long row, ChannelField field)
{
    // The model commits by the cell's rules into the image, one undo step.
    std::optional<FrequencyChange> change;
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        change = m_table.commit(int(row), field, edit->text());
    } else {
        auto *combo = static_cast<QComboBox *>(editor);
        // A list left without a selection keeps the cell: a tone the list
        // does not hold (set by another tool) survives a look at it.
        if (combo->currentIndex() >= 0)
            (void)m_table.commit(int(row), field, combo->currentText());
        // The list's search stays on the item the first characters found: a
        // typed tone it does not hold (88.4) is said like a clamped frequency.
        const QString cell = m_table.row(int(row))[field];
        if (combo == m_toneCombo && !m_toneTyped.isEmpty() && !cell.isEmpty()
            && !cell.startsWith(m_toneTyped, Qt::CaseInsensitive))
            change = FrequencyChange{field, m_toneTyped, cell};
    }
    // Clamp and snap are silent in the cell; the status bar says what they did.
    if (change)
        showStatus(channelChangeText(int(row), *change, m_doc.language()));
}

void CProgramView::commitEditor(QWidget *editor)
{
    // Nothing happens while the editor is hidden; hiding it below moves the
    // focus, which must not commit a second time.
    if (!editor->isVisible() || m_committing)
        return;
    m_committing = true;
    commitEditorText(editor, m_grid->GetRow(), ChannelField(m_grid->GetCol() - 1));
    if (editor->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    m_cellEditors->release(editor);
    m_committing = false;
}

void CProgramView::commitOpenEditor()
{
    if (QWidget *editor = openEditorWidget())
        commitEditor(editor);
}

bool CProgramView::leaveGridOnCtrlTab(QKeyEvent *event)
{
    const int key = event->key();
    if ((key != Qt::Key_Tab && key != Qt::Key_Backtab) || !(event->modifiers() & Qt::ControlModifier))
        return false;
    // Tab moves between cells; Ctrl+Tab and Ctrl+Shift+Tab leave the grid
    // for the next or the previous control, as in any Qt table.
    focusNextPrevChild(key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
    return true;
}

void CProgramView::giveGridFocus()
{
    // The focus change commits the editor; committing here as well makes it
    // happen even while the window is not active and no focus event arrives.
    commitOpenEditor();
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::sendGridKey(int key, Qt::KeyboardModifiers modifiers)
{
    // Sent, not posted: the cell has moved on before the next key typed is
    // handled, however soon it follows.
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(m_grid, &event);
}

void CProgramView::OnEnterCell()
{
    applyHighLightRule();
}

void CProgramView::OnMouseDown(short button, short, long, long)
{
    if (button != 1)
        return;
    applyHighLightRule();
    // A click on a row label selects the row; a click on a column title
    // (which selects nothing) opens no editor either.
    if (m_grid->GetMouseCol() > 0 && m_grid->GetMouseRow() > 0)
        openEditor();
}

void CProgramView::applyHighLightRule()
{
    // Over the label column a whole row is selected and shown; elsewhere the
    // selection is not painted, the editor shows the cell. A selection over
    // several rows is always shown: a fill or Ctrl+Enter changes those cells.
    const short wanted = selectionSpansRows() ? 1 : m_grid->GetMouseCol() == 0 ? 2 : 0;
    if (m_grid->GetHighLight() != wanted)
        m_grid->SetHighLight(wanted);
}

bool CProgramView::gridKey(QKeyEvent *event)
{
    const long row = m_grid->GetRow();
    const long col = m_grid->GetCol();
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // At the end of a row Right goes on to the start of the next, Left back
    // to the end of the one before. With Shift or Ctrl they keep to the row:
    // they extend the selection or move along it.
    if (plain && key == Qt::Key_Right && col == m_grid->GetCols() - 1 && row < m_grid->GetRows() - 1) {
        sendGridKey(Qt::Key_Home);
        sendGridKey(Qt::Key_Down);
        return true;
    }
    if (plain && key == Qt::Key_Left && col == 1 && row > 1) {
        sendGridKey(Qt::Key_End);
        sendGridKey(Qt::Key_Up);
        return true;
    }
    // Shift+Space selects the current row, as in a spreadsheet.
    if (key == Qt::Key_Space && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier) {
        selectChannels({int(row)});
        return true;
    }
    if (isEnter(key) || key == Qt::Key_F2) {
        openEditor();
        return true;
    } else if (leaveGridOnCtrlTab(event)) {
        return true;
    } else if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        // Tab moves between cells as Right and Left do, wrapping at the ends.
        sendGridKey(key == Qt::Key_Tab ? Qt::Key_Right : Qt::Key_Left);
        return true;
    }
    return typeIntoCell(event);
}

bool CProgramView::typeIntoCell(QKeyEvent *event)
{
    // A character typed on a cell opens its editor and goes into it: a digit
    // starts a frequency or a name, a letter picks a list item.
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    openEditor();
    QWidget *editor = openEditorWidget();
    if (!editor)
        return false;
    QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(), text);
    QCoreApplication::sendEvent(editor, &typed);
    return true;
}

void CProgramView::discardEditor(QWidget *editor)
{
    // Hidden first, so losing the focus commits nothing.
    m_cellEditors->release(editor);
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool CProgramView::keepsDeleteKey(QObject *watched) const
{
    // Del empties channels only while rows are selected whole; on a cell,
    // and in an editor, it keeps its own meaning.
    return watched != m_grid || !hasRowSelection();
}

bool CProgramView::editorKey(QWidget *editor, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        discardEditor(editor);
        return true;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        giveGridFocus();
        if (!leaveGridOnCtrlTab(event))
            sendGridKey(key == Qt::Key_Tab ? Qt::Key_Right : Qt::Key_Left);
        return true;
    }
    if (isChannelJump(event)) {
        giveGridFocus();
        sendGridKey(key, event->modifiers());
        return true;
    }
    if (editor == m_freqEdit) {
        if (isEnter(key)) {
            const bool empty = m_freqEdit->text().isEmpty();
            giveGridFocus();
            sendGridKey(empty ? Qt::Key_Down : Qt::Key_Right);
            return true;
        }
        return !frequencyKeyAllowed(event);
    }
    if (isEnter(key)) {
        giveGridFocus();
        sendGridKey(Qt::Key_Right);
        return true;
    }
    if (editor == m_toneCombo) {
        // Characters make the search; any other key picks by moving.
        const QString text = event->text();
        const bool typed = text.size() == 1 && text.at(0).isPrint()
                           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        m_toneTyped = typed ? m_toneTyped + text : QString();
    }
    return false;
}

bool CProgramView::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_form && event->type() == QEvent::Resize)
        || (watched == m_findBar && (event->type() == QEvent::Show || event->type() == QEvent::Hide))) {
        placeGrid();
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride && watched != m_form
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete
        && static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier && keepsDeleteKey(watched)) {
        event->accept();
        return true;
    }
    if (watched == m_factoryButton && event->type() == QEvent::Shortcut) {
        m_factoryButton->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (watched == m_grid) {
        if (event->type() == QEvent::KeyPress)
            return gridKey(static_cast<QKeyEvent *>(event));
        return QWidget::eventFilter(watched, event);
    }
    auto *editor = qobject_cast<QWidget *>(watched);
    if (!editor || (editor != m_freqEdit && editor != m_toneCombo && editor != m_choiceCombo && editor != m_nameEdit))
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Rows on the clipboard are pasted as rows, not into the cell: the
        // editor takes the key (below) from the menu's shortcut.
        if (pastesRows(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (pastesRows(static_cast<QKeyEvent *>(event))) {
            OnEditPaste(); // commits the editor first, as from the menu
            return true;
        }
        return editorKey(editor, static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut: {
        // A list's own drop-down and another window coming to the front
        // leave the editor open.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            commitEditor(editor);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (editor == m_toneCombo)
            m_toneTyped.clear(); // a pick from the drop-down
        // No context menu and no pasting by mouse into the text editors.
        if (qobject_cast<QLineEdit *>(editor) && static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return true;
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kdw
