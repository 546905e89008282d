#pragma once

#include "core/channels/cellcommit.h"
#include "core/channels/channeltable.h"
#include "core/channels/frequencyrules.h"
#include "core/image/memoryimage.h"
#include "core/text/csv.h"
#include "core/text/language.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace kdw {

// The channel table as CSV text: the ten header texts of the grid, then one
// record per channel 1 to 99 with its number and its nine cell texts.
[[nodiscard]] QString channelTableCsv(const ChannelTable &table, Language language);

// A frequency of a line that clamp or snap changed.
struct CsvLineChange
{
    int line = 0;
    FrequencyChange change;
};

struct GridCsvResult
{
    ChannelTable table;
    QList<CsvLineChange> changes;
    // The first fault: its line (0 for the file as a whole), the grid's column
    // (1 Rx Freq .. 9 Name, 0 for the channel number or the line as a whole)
    // and why, in the language asked.
    std::optional<CsvError> error;
    explicit operator bool() const { return !error; }
};

// A channel file with a header and nothing below it, in either format: taking
// it would empty every channel.
inline constexpr LocalisedText NoChannelRows{u"no channels in the file: it has only its header",
                                             u"文件中没有信道：只有表头", u"檔案中沒有信道：只有表頭"};
// True when a record other than blank lines follows the first.
[[nodiscard]] bool hasRowsBelowHeader(const CsvParseResult &csv);

// True when the fields are the channel table's header in one of the languages.
[[nodiscard]] bool isChannelTableHeader(const QStringList &fields);

// Reads a grid CSV as if a user typed its cells into an empty grid: the header
// of any language first, then channels in any order, each at most once. The
// file must be whole (parseWholeCsv: every line of ten cells, the last one
// ended) and list at least one line below its header.
// Empty cells are cells not typed. Frequencies must be digits and points and go
// through the frequency editor (clamp to `range`, snap: each change is listed);
// tones must be tone list items or Off texts; flags choice items or cell texts
// of any language; a name at most 6 printable ASCII characters, or the name the channel already has in
// `current` (so names with other bytes survive a round trip). A row without a
// frequency must have no other cells. Channels not listed stay empty.
[[nodiscard]] GridCsvResult channelTableFromCsv(QStringView text, const MemoryImage &current, Language language,
                                                const FrequencyRange &range = FrequencyRange{});

} // namespace kdw
