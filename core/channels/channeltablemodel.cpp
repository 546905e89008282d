#include "core/channels/channeltablemodel.h"

#include "core/channels/channeltexts.h"
#include "core/image/regions.h"
#include "core/text/localisedtext.h"

namespace kdw {

namespace {

constexpr LocalisedText CellAnnouncement{u"Channel %1, %2, %3", u"信道 %1，%2，%3", u"信道 %1，%2，%3"};
constexpr LocalisedText EmptyCellAnnouncement{u"Channel %1, %2", u"信道 %1，%2", u"信道 %1，%2"};

} // namespace

ChannelTableModel::ChannelTableModel(MemoryImage &image, Language language, QObject *parent)
    : QAbstractTableModel(parent)
    , m_image(image)
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
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return channelFieldText(m_image, index.row() + 1, ChannelField(index.column()), m_language);
    case Qt::AccessibleTextRole: {
        const QString text = channelFieldText(m_image, index.row() + 1, ChannelField(index.column()), m_language);
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
    (void)commit(index.row() + 1, ChannelField(index.column()), value.toString());
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
    // Every cell opens an editor; the form's rules say which (an empty
    // channel's Rx Freq only) and when.
    return isCell(index) ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable : Qt::NoItemFlags;
}

ChannelTexts ChannelTableModel::row(int channel) const
{
    if (channel < 1 || channel > region::ChannelCount)
        return {};
    return channelTexts(m_image, channel, m_language);
}

ChannelTable ChannelTableModel::table() const
{
    return channelTable(m_image, m_language);
}

void ChannelTableModel::announceRows(int firstChannel, int lastChannel)
{
    const QList<int> roles{Qt::DisplayRole, Qt::EditRole, Qt::AccessibleTextRole};
    emit dataChanged(index(firstChannel - 1, 0), index(lastChannel - 1, ChannelFieldCount - 1), roles);
}

void ChannelTableModel::load()
{
    emit loadStarting();
    m_modelSelection = m_image.byte(region::ModelIndex);
    m_rangeSelection = m_image.byte(region::FrequencyRangeIndex);
    announceRows(1, region::ChannelCount);
    emit loaded();
}

void ChannelTableModel::store()
{
    finishEditing();
    const MemoryImage before = m_image;
    m_image = stored();
    // A channel the grid cannot show as stored (a damaged record) now shows
    // what was stored.
    if (m_image != before)
        announceRows(1, region::ChannelCount);
}

MemoryImage ChannelTableModel::stored() const
{
    MemoryImage image = m_image;
    storeChannelTable(image, table(), m_modelSelection, m_rangeSelection);
    return image;
}

void ChannelTableModel::finishEditing()
{
    emit finishEditingRequested();
}

void ChannelTableModel::channelsChanged()
{
    announceRows(1, region::ChannelCount);
}

std::optional<FrequencyChange> ChannelTableModel::commit(int channel, ChannelField field, const QString &text)
{
    if (channel < 1 || channel > region::ChannelCount)
        return std::nullopt;
    const ChannelTexts shown = row(channel);
    ChannelTexts texts = shown;
    const std::optional<FrequencyChange> change = commitCell(texts, field, text, m_range, m_language);
    if (texts == shown)
        return change;
    const MemoryImage before = m_image;
    storeChannelTexts(m_image, channel, texts);
    announceRows(channel, channel);
    if (m_image != before)
        emit imageEdited(before);
    return change;
}

bool ChannelTableModel::commitTable(const ChannelTable &filled)
{
    const MemoryImage before = m_image;
    bool changed = false;
    for (int channel = 1; channel <= region::ChannelCount; ++channel) {
        const auto i = std::size_t(channel - 1);
        if (filled[i] != row(channel)) {
            storeChannelTexts(m_image, channel, filled[i]);
            changed = true;
        }
    }
    if (!changed)
        return false;
    announceRows(1, region::ChannelCount);
    if (m_image != before)
        emit imageEdited(before);
    return true;
}

void ChannelTableModel::setListSelections(quint8 model, quint8 range, const FrequencyRange &frequencyRange)
{
    m_modelSelection = model;
    m_rangeSelection = range;
    m_range = frequencyRange;
}

} // namespace kdw
