#pragma once

#include "core/channels/frequencyrules.h"
#include "core/channels/genericcsv.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"
#include "core/text/textfile.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace kdw {

// The two channel CSV formats: the grid's own (the texts of the channel grid
// under its header) and the generic one other programming tools exchange.
enum class ChannelCsvFormat { Grid, Generic };

// The largest channel CSV read, in bytes. 99 channels of the widest rows of
// either format take less than 20 KB; the rest is room for files of other
// tools, which list hundreds of rows and more columns. A larger file is
// refused before it is read, so no input can take much memory.
inline constexpr qint64 ChannelCsvMaxBytes = qint64(512) * 1024;

// A channel CSV: readUtf8File with the limit of ChannelCsvMaxBytes.
[[nodiscard]] TextFileRead readChannelCsvFile(const QString &path, Language language);

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
    QStringList refusals;                   // "line N: reason" for each refused line: nothing taken
    // "line N, Rx Freq: 4490 became 470.00000" for each frequency typing changed;
    // for a generic file also names cut or with characters replaced.
    QStringList changes;
    QList<int> emptied; // channels in use before that the import leaves empty
    // A generic file: its rows left out ("line N, column C (Title): reason"),
    // which `image` does not hold; the columns ignored; the rows taken; and
    // whether its Locations are other than 1..N (see GenericCsvImport).
    QStringList leftOut;
    QStringList ignoredColumns;
    int taken = 0;
    bool irregularNumbering = false;
    explicit operator bool() const { return refusals.isEmpty(); }
};

// The channels in use in `before` that are empty in `after`.
[[nodiscard]] QList<int> emptiedChannels(const MemoryImage &before, const MemoryImage &after);
// "2 channels that held data are left empty: 3, 7-9" in a language; empty for none.
[[nodiscard]] QString emptiedChannelsText(const QList<int> &channels, Language language);
// "columns ignored, the radio has no place for them: TStep, Comment".
[[nodiscard]] QString ignoredColumnsText(const QStringList &titles, Language language);

// The image with its channels replaced by the CSV's; unchanged when the file
// is not whole (parseWholeCsv) or lists no channel. A grid file is refused
// for any line it cannot take; a generic one leaves out each row the radio
// cannot hold and places the others as `options` say. The format is the one given, or with nullopt the one the first
// line names. The grid format goes through the grid store (its fixed bytes too).
// A grid frequency outside `range`, the document's Frequency Range, is
// clamped to it as typing clamps it, and listed among the changes; a generic
// row with one is left out.
[[nodiscard]] ChannelCsvImport importChannelCsv(const MemoryImage &image, const QString &text,
                                                std::optional<ChannelCsvFormat> format, Language language,
                                                const FrequencyRange &range, const GenericCsvOptions &options = {});

} // namespace kdw
