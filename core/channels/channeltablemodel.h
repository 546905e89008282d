#pragma once

#include "core/channels/cellcommit.h"
#include "core/channels/channeltable.h"
#include "core/channels/frequencyrules.h"
#include "core/text/language.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>

namespace kdw {

// The channel grid over the document's image: every cell is read from the
// image through the codec when a view asks for it, and typing goes into the
// image through the commit rules of the form's editors. Nothing of the
// channels is held here. Row n - 1 is channel n, column f is ChannelField f
// (grid column f + 1); the grid's header row and label column are the header
// data. The selections of the form's Model and Frequency Range lists live
// here between the grid load, which takes them from the image, and the grid
// store, which writes them back.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // `image` is the document's and outlives the model.
    ChannelTableModel(MemoryImage &image, Language language, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    // Display and edit: the cell's text. Accessible text: "Channel 5, Rx Freq,
    // 446.00625", the cell as a screen reader announces it.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Edit: the text committed by the cell's own rules (see commit).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    Language language() const { return m_language; }
    const MemoryImage &image() const { return m_image; }

    // Channels 1 to 99, as the grid shows them.
    [[nodiscard]] ChannelTexts row(int channel) const;
    [[nodiscard]] ChannelTable table() const;

    // The grid load, after the image was replaced (New, Open, Read, Default
    // Factory, undo, redo): the list selections from the image, every cell
    // announced. Views drop an edit still open first (loadStarting): it
    // belongs to the content replaced.
    void load();
    // The grid store: an edit still open is finished first, then the list
    // selections, every channel as the grid shows it and the fixed bytes go
    // into the image.
    void store();
    // What the grid store makes of the image, the image left as it is: the
    // bytes Save and Write would write.
    [[nodiscard]] MemoryImage stored() const;
    // Asks the views to commit an edit still open (finishEditingRequested).
    void finishEditing();
    // A command changed channels of the image: their cells are announced.
    void channelsChanged();

    // The commit of a cell's editor, by the rules of typing (the frequency
    // commit for Rx and Tx Freq, the choice commit for the others) with the
    // range of the Frequency Range list. The channel's record changes in the
    // image; when a byte changed, imageEdited gives the image before. Returns
    // the clamp or snap the frequency commit made.
    std::optional<FrequencyChange> commit(int channel, ChannelField field, const QString &text);
    // Rows of `filled` that differ from the grid go into the image as typed
    // texts; one imageEdited for all. False when no row differed.
    bool commitTable(const ChannelTable &filled);

    // The Model and Frequency Range lists: the selections the store writes,
    // and the range typed frequencies are clamped to.
    quint8 modelSelection() const { return m_modelSelection; }
    quint8 rangeSelection() const { return m_rangeSelection; }
    void setListSelections(quint8 model, quint8 range, const FrequencyRange &frequencyRange);
    FrequencyRange frequencyRange() const { return m_range; }

signals:
    void loadStarting();
    void loaded();
    void finishEditingRequested();
    // A commit changed the image; `before` is the image as it was (one undo step).
    void imageEdited(const MemoryImage &before);

private:
    bool isCell(const QModelIndex &index) const;
    void announceRows(int firstChannel, int lastChannel);

    MemoryImage &m_image;
    Language m_language;
    QStringList m_columnTitles;
    QStringList m_rowLabels;
    quint8 m_modelSelection = 0;
    quint8 m_rangeSelection = 0;
    FrequencyRange m_range;
};

} // namespace kdw
