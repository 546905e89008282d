#include "core/channels/channelcsv.h"

#include "core/channels/cellcommit.h"
#include "core/channels/channeltexts.h"

#include <algorithm>
#include <array>

namespace kdw {

namespace {

constexpr LocalisedText NotHeader{u"the first line must be the channel table's header: %1",
                                  u"第一行必须是信道表的表头：%1", u"第一行必須是信道表的表頭：%1"};
constexpr LocalisedText GivenTwice{u"channel %1 is already given on line %2", u"信道 %1 已在第 %2 行给出",
                                   u"信道 %1 已在第 %2 行給出"};

} // namespace

bool isChannelTableHeader(const QStringList &fields)
{
    for (const Language lang : AllLanguages) {
        if (fields == gridHeaderTexts(lang))
            return true;
    }
    return false;
}

namespace {

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

// The first record must be the grid header of one of the languages.
std::optional<CsvError> headerError(const QList<CsvRecord> &records, Language language)
{
    if (!records.isEmpty() && isChannelTableHeader(records.first().fields))
        return std::nullopt;
    return CsvError{1, 0, NotHeader.text(language).arg(gridHeaderTexts(language).join(u','))};
}

// Types the data lines of a grid CSV into an empty grid one by one, as a
// user would type their cells.
class GridTyping
{
public:
    GridTyping(const MemoryImage &current, Language language, const FrequencyRange &range)
        : m_current(current)
        , m_language(language)
        , m_range(range)
    {
    }

    // Types one line; why it is refused, if it is.
    std::optional<CsvError> type(const CsvRecord &record)
    {
        if (isBlankRecord(record))
            return std::nullopt;
        const QStringList &fields = record.fields;
        const auto channel = channelNumber(fields.first());
        if (!channel)
            return CsvError{record.line, 0, rowtext::NotChannelNumber.text(m_language).arg(quotedCell(fields.first()))};
        if (const auto repeated = claim(*channel, record.line))
            return repeated;
        ChannelTexts &row = m_table[std::size_t(*channel - 1)];
        const RowTyping typing = typeChannelRow(row, fields.mid(1), readName(m_current, *channel), m_language, m_range);
        for (const FrequencyChange &change : typing.changes)
            m_changes.append({record.line, change});
        if (const auto &fault = typing.fault)
            return CsvError{record.line, fault->field + 1, fault->message};
        return std::nullopt;
    }

    const ChannelTable &table() const { return m_table; }
    const QList<CsvLineChange> &changes() const { return m_changes; }

private:
    // Notes that `line` gives `channel`; refused when an earlier line did.
    std::optional<CsvError> claim(int channel, int line)
    {
        int &seen = m_seenOnLine[std::size_t(channel - 1)];
        if (seen)
            return CsvError{line, 0, GivenTwice.text(m_language).arg(channel).arg(seen)};
        seen = line;
        return std::nullopt;
    }

    const MemoryImage &m_current;
    const Language m_language;
    const FrequencyRange m_range;
    std::array<int, region::ChannelCount> m_seenOnLine{};
    ChannelTable m_table{};
    QList<CsvLineChange> m_changes;
};

} // namespace

bool hasRowsBelowHeader(const CsvParseResult &csv)
{
    return !std::all_of(csv.records.cbegin() + std::min<qsizetype>(1, csv.records.size()), csv.records.cend(),
                        isBlankRecord);
}

QString channelTableCsv(const ChannelTable &table, Language language)
{
    QString csv = csvRecord(gridHeaderTexts(language));
    for (int channel = 1; channel <= region::ChannelCount; ++channel) {
        QStringList fields{QString::number(channel)};
        for (const QString &cell : table[std::size_t(channel - 1)])
            fields.append(cell);
        csv += csvRecord(fields);
    }
    return csv;
}

GridCsvResult channelTableFromCsv(QStringView text, const MemoryImage &current, Language language,
                                  const FrequencyRange &range)
{
    const CsvParseResult csv = parseWholeCsv(text, language);
    if (!csv) {
        // The parser counts fields from the channel number; the grid's columns start
        // after it. A fault in a field beyond the grid's columns is the line's.
        CsvError error = *csv.error;
        const int column = error.column - 1;
        error.column = column >= 1 && column <= ChannelFieldCount ? column : 0;
        return {{}, {}, error};
    }
    if (auto error = headerError(csv.records, language))
        return {{}, {}, std::move(error)};
    if (!hasRowsBelowHeader(csv))
        return {{}, {}, CsvError{0, 0, NoChannelRows.text(language)}};
    // The lines before a refused one stay typed in the table, as in the grid.
    GridTyping typing(current, language, range);
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        if (auto error = typing.type(csv.records.at(r)))
            return {typing.table(), typing.changes(), std::move(error)};
    }
    return {typing.table(), typing.changes(), std::nullopt};
}

} // namespace kdw
