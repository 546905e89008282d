#include "channels/csvfile.h"

#include "app/localisedtext.h"
#include "channels/channelcsv.h"
#include "channels/genericcsv.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace kdw {

namespace {

constexpr LocalisedText NotUtf8{u"not UTF-8 text", u"不是 UTF-8 文本", u"不是 UTF-8 文字"};
constexpr LocalisedText LineReason{u"line %1: %2", u"第 %1 行：%2", u"第 %1 行：%2"};
constexpr LocalisedText LineColumnReason{u"line %1, column %2: %3", u"第 %1 行，第 %2 列：%3",
                                         u"第 %1 行，第 %2 欄：%3"};

} // namespace

TextFileRead readUtf8File(const QString &path, quint8 languageIndex)
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
        return {std::nullopt, NotUtf8.text(languageIndex)};
    return {text, {}};
}

std::optional<QString> writeUtf8File(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        return file.errorString();
    return std::nullopt;
}

QString exportChannelCsv(const MemoryImage &image, ChannelCsvFormat format, quint8 languageIndex)
{
    if (format == ChannelCsvFormat::Generic)
        return genericChannelCsv(image);
    return channelTableCsv(channelTable(image, languageIndex), languageIndex);
}

ChannelCsvImport importChannelCsv(const MemoryImage &image, const QString &text, ChannelCsvFormat format,
                                  quint8 languageIndex, const FrequencyRange &range)
{
    ChannelCsvImport result;
    result.image = image;
    if (format == ChannelCsvFormat::Generic) {
        const GenericCsvImport generic = importGenericChannelCsv(image, text, languageIndex);
        for (const GenericCsvRefusal &refusal : generic.refusals)
            result.refusals.append(LineReason.text(languageIndex).arg(refusal.line).arg(refusal.reason));
        if (generic)
            result.image = generic.image;
        return result;
    }
    const GridCsvResult grid = channelTableFromCsv(text, image, languageIndex, range);
    if (!grid) {
        result.refusals.append(LineColumnReason.text(languageIndex)
                                   .arg(grid.error->line)
                                   .arg(grid.error->column)
                                   .arg(grid.error->message));
        return result;
    }
    storeChannelTable(result.image, grid.table, image.byte(region::ModelIndex),
                      image.byte(region::FrequencyRangeIndex));
    return result;
}

} // namespace kdw
