#include "core/channels/csvfile.h"

#include "core/channels/cellcommit.h"
#include "core/channels/channelcsv.h"
#include "core/channels/genericcsv.h"
#include "core/text/csv.h"
#include "core/text/localisedtext.h"

namespace kdw {

using namespace Qt::StringLiterals;

namespace {

constexpr LocalisedText TooLarge{
    u"larger than any channel file: at most %1 KB is read (99 channels take less than 20 KB)",
    u"比任何信道文件都大：最多读取 %1 KB（99 个信道不到 20 KB）",
    u"比任何信道檔案都大：最多讀取 %1 KB（99 個信道不到 20 KB）"};
constexpr LocalisedText NowEmpty{u"%1 channels that held data are left empty: %2", u"%1 个原有数据的信道被清空：%2",
                                 u"%1 個原有資料的信道被清空：%2"};
constexpr LocalisedText NowEmptyOne{u"1 channel that held data is left empty: %1", u"1 个原有数据的信道被清空：%1",
                                    u"1 個原有資料的信道被清空：%1"};
constexpr LocalisedText IgnoredColumns{u"columns ignored, the radio has no place for them: %1",
                                       u"已忽略本机无处存放的列：%1", u"已忽略本機無處存放的欄：%1"};
constexpr LocalisedText GridName{u"channel table", u"信道表", u"信道表"};
constexpr LocalisedText GenericName{u"generic channel CSV", u"通用信道 CSV", u"通用信道 CSV"};
constexpr LocalisedText UnknownFormat{
    u"the first line is neither the channel table's header (%1) nor a generic header with the columns Location "
    u"and Frequency",
    u"第一行既不是信道表的表头（%1），也不是含 Location 和 Frequency 列的通用表头",
    u"第一行既不是信道表的表頭（%1），也不是含 Location 和 Frequency 欄的通用表頭"};

} // namespace

TextFileRead readChannelCsvFile(const QString &path, Language language)
{
    TextFileRead file = readUtf8File(path, language, ChannelCsvMaxBytes);
    if (file.tooLarge)
        file.reason = TooLarge.text(language).arg(ChannelCsvMaxBytes / 1024);
    return file;
}

QString exportChannelCsv(const MemoryImage &image, ChannelCsvFormat format, Language language)
{
    if (format == ChannelCsvFormat::Generic)
        return genericChannelCsv(image);
    return channelTableCsv(channelTable(image, language), language);
}

std::optional<ChannelCsvFormat> channelCsvFormat(QStringView text)
{
    // Only the first record is parsed; its quotes may hold line breaks.
    qsizetype end = 0;
    bool quoted = false;
    for (; end < text.size() && (quoted || (text[end] != u'\n' && text[end] != u'\r')); ++end) {
        if (text[end] == u'"')
            quoted = !quoted;
    }
    const CsvParseResult first = parseCsv(text.left(end));
    if (!first || first.records.isEmpty())
        return std::nullopt;
    const QStringList &fields = first.records.first().fields;
    if (isChannelTableHeader(fields))
        return ChannelCsvFormat::Grid;
    QStringList names;
    for (const QString &field : fields)
        names.append(field.trimmed());
    if (names.contains(u"Location"_s) && names.contains(u"Frequency"_s))
        return ChannelCsvFormat::Generic;
    return std::nullopt;
}

QString channelCsvFormatName(ChannelCsvFormat format, Language language)
{
    return (format == ChannelCsvFormat::Grid ? GridName : GenericName).text(language);
}

namespace {

// importChannelCsv without the channels it empties.
ChannelCsvImport importChannelCsvText(const MemoryImage &image, const QString &text,
                                      std::optional<ChannelCsvFormat> format, Language language,
                                      const FrequencyRange &range, const GenericCsvOptions &options)
{
    ChannelCsvImport result;
    result.image = image;
    if (!format)
        format = channelCsvFormat(text);
    if (!format) {
        result.refusals.append(lineFaultText(1, 0, GridFileRxFreqColumn,
                                             UnknownFormat.text(language).arg(gridHeaderTexts(language).join(u',')),
                                             language));
        return result;
    }
    result.format = format;
    if (format == ChannelCsvFormat::Generic) {
        const GenericCsvImport generic = importGenericChannelCsv(image, text, language, range, options);
        const auto shown = [language](const GenericCsvRefusal &refusal) {
            return lineColumnText(refusal.line, refusal.column, refusal.title, refusal.reason, language);
        };
        if (!generic) {
            result.refusals.append(shown(*generic.fault));
            return result;
        }
        result.image = generic.image;
        for (const GenericCsvRefusal &row : generic.leftOut)
            result.leftOut.append(shown(row));
        for (const CsvLineChange &change : generic.changes)
            result.changes.append(lineChangeText(change.line, change.change, language));
        result.ignoredColumns = generic.ignoredColumns;
        result.taken = generic.taken;
        result.irregularNumbering = generic.irregularNumbering;
        return result;
    }
    const GridCsvResult grid = channelTableFromCsv(text, image, language, range);
    if (!grid) {
        result.refusals.append(
            lineFaultText(grid.error->line, grid.error->column, GridFileRxFreqColumn, grid.error->message, language));
        return result;
    }
    for (const CsvLineChange &change : grid.changes)
        result.changes.append(lineChangeText(change.line, change.change, language));
    storeChannelTable(result.image, grid.table, image.byte(region::ModelIndex),
                      image.byte(region::FrequencyRangeIndex));
    return result;
}

} // namespace

QList<int> emptiedChannels(const MemoryImage &before, const MemoryImage &after)
{
    QList<int> emptied;
    for (int n = 1; n <= region::ChannelCount; ++n) {
        if (!isEmptyChannel(before, n) && isEmptyChannel(after, n))
            emptied.append(n);
    }
    return emptied;
}

QString emptiedChannelsText(const QList<int> &channels, Language language)
{
    if (channels.isEmpty())
        return {};
    // Runs of neighbours as "7-9".
    QStringList runs;
    for (qsizetype i = 0; i < channels.size();) {
        qsizetype j = i;
        while (j + 1 < channels.size() && channels.at(j + 1) == channels.at(j) + 1)
            ++j;
        runs.append(j == i ? QString::number(channels.at(i))
                           : QStringLiteral("%1-%2").arg(channels.at(i)).arg(channels.at(j)));
        i = j + 1;
    }
    if (channels.size() == 1)
        return NowEmptyOne.text(language).arg(runs.first());
    return NowEmpty.text(language).arg(channels.size()).arg(runs.join(u", "_s));
}

QString ignoredColumnsText(const QStringList &titles, Language language)
{
    return IgnoredColumns.text(language).arg(titles.join(u", "_s));
}

ChannelCsvImport importChannelCsv(const MemoryImage &image, const QString &text, std::optional<ChannelCsvFormat> format,
                                  Language language, const FrequencyRange &range, const GenericCsvOptions &options)
{
    ChannelCsvImport result = importChannelCsvText(image, text, format, language, range, options);
    if (result)
        result.emptied = emptiedChannels(image, result.image);
    return result;
}

} // namespace kdw
