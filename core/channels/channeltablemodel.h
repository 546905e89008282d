#pragma once

#include "core/channels/cellcommit.h"
#include "core/channels/channeltable.h"
#include "core/channels/frequencyrules.h"
#include "core/text/language.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>

namespace kdw {

// The channel grid's texts: the one working copy of the 99 channels between
// the grid load (image -> texts) and the grid store (texts -> image). Row n - 1
// is channel n, column f is ChannelField f (grid column f + 1); the grid's
// header row and label column are the header data. The selections of the form's
// Model and Frequency Range lists travel with the texts, since the load and the
// store read and write them too.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ChannelTableModel(Language language, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    // Display and edit: the cell's text. Accessible text: "Channel 5, Rx Freq,
    // 446.00625", the cell as a screen reader announces it.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Edit: the text as given, no rule applied (the grid's text matrix).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    Language language() const { return m_language; }

    // Channels 1 to 99.
    [[nodiscard]] ChannelTexts row(int channel) const;
    void setRow(int channel, const ChannelTexts &texts);
    [[nodiscard]] ChannelTable table() const;

    // The grid load: list selections and every row from the image. Views
    // drop an edit still open first (loadStarting): it belongs to the content
    // replaced.
    void load(const MemoryImage &image);
    // The grid store: an edit still open is finished first, then the list
    // selections, every row and the fixed bytes go into the image.
    void store(MemoryImage &image);
    // The store without finishing an open edit: what the texts make of `image`.
    void storeInto(MemoryImage &image) const;
    // Asks the views to commit an edit still open (finishEditingRequested).
    void finishEditing();

    // The commit rules of typing, applied to a channel's row. Returns the
    // clamp or snap the frequency commit made.
    std::optional<FrequencyChange> commitFrequency(int channel, ChannelField field, QStringView typed);
    void commitChoice(int channel, ChannelField field, const QString &text);

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

private:
    bool isCell(const QModelIndex &index) const;

    Language m_language;
    ChannelTable m_rows;
    QStringList m_columnTitles;
    QStringList m_rowLabels;
    quint8 m_modelSelection = 0;
    quint8 m_rangeSelection = 0;
    FrequencyRange m_range;
};

} // namespace kdw
