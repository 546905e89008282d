#pragma once

#include "core/channels/channelcsv.h"
#include "core/channels/frequencyrules.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace kdw {

// The generic channel CSV that multi-radio programming tools exchange:
// Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
// DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment.
// Frequencies in MHz; Duplex "" (transmit = receive), "+" / "-" (receive +/-
// Offset) or "split" (Offset is the transmit frequency); the tone columns
// say what is sent (before the arrow of CrossMode) and what is received.

// One line per channel in use, by channel number; the columns the radio lacks
// hold neutral values, Busy Lock is not written. A channel without a transmit
// frequency is "split" with Offset 0.
[[nodiscard]] QString genericChannelCsv(const MemoryImage &image);

struct GenericCsvRefusal
{
    int line = 0; // 1-based line of the file
    QString reason;
};

struct GenericCsvImport
{
    MemoryImage image;                 // the result when nothing was refused
    QList<GenericCsvRefusal> refusals; // every row that cannot be represented
    QList<CsvLineChange> changes;      // frequencies clamped to the Frequency Range
    explicit operator bool() const { return refusals.isEmpty(); }
};

// The channel table of `current` replaced by the file's rows (Location 1 to
// 99; channels not listed become empty). Columns may come in any order and
// columns the radio lacks are ignored. A frequency outside `range` (the
// document's Frequency Range) is clamped to it as the frequency editor clamps
// a typed one, and each change is listed. A row is refused when it cannot be
// represented: a frequency of 0 or finer than 10 Hz, a tone the tone list
// lacks, a name that is not 6 printable ASCII characters, an unknown Duplex,
// Tone, CrossMode or Mode, a Location outside 1..99 or given twice. A channel
// in use keeps what the format cannot carry, whatever else changes: its Busy
// Lock, the record bits the grid does not show and, when the Name cell is
// empty, its name. An empty channel gets Busy Lock Off.
[[nodiscard]] GenericCsvImport importGenericChannelCsv(const MemoryImage &current, QStringView text, Language language,
                                                       const FrequencyRange &range = FrequencyRange{});

} // namespace kdw
