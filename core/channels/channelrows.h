#pragma once

#include "core/channels/cellcommit.h"
#include "core/channels/frequencyrules.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace kdw {

// Channels as rows: what the Edit commands do to the channels of an image.
// Channel numbers are 1 to 99. A channel moves whole: its 16-byte record,
// bits the grid does not show included, and its 8-byte name slot.

// Each channel becomes empty as the grid store empties one: sixteen 0xFF
// bytes in the record; the name slot is not written.
void emptyChannels(MemoryImage &image, const QList<int> &channels);

// Shifts channels `at` to 98 down by one and leaves `at` empty with a blank
// name slot. False, and nothing changed, when channel 99 is not empty.
[[nodiscard]] bool insertChannel(MemoryImage &image, int at);

// Removes the channels: those below move up whole, in their order, and the
// last ones become empty with a blank name slot. False, and nothing changed,
// when the list is empty or names a channel outside 1..99.
[[nodiscard]] bool deleteChannels(MemoryImage &image, const QList<int> &channels);

// Moves the channels one place up (delta -1) or down (+1); each neighbour that
// is not moved itself takes the place left behind. False, and nothing changed,
// when a channel would leave 1..99. Returns the channels' new numbers in `moved`.
[[nodiscard]] bool moveChannels(MemoryImage &image, const QList<int> &channels, int delta, QList<int> *moved = nullptr);

// Puts channel sources[i], as it was before the call, at places[i]. The two
// lists hold the same channels in another order; false, and nothing changed,
// when they do not or a number is outside 1..99.
[[nodiscard]] bool arrangeChannels(MemoryImage &image, const QList<int> &places, const QList<int> &sources);

// The channels as tab-separated grid texts, one line per channel with its
// number first, as a spreadsheet takes them.
[[nodiscard]] QString channelRowsText(const MemoryImage &image, const QList<int> &channels, Language language);

// True when `text` is channel rows rather than one cell's value: it holds a
// tab, or more than one line (the line break after the last line aside).
[[nodiscard]] bool holdsChannelRows(QStringView text);

struct PasteFault
{
    int line = 0;         // 1-based line of the pasted text
    int column = 0;       // column of the grid (1 Rx Freq .. 9 Name); 0 the line as a whole
    int rxFreqColumn = 1; // the line's own column of Rx Freq: 2 behind a channel number
    QString message;
};

// A pasted frequency that clamp or snap changed, and its channel.
struct PastedChange
{
    int channel = 0;
    FrequencyChange change;
};

struct PasteResult
{
    QList<int> channels;             // the channels written, in order
    QList<PastedChange> changes;     // in the order pasted
    std::optional<PasteFault> fault; // set: the image was not changed
    explicit operator bool() const { return !fault; }
};

// Puts tab-separated lines into channels `first`, first + 1, ...: each line's
// cells are typed into an empty row by the rules of typing and stored. A line
// of ten cells starts with a channel number, which is skipped; a line of
// fewer holds the cells from Rx Freq. Nothing changes when any line is bad.
[[nodiscard]] PasteResult pasteChannelRows(MemoryImage &image, int first, QStringView text, Language language,
                                           const FrequencyRange &range = FrequencyRange{});

} // namespace kdw
