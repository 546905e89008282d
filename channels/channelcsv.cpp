#include "channels/channelcsv.h"

#include "channels/cellcommit.h"
#include "channels/channeltexts.h"

#include <array>

namespace kdw {

namespace {

constexpr int ColumnCount = 1 + ChannelFieldCount;

bool isHeader(const QStringList &fields)
{
    for (quint8 lang = 0; lang < 3; ++lang) {
        if (fields == gridHeaderTexts(lang))
            return true;
    }
    return false;
}

// The channel number of column 1: plain decimal digits, 1 to 99.
std::optional<int> channelNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 2 || !isTypableFrequency(text) || text.contains(u'.'))
        return std::nullopt;
    const int n = text.toInt();
    if (n < 1 || n > region::ChannelCount)
        return std::nullopt;
    return n;
}

bool isBlankLine(const CsvRecord &record)
{
    return record.fields.size() == 1 && record.fields.first().isEmpty();
}

// The first record must be the grid header of one of the languages.
std::optional<CsvError> headerError(const QList<CsvRecord> &records, quint8 languageIndex)
{
    if (!records.isEmpty() && isHeader(records.first().fields))
        return std::nullopt;
    return CsvError{
        1, 1,
        QStringLiteral("the first line must be the grid header: %1").arg(gridHeaderTexts(languageIndex).join(u','))};
}

// Types the data lines of a grid CSV into an empty grid one by one, as a
// user would type their cells.
class GridTyping
{
public:
    GridTyping(const MemoryImage &current, quint8 languageIndex, const FrequencyRange &range)
        : m_current(current)
        , m_languageIndex(languageIndex)
        , m_range(range)
    {
    }

    // Types one line; why it is refused, if it is.
    std::optional<CsvError> type(const CsvRecord &record)
    {
        if (isBlankLine(record))
            return std::nullopt;
        const QStringList &fields = record.fields;
        if (fields.size() > ColumnCount)
            return CsvError{record.line, ColumnCount + 1, QStringLiteral("more than ten fields")};
        const auto channel = channelNumber(fields.first());
        if (!channel) {
            return CsvError{record.line, 1,
                            QStringLiteral("\"%1\" is not a channel number from 1 to 99").arg(fields.first())};
        }
        if (const auto repeated = claim(*channel, record.line))
            return repeated;
        ChannelTexts &row = m_table[std::size_t(*channel - 1)];
        if (const auto fault
            = typeChannelRow(row, fields.mid(1), readName(m_current, *channel), m_languageIndex, m_range))
            return CsvError{record.line, fault->field + 2, fault->message};
        return std::nullopt;
    }

    const ChannelTable &table() const { return m_table; }

private:
    // Notes that `line` gives `channel`; refused when an earlier line did.
    std::optional<CsvError> claim(int channel, int line)
    {
        int &seen = m_seenOnLine[std::size_t(channel - 1)];
        if (seen)
            return CsvError{line, 1, QStringLiteral("channel %1 is already given on line %2").arg(channel).arg(seen)};
        seen = line;
        return std::nullopt;
    }

    const MemoryImage &m_current;
    const quint8 m_languageIndex;
    const FrequencyRange m_range;
    std::array<int, region::ChannelCount> m_seenOnLine{};
    ChannelTable m_table{};
};

} // namespace

QString channelTableCsv(const ChannelTable &table, quint8 languageIndex)
{
    QString csv = csvRecord(gridHeaderTexts(languageIndex));
    for (int channel = 1; channel <= region::ChannelCount; ++channel) {
        QStringList fields{QString::number(channel)};
        for (const QString &cell : table[std::size_t(channel - 1)])
            fields.append(cell);
        csv += csvRecord(fields);
    }
    return csv;
}

GridCsvResult channelTableFromCsv(QStringView text, const MemoryImage &current, quint8 languageIndex,
                                  const FrequencyRange &range)
{
    const CsvParseResult csv = parseCsv(text);
    if (!csv)
        return {{}, csv.error};
    if (auto error = headerError(csv.records, languageIndex))
        return {{}, std::move(error)};
    // The lines before a refused one stay typed in the table, as in the grid.
    GridTyping typing(current, languageIndex, range);
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        if (auto error = typing.type(csv.records.at(r)))
            return {typing.table(), std::move(error)};
    }
    return {typing.table(), std::nullopt};
}

} // namespace kdw
