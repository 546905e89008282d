// In-place editing of the channel grid: the four hidden editors, where they
// are placed, how they commit, and the keyboard rules of the form.

#include "core/channels/cellcommit.h"
#include "core/channels/channelrows.h"
#include "core/channels/channeltablemodel.h"
#include "core/channels/tonelist.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "gui/frame/documenthistory.h"
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

// A list joins the letters typed into it in quick succession into one search.
// The lists serve cell after cell: the search starts afresh at each opening,
// or "o" for Busy Lock and "l" typed next for Power search for "ol".
void restartKeyboardSearch(QComboBox *combo)
{
    QAbstractItemView *view = combo->view();
    view->keyboardSearch(QString());
    view->setCurrentIndex(combo->model()->index(combo->currentIndex(), combo->modelColumn()));
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

QRect CProgramView::cellRectInForm(long row, long col) const
{
    // From the grid's twips, inside the cell's lines.
    const int tx = 1440 / qMax(1, m_form->logicalDpiX());
    const int ty = 1440 / qMax(1, m_form->logicalDpiY());
    const int x = int(m_grid->GetColPos(col) / tx);
    const int y = int(m_grid->GetRowPos(row) / ty);
    const int w = int(m_grid->GetColWidth(col) / tx) + 1;
    const int h = int(m_grid->GetRowHeight(row) / ty) + 1;
    const QPoint gridTopLeft = m_grid->geometry().topLeft() + QPoint(1, 1);
    return QRect(QPoint(x + 1, y + 1), QPoint(x + w - 1, y + h - 1)).translated(gridTopLeft);
}

QWidget *CProgramView::showEditorFor(long col, const QString &text)
{
    switch (col) {
    case 1:
    case 2:
    case 9: {
        QLineEdit *edit = col == 9 ? m_nameEdit : m_freqEdit;
        edit->show();
        edit->setText(text);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return edit;
    }
    case 3:
    case 4:
        if (m_toneCombo->count() == 0) // the language current when the view was made
            m_toneCombo->addItems(toneList(m_doc.language()));
        m_toneCombo->show();
        m_toneCombo->setCurrentIndex(m_toneCombo->findText(text, Qt::MatchStartsWith));
        restartKeyboardSearch(m_toneCombo);
        m_toneTyped.clear();
        m_toneCombo->setFocus(Qt::OtherFocusReason);
        return m_toneCombo;
    default:
        m_choiceCombo->clear();
        m_choiceCombo->addItems(choiceItems(ChannelField(col - 1), m_doc.language()));
        m_choiceCombo->setCurrentIndex(m_choiceCombo->findText(text, Qt::MatchStartsWith));
        restartKeyboardSearch(m_choiceCombo);
        m_choiceCombo->show();
        m_choiceCombo->setFocus(Qt::OtherFocusReason);
        return m_choiceCombo;
    }
}

void CProgramView::openEditor()
{
    const long row = m_grid->GetRow();
    const long col = editableCol(row);
    if (col == 0)
        return;
    // A partly visible cell scrolls into view first; scrolling later would
    // close the editor again.
    m_grid->scrollTo(m_grid->model()->index(int(row) - 1, int(col) - 1));
    const QRect cell = cellRectInForm(row, col);
    if (!m_grid->GetColIsVisible(col))
        return;
    QWidget *editor = showEditorFor(col, m_grid->GetTextMatrix(row, col));
    editor->setGeometry(cell);
    editor->raise();
}

void CProgramView::commitEditorText(QWidget *editor, long row, ChannelField field)
{
    const MemoryImage before = m_doc.image();
    const ChannelTexts old = m_table.row(int(row));
    std::optional<FrequencyChange> change;
    if (editor == m_freqEdit) {
        change = m_table.commitFrequency(int(row), field, m_freqEdit->text());
    } else if (editor == m_nameEdit) {
        m_table.commitChoice(int(row), field, m_nameEdit->text());
    } else {
        auto *combo = static_cast<QComboBox *>(editor);
        // A list left without a selection keeps the cell: a tone the list
        // does not hold (set by another tool) survives a look at it.
        if (combo->currentIndex() >= 0)
            m_table.commitChoice(int(row), field, combo->currentText());
        // The list's search stays on the item the first characters found: a
        // typed tone it does not hold (88.4) is said like a clamped frequency.
        if (combo == m_toneCombo && !m_toneTyped.isEmpty() && !m_table.row(int(row))[field].isEmpty()
            && !m_table.row(int(row))[field].startsWith(m_toneTyped, Qt::CaseInsensitive))
            change = FrequencyChange{field, m_toneTyped, m_table.row(int(row))[field]};
    }
    if (m_table.row(int(row)) != old) {
        storeChannelTexts(m_doc.image(), int(row), m_table.row(int(row)));
        history().record(before);
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
    editor->hide();
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
    editor->hide();
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
