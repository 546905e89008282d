// The Edit menu of the channel form: undo and redo, and channels as rows
// (copy, cut, paste, delete, insert, move). The row rules are the core's;
// this file moves selections and the clipboard.

#include "core/channels/channelrows.h"
#include "core/channels/channelsort.h"
#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/documenthistory.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "gui/grid/sortchannelsdlg.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>

#include <algorithm>

namespace kdw {

using namespace Qt::StringLiterals;

namespace {

constexpr LocalisedText PasteRefused{u"Nothing was pasted: %1", u"未粘贴任何内容：%1", u"未貼上任何內容：%1"};
constexpr LocalisedText Pasted{u"The rows were pasted.", u"已粘贴这些行。", u"已貼上這些行。"};
constexpr LocalisedText LastChannelNotEmpty{
    u"Channel 99 is not empty, so no channel can be inserted. Delete or move channel 99 first.",
    u"信道 99 不是空的，无法插入信道。请先删除或移动信道 99。",
    u"信道 99 不是空的，無法插入信道。請先刪除或移動信道 99。"};

} // namespace

bool CProgramView::changeImage(const std::function<bool(MemoryImage &)> &change)
{
    return m_commands.changeImage(change);
}

QList<int> CProgramView::selectedChannels() const
{
    QList<int> channels;
    for (const QModelIndex &index : m_grid->selectionModel()->selectedRows())
        channels.append(index.row() + 1);
    std::sort(channels.begin(), channels.end());
    if (channels.isEmpty())
        channels.append(int(m_grid->GetRow()));
    return channels;
}

bool CProgramView::hasRowSelection() const
{
    return !m_grid->selectionModel()->selectedRows().isEmpty();
}

void CProgramView::selectChannels(const QList<int> &channels)
{
    if (channels.isEmpty())
        return;
    QItemSelection selection;
    for (int channel : channels) {
        const QModelIndex first = m_grid->model()->index(channel - 1, 0);
        const QModelIndex last = m_grid->model()->index(channel - 1, m_grid->model()->columnCount() - 1);
        selection.select(first, last);
    }
    // Shown as a label-column selection is shown.
    m_grid->SetHighLight(2);
    m_grid->selectionModel()->setCurrentIndex(m_grid->model()->index(channels.first() - 1, int(m_grid->GetCol()) - 1),
                                              QItemSelectionModel::NoUpdate);
    m_grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CProgramView::OnEditUndo()
{
    commitOpenEditor();
    history().undo();
}

void CProgramView::OnEditRedo()
{
    commitOpenEditor();
    history().redo();
}

void CProgramView::OnEditCopy()
{
    commitOpenEditor();
    QApplication::clipboard()->setText(channelRowsText(m_doc.image(), selectedChannels(), m_doc.language()));
}

void CProgramView::OnEditCut()
{
    OnEditCopy();
    OnEditClear();
}

void CProgramView::OnEditClear()
{
    const QList<int> channels = selectedChannels();
    changeImage([&channels](MemoryImage &image) {
        emptyChannels(image, channels);
        return true;
    });
    selectChannels(channels);
}

void CProgramView::OnEditPaste()
{
    const QString text = QApplication::clipboard()->text();
    const int first = selectedChannels().first();
    PasteResult result;
    changeImage([&](MemoryImage &image) {
        result = pasteChannelRows(image, first, text, m_doc.language(), frequencyRange());
        return bool(result);
    });
    const Language language = m_doc.language();
    if (const auto &fault = result.fault) {
        messageBox(this, PasteRefused.text(language).arg(
                             lineFaultText(fault->line, fault->column, fault->rxFreqColumn, fault->message, language)));
        return;
    }
    selectChannels(result.channels);
    if (result.changes.isEmpty())
        return;
    QStringList changes;
    for (const PastedChange &pasted : result.changes)
        changes.append(channelChangeText(pasted.channel, pasted.change, language));
    messageBox(this, Pasted.text(language) + u"\n\n"_s + frequencyChangesReport(changes, language),
               QMessageBox::Information);
}

void CProgramView::OnEditSelectAll()
{
    commitOpenEditor();
    m_grid->SetHighLight(2);
    m_grid->selectAll();
}

void CProgramView::OnInsertChannel()
{
    const int at = selectedChannels().first();
    if (!changeImage([at](MemoryImage &image) { return insertChannel(image, at); })) {
        messageBox(this, LastChannelNotEmpty.text(m_doc.language()));
        return;
    }
    selectChannels({at});
}

void CProgramView::OnDeleteChannel()
{
    const QList<int> channels = selectedChannels();
    if (changeImage([&channels](MemoryImage &image) { return deleteChannels(image, channels); }))
        selectChannels({channels.first()});
}

void CProgramView::moveSelection(int delta)
{
    const QList<int> channels = selectedChannels();
    QList<int> moved;
    if (changeImage([&](MemoryImage &image) { return moveChannels(image, channels, delta, &moved); }))
        selectChannels(moved);
}

void CProgramView::OnMoveUp()
{
    moveSelection(-1);
}

void CProgramView::OnMoveDown()
{
    moveSelection(1);
}

void CProgramView::OnSortChannels()
{
    commitOpenEditor();
    const QList<int> places = sortPlaces(hasRowSelection() ? selectedChannels() : QList<int>{});
    const int used = usedChannelCount(m_doc.image());
    CSortChannelsDlg dialog(m_doc.language(), places.size(), used, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SortKey key = dialog.key();
    const Qt::SortOrder order = dialog.order();
    if (!changeImage([&](MemoryImage &image) { return sortChannels(image, places, key, order); }))
        return;
    // The rows sorted stay selected; a sort of every channel selects those in use.
    QList<int> shown = places;
    if (places.size() == region::ChannelCount)
        shown = places.mid(0, used);
    selectChannels(shown);
}

} // namespace kdw
