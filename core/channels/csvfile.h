#pragma once

#include "core/channels/frequencyrules.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace kdw {

// The two channel CSV formats: the grid's own (the texts of the channel grid
// under its header) and the generic one other programming tools exchange.
enum class ChannelCsvFormat { Grid, Generic };

struct TextFileRead
{
    std::optional<QString> text; // set when the file was read and is UTF-8
    QString reason;              // why not, otherwise
};

// A whole file as UTF-8 text (a byte order mark is dropped); the reason,
// when it is not UTF-8, is in `language`.
[[nodiscard]] TextFileRead readUtf8File(const QString &path, Language language);
// Replaces the file whole or not at all; the reason when it could not.
[[nodiscard]] std::optional<QString> writeUtf8File(const QString &path, const QString &text);

// The image's channels as CSV of a format; grid texts in a language.
[[nodiscard]] QString exportChannelCsv(const MemoryImage &image, ChannelCsvFormat format, Language language);

// The format a CSV's first line names: the channel table's header of any
// language, or a header with Location and Frequency columns; nullopt for neither.
[[nodiscard]] std::optional<ChannelCsvFormat> channelCsvFormat(QStringView text);

// The format's name in a sentence: "channel table", "generic channel CSV".
[[nodiscard]] QString channelCsvFormatName(ChannelCsvFormat format, Language language);

struct ChannelCsvImport
{
    MemoryImage image;                      // the result when nothing was refused
    std::optional<ChannelCsvFormat> format; // the format read; nullopt when the first line names none
    QStringList refusals;                   // "line N: reason" for each refused line
    QStringList changes; // "line N, Rx Freq: 4490 became 470.00000" for each frequency typing changed
    explicit operator bool() const { return refusals.isEmpty(); }
};

// The image with its channels replaced by the CSV's; unchanged when any line
// is refused. The format is the one given, or with nullopt the one the first
// line names. The grid format goes through the grid store (its fixed bytes too).
// In both formats a frequency outside `range`, the document's Frequency Range,
// is clamped to it as typing clamps it, and listed among the changes.
[[nodiscard]] ChannelCsvImport importChannelCsv(const MemoryImage &image, const QString &text,
                                                std::optional<ChannelCsvFormat> format, Language language,
                                                const FrequencyRange &range);

} // namespace kdw
