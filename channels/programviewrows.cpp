// The Edit menu of the channel form: undo and redo, and channels as rows
// (copy, cut, paste, delete, insert, move). The row rules are the core's;
// this file moves selections and the clipboard.

#include "app/localisedtext.h"
#include "channels/channelrows.h"
#include "channels/msflexgrid.h"
#include "channels/programview.h"
#include "image/programdoc.h"
#include "image/regions.h"
#include "ui/documenthistory.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>

#include <algorithm>

namespace kdw {

namespace {

constexpr LocalisedText PasteRefused{u"Nothing was pasted: line %1, column %2 (%3): %4",
                                     u"未粘贴任何内容：第 %1 行，第 %2 列（%3）：%4",
                                     u"未貼上任何內容：第 %1 行，第 %2 欄（%3）：%4"};
constexpr LocalisedText NumberColumn{u"channel number", u"信道号", u"信道號"};
constexpr LocalisedText LastChannelNotEmpty{
    u"Channel 99 is not empty, so no channel can be inserted. Delete or move channel 99 first.",
    u"信道 99 不是空的，无法插入信道。请先删除或移动信道 99。",
    u"信道 99 不是空的，無法插入信道。請先刪除或移動信道 99。"};

} // namespace

void CProgramView::changeRows(const QList<std::pair<int, ChannelTexts>> &rows)
{
    const MemoryImage before = m_doc.image();
    for (const auto &[row, texts] : rows) {
        setRowTexts(row, texts);
        storeChannelTexts(m_doc.image(), row, texts);
    }
    history().record(before);
}

bool CProgramView::changeImage(const std::function<bool(MemoryImage &)> &change)
{
    commitOpenEditor();
    const MemoryImage before = m_doc.image();
    MemoryImage after = before;
    if (!change(after))
        return false;
    m_doc.image() = after;
    gridLoad();
    history().record(before);
    return true;
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
    QApplication::clipboard()->setText(channelRowsText(m_doc.image(), selectedChannels(), m_doc.languageIndex()));
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
        result = pasteChannelRows(image, first, text, m_doc.languageIndex(), m_range);
        return bool(result);
    });
    if (const auto &fault = result.fault) {
        const QString column = fault->column == 0 ? NumberColumn.text() : m_grid->GetTextMatrix(0, fault->column);
        messageBox(this, PasteRefused.text().arg(fault->line).arg(fault->column).arg(column, fault->message));
        return;
    }
    selectChannels(result.channels);
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
        messageBox(this, LastChannelNotEmpty.text());
        return;
    }
    selectChannels({at});
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

} // namespace kdw
