#include "gui/grid/celleditordelegate.h"

#include "core/channels/channeltexts.h"
#include "core/channels/tonelist.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace kdw {

namespace {

// A list joins the letters typed into it in quick succession into one search.
// The lists serve cell after cell: the search starts afresh at each opening,
// or "o" for Busy Lock and "l" typed next for Power search for "ol".
void restartKeyboardSearch(QComboBox *combo)
{
    QAbstractItemView *view = combo->view();
    view->keyboardSearch(QString());
    view->setCurrentIndex(combo->model()->index(combo->currentIndex(), combo->modelColumn()));
}

} // namespace

CellEditorDelegate::CellEditorDelegate(CMSFlexGrid *grid, const Editors &editors, Language language)
    : CMSFlexGrid::CellDelegate(grid)
    , m_grid(grid)
    , m_editors(editors)
    , m_language(language)
{
}

QWidget *CellEditorDelegate::createEditor(QWidget *, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    switch (ChannelField(index.column())) {
    case RxFreqField:
    case TxFreqField: return m_editors.frequency;
    case RxToneField:
    case TxToneField: return m_editors.tone;
    case NameField: return m_editors.name;
    default: return m_editors.choice;
    }
}

void CellEditorDelegate::destroyEditor(QWidget *editor, const QModelIndex &) const
{
    // The form's control: hidden (the grid has hidden it), kept for the next cell.
    editor->hide();
}

void CellEditorDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(text);
        edit->selectAll();
        return;
    }
    auto *combo = static_cast<QComboBox *>(editor);
    if (combo == m_editors.tone) {
        if (combo->count() == 0) // the language current when the view was made
            combo->addItems(toneList(m_language));
    } else {
        combo->clear();
        combo->addItems(choiceItems(ChannelField(index.column()), m_language));
    }
    combo->setCurrentIndex(combo->findText(text, Qt::MatchStartsWith));
    restartKeyboardSearch(combo);
}

void CellEditorDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
    emit const_cast<CellEditorDelegate *>(this)->commitRequested(editor, index);
}

void CellEditorDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                              const QModelIndex &) const
{
    // Inside the cell's lines at its top left, over the lines at its right
    // and bottom, as the form has always placed it; in the form's coordinates.
    const QRect cell = option.rect.adjusted(1, 1, 2, 2);
    const QWidget *viewport = m_grid->viewport();
    const QWidget *form = editor->parentWidget();
    editor->setGeometry(QRect(viewport->mapTo(form, cell.topLeft()), cell.size()));
    editor->raise();
}

void CellEditorDelegate::release(QWidget *editor)
{
    editor->hide();
    emit closeEditor(editor, NoHint);
}

bool CellEditorDelegate::eventFilter(QObject *, QEvent *)
{
    return false;
}

} // namespace kdw
