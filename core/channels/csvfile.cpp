#include "core/channels/csvfile.h"

#include "core/channels/cellcommit.h"
#include "core/channels/channelcsv.h"
#include "core/channels/csv.h"
#include "core/channels/genericcsv.h"
#include "core/text/localisedtext.h"
#include "core/text/wholefile.h"

#include <QFile>
#include <QStringDecoder>

namespace kdw {

using namespace Qt::StringLiterals;

namespace {

constexpr LocalisedText NotUtf8{u"not UTF-8 text", u"不是 UTF-8 文本", u"不是 UTF-8 文字"};
constexpr LocalisedText GridName{u"channel table", u"信道表", u"信道表"};
constexpr LocalisedText GenericName{u"generic channel CSV", u"通用信道 CSV", u"通用信道 CSV"};
constexpr LocalisedText UnknownFormat{
    u"the first line is neither the channel table's header (%1) nor a generic header with the columns Location "
    u"and Frequency",
    u"第一行既不是信道表的表头（%1），也不是含 Location 和 Frequency 列的通用表头",
    u"第一行既不是信道表的表頭（%1），也不是含 Location 和 Frequency 欄的通用表頭"};

} // namespace

TextFileRead readUtf8File(const QString &path, Language language)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, file.errorString()};
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return {std::nullopt, NotUtf8.text(language)};
    return {text, {}};
}

std::optional<QString> writeUtf8File(const QString &path, const QString &text)
{
    const FileWrite written = writeWholeFile(path, text.toUtf8());
    if (!written)
        return written.reason;
    return std::nullopt;
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

ChannelCsvImport importChannelCsv(const MemoryImage &image, const QString &text, std::optional<ChannelCsvFormat> format,
                                  Language language, const FrequencyRange &range)
{
    ChannelCsvImport result;
    result.image = image;
    if (!format)
        format = channelCsvFormat(text);
    if (!format) {
        result.refusals.append(
            lineFaultText(1, 0, UnknownFormat.text(language).arg(gridHeaderTexts(language).join(u',')), language));
        return result;
    }
    result.format = format;
    if (format == ChannelCsvFormat::Generic) {
        const GenericCsvImport generic = importGenericChannelCsv(image, text, language, range);
        for (const GenericCsvRefusal &refusal : generic.refusals)
            result.refusals.append(lineFaultText(refusal.line, 0, refusal.reason, language));
        if (!generic)
            return result;
        result.image = generic.image;
        for (const CsvLineChange &change : generic.changes)
            result.changes.append(lineChangeText(change.line, change.change, language));
        return result;
    }
    const GridCsvResult grid = channelTableFromCsv(text, image, language, range);
    if (!grid) {
        result.refusals.append(lineFaultText(grid.error->line, grid.error->column, grid.error->message, language));
        return result;
    }
    for (const CsvLineChange &change : grid.changes)
        result.changes.append(lineChangeText(change.line, change.change, language));
    storeChannelTable(result.image, grid.table, image.byte(region::ModelIndex),
                      image.byte(region::FrequencyRangeIndex));
    return result;
}

} // namespace kdw
