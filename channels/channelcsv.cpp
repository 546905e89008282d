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
    GridCsvResult result;
    const auto fail = [&result](int line, int column, const QString &message) {
        result.error = CsvError{line, column, message};
        return result;
    };
    const CsvParseResult csv = parseCsv(text);
    if (!csv)
        return fail(csv.error->line, csv.error->column, csv.error->message);
    if (csv.records.isEmpty() || !isHeader(csv.records.first().fields)) {
        return fail(1, 1,
                    QStringLiteral("the first line must be the grid header: %1")
                        .arg(gridHeaderTexts(languageIndex).join(u',')));
    }
    std::array<int, region::ChannelCount> seenOnLine{};
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const CsvRecord &record = csv.records.at(r);
        const QStringList &fields = record.fields;
        if (fields.size() == 1 && fields.first().isEmpty())
            continue; // a blank line
        if (fields.size() > ColumnCount)
            return fail(record.line, ColumnCount + 1, QStringLiteral("more than ten fields"));
        const auto channel = channelNumber(fields.first());
        if (!channel) {
            return fail(record.line, 1,
                        QStringLiteral("\"%1\" is not a channel number from 1 to 99").arg(fields.first()));
        }
        int &seen = seenOnLine[std::size_t(*channel - 1)];
        if (seen)
            return fail(record.line, 1, QStringLiteral("channel %1 is already given on line %2").arg(*channel).arg(seen));
        seen = record.line;

        ChannelTexts &row = result.table[std::size_t(*channel - 1)];
        if (const auto fault = typeChannelRow(row, fields.mid(1), readName(current, *channel), languageIndex, range))
            return fail(record.line, fault->field + 2, fault->message);
    }
    return result;
}

} // namespace kdw
