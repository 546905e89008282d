// Many cells at once: a value into the selected cells of a column, Fill Down
// and Fill Frequencies. The rules are the core's; this file reads the
// selection and the open editor, and records the change as one step.

#include "core/channels/channelfill.h"
#include "core/channels/channeltablemodel.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/messagebox.h"
#include "gui/grid/fillfrequenciesdlg.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>

#include <algorithm>

namespace kdw {

using namespace Qt::StringLiterals;

namespace {

constexpr LocalisedText AndMore{u"%1 (and %2 more)", u"%1（另有 %2 处）", u"%1（另有 %2 處）"};
constexpr LocalisedText NothingBelow{u"Fill Down: select the cells below the top one as well.",
                                     u"向下填充：请同时选择顶部单元格下方的单元格。",
                                     u"向下填充：請同時選擇頂部儲存格下方的儲存格。"};
constexpr LocalisedText FrequenciesFilled{u"The frequencies were filled.", u"已填充这些频率。", u"已填充這些頻率。"};

// The value an editor would commit; none for a list with no item chosen.
std::optional<QString> editorValue(QWidget *editor)
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
        return edit->text();
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo || combo->currentIndex() < 0)
        return std::nullopt;
    return combo->currentText();
}

} // namespace

QList<ChannelCell> CProgramView::selectedCells() const
{
    QList<ChannelCell> cells;
    for (const QModelIndex &index : m_grid->selectionModel()->selectedIndexes())
        cells.append({index.row() + 1, ChannelField(index.column())});
    const ChannelCell current{int(m_grid->GetRow()), ChannelField(m_grid->GetCol() - 1)};
    if (std::none_of(cells.begin(), cells.end(), [&current](const ChannelCell &cell) {
            return cell.channel == current.channel && cell.field == current.field;
        }))
        cells.append(current);
    return cells;
}

void CProgramView::commitFilledTable(const ChannelTable &filled, const QList<ChannelFrequencyChange> &changes)
{
    (void)m_table.commitTable(filled);
    if (changes.isEmpty())
        return;
    const Language language = m_doc.language();
    QString text = channelChangeText(changes.first().channel, changes.first().change, language);
    if (changes.size() > 1)
        text = AndMore.text(language).arg(text).arg(changes.size() - 1);
    showStatus(text);
}

void CProgramView::OnSetSelectedCells()
{
    QWidget *editor = openEditorWidget();
    if (!editor) {
        // From the menu: the value is typed first, then given again.
        openEditor();
        return;
    }
    const auto field = ChannelField(m_grid->GetCol() - 1);
    const std::optional<QString> value = editorValue(editor);
    discardEditor(editor);
    if (!value)
        return;
    QList<int> channels;
    for (const ChannelCell &cell : selectedCells()) {
        if (cell.field == field)
            channels.append(cell.channel);
    }
    ChannelTable table = m_table.table();
    const auto changes = setCells(table, channels, field, *value, frequencyRange(), m_doc.language());
    commitFilledTable(table, changes);
}

void CProgramView::OnFillDown()
{
    commitOpenEditor();
    const QList<ChannelCell> cells = selectedCells();
    const bool oneRow = std::all_of(cells.begin(), cells.end(), [&cells](const ChannelCell &cell) {
        return cell.channel == cells.first().channel;
    });
    if (oneRow) {
        showStatus(NothingBelow.text(m_doc.language()));
        return;
    }
    ChannelTable table = m_table.table();
    const auto changes = fillDown(table, cells, frequencyRange(), m_doc.language());
    commitFilledTable(table, changes);
}

void CProgramView::OnFillFrequencies()
{
    commitOpenEditor();
    QList<int> channels;
    for (const ChannelCell &cell : selectedCells()) {
        if (!channels.contains(cell.channel))
            channels.append(cell.channel);
    }
    const Language language = m_doc.language();
    CFillFrequenciesDlg dialog(this, m_table.table(), channels, frequencyRange(), language);
    if (dialog.exec() != QDialog::Accepted)
        return;
    commitFilledTable(dialog.filled(), {});
    if (dialog.changes().isEmpty())
        return;
    QStringList changes;
    for (const ChannelFrequencyChange &c : dialog.changes())
        changes.append(channelChangeText(c.channel, c.change, language));
    messageBox(this, FrequenciesFilled.text(language) + u"\n\n"_s + frequencyChangesReport(changes, language),
               QMessageBox::Information);
}

void CProgramView::showSelection()
{
    // Over more than one row, always; otherwise by the label-column rule.
    if (m_grid->GetHighLight() == 1 || selectionSpansRows())
        applyHighLightRule();
}

bool CProgramView::selectionSpansRows() const
{
    const QItemSelection selection = m_grid->selectionModel()->selection();
    return std::any_of(selection.begin(), selection.end(), [&selection](const QItemSelectionRange &range) {
        return range.top() != range.bottom() || range.top() != selection.first().top();
    });
}

} // namespace kdw
