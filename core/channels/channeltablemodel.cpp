#include "core/channels/channeltablemodel.h"

#include "core/channels/channeltexts.h"
#include "core/image/regions.h"
#include "core/text/localisedtext.h"

namespace kdw {

namespace {

constexpr LocalisedText CellAnnouncement{u"Channel %1, %2, %3", u"信道 %1，%2，%3", u"信道 %1，%2，%3"};
constexpr LocalisedText EmptyCellAnnouncement{u"Channel %1, %2", u"信道 %1，%2", u"信道 %1，%2"};

} // namespace

ChannelTableModel::ChannelTableModel(Language language, QObject *parent)
    : QAbstractTableModel(parent)
    , m_language(language)
    , m_columnTitles(gridHeaderTexts(language).mid(1))
{
    for (int channel = 1; channel <= region::ChannelCount; ++channel)
        m_rowLabels.append(QString::number(channel));
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : region::ChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ChannelFieldCount;
}

bool ChannelTableModel::isCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && !index.parent().isValid();
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (!isCell(index))
        return {};
    const QString &text = m_rows[std::size_t(index.row())][std::size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return text;
    case Qt::AccessibleTextRole: {
        const QString channel = m_rowLabels.value(index.row());
        const QString title = m_columnTitles.value(index.column());
        if (text.isEmpty())
            return EmptyCellAnnouncement.text(m_language).arg(channel, title);
        return CellAnnouncement.text(m_language).arg(channel, title, text);
    }
    default: return {};
    }
}

bool ChannelTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isCell(index) || role != Qt::EditRole)
        return false;
    QString &text = m_rows[std::size_t(index.row())][std::size_t(index.column())];
    const QString given = value.toString();
    if (text != given) {
        text = given;
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::AccessibleTextRole});
    }
    return true;
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QStringList &texts = orientation == Qt::Horizontal ? m_columnTitles : m_rowLabels;
    if (section < 0 || section >= texts.size())
        return {};
    return texts.at(section);
}

bool ChannelTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    QStringList &texts = orientation == Qt::Horizontal ? m_columnTitles : m_rowLabels;
    if (role != Qt::EditRole || section < 0 || section >= texts.size())
        return false;
    if (texts.at(section) != value.toString()) {
        texts[section] = value.toString();
        emit headerDataChanged(orientation, section, section);
    }
    return true;
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex &index) const
{
    // Edited by the form's own editors placed over the cell, not by a delegate.
    return isCell(index) ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

ChannelTexts ChannelTableModel::row(int channel) const
{
    if (channel < 1 || channel > region::ChannelCount)
        return {};
    return m_rows[std::size_t(channel - 1)];
}

void ChannelTableModel::setRow(int channel, const ChannelTexts &texts)
{
    if (channel < 1 || channel > region::ChannelCount)
        return;
    // Only the cells that change: a view keeps its current cell and selection.
    for (int field = 0; field < ChannelFieldCount; ++field)
        setData(index(channel - 1, field), texts[std::size_t(field)]);
}

ChannelTable ChannelTableModel::table() const
{
    return m_rows;
}

void ChannelTableModel::load(const MemoryImage &image)
{
    emit loadStarting();
    m_modelSelection = image.byte(region::ModelIndex);
    m_rangeSelection = image.byte(region::FrequencyRangeIndex);
    const ChannelTable texts = channelTable(image, m_language);
    for (int channel = 1; channel <= region::ChannelCount; ++channel)
        setRow(channel, texts[std::size_t(channel - 1)]);
    emit loaded();
}

void ChannelTableModel::store(MemoryImage &image)
{
    finishEditing();
    storeInto(image);
}

void ChannelTableModel::storeInto(MemoryImage &image) const
{
    storeChannelTable(image, m_rows, m_modelSelection, m_rangeSelection);
}

void ChannelTableModel::finishEditing()
{
    emit finishEditingRequested();
}

std::optional<FrequencyChange> ChannelTableModel::commitFrequency(int channel, ChannelField field, QStringView typed)
{
    ChannelTexts texts = row(channel);
    const std::optional<FrequencyChange> change = commitFrequencyCell(texts, field, typed, m_range, m_language);
    setRow(channel, texts);
    return change;
}

void ChannelTableModel::commitChoice(int channel, ChannelField field, const QString &text)
{
    ChannelTexts texts = row(channel);
    commitChoiceCell(texts, field, text);
    setRow(channel, texts);
}

void ChannelTableModel::setListSelections(quint8 model, quint8 range, const FrequencyRange &frequencyRange)
{
    m_modelSelection = model;
    m_rangeSelection = range;
    m_range = frequencyRange;
}

} // namespace kdw
