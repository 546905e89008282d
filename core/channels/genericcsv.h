#pragma once

#include "core/channels/channelcsv.h"
#include "core/channels/frequencyrules.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

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

// How the rows of a file are placed on the radio's channels.
enum class GenericPlacement {
    Numbered, // Location N is channel N; a Location outside 1..99 cannot be placed
    InOrder,  // the rows taken, in file order, from channel `first`; past 99 left out
};

struct GenericCsvOptions
{
    GenericPlacement place = GenericPlacement::Numbered;
    int first = 1; // InOrder: the channel of the first row taken, 1..99
};

// A row left out, or the file refused: its line (0 for the file as a whole),
// the file's own column counted from 1 with its title (0 and empty for the
// row as a whole) and why.
struct GenericCsvRefusal
{
    int line = 0;
    int column = 0;
    QString title;
    QString reason;
};

struct GenericCsvImport
{
    MemoryImage image;                      // `current` with the rows taken placed, the other channels empty
    std::optional<GenericCsvRefusal> fault; // the file cannot be read as a whole: nothing taken
    QList<GenericCsvRefusal> leftOut;       // each row the radio cannot hold, with one reason
    QList<CsvLineChange> changes;           // names cut or with characters replaced, frequencies snapped
    QStringList ignoredColumns;             // the titles of the columns the radio has no place for
    int taken = 0;                          // rows placed on channels
    // The Locations are not 1..N: they start at 0, skip numbers, repeat or go
    // past 99, so placing the rows in file order may suit the file better.
    bool irregularNumbering = false;
    explicit operator bool() const { return !fault; }
};

// Reads the rows of a generic file, each on its own: a row the radio can hold
// is taken, every other one is left out with its reason. Columns come in any
// order, by title; Location and Frequency must be among them.
//  - Frequencies are never moved into the range: a row whose Rx or Tx lies
//    outside `range` (the document's Frequency Range) is left out. A frequency
//    between the 5 kHz and 6.25 kHz steps goes down to the nearer step, as a
//    typed one does, and is listed.
//  - Duplex "" (Tx = Rx), "+" / "-" (Rx plus or minus Offset), "split" (Offset
//    is Tx; 0 for none) and "off" (receive only: no Tx).
//  - Tone "", Tone, TSQL, DTCS, Cross with every CrossMode that has no
//    reverse side; TSQL-R and DTCS-R are left out. Mode FM is Wide, NFM
//    Narrow (empty: FM); other modes are left out. Power High/Hi/H, and
//    watts of 3 W or more, are High; Low/Lo/L, Mid/Medium/M and fewer watts
//    are Low; empty is High. Skip "" adds to scan, "S" deletes, "P" adds.
//  - A name is cut to 6 characters, and each character the radio cannot show
//    (outside printable ASCII) becomes its unaccented letter (é: e) or "?";
//    both are listed. The channel's present name in `current` is kept as it
//    is, so names of other bytes survive a round trip.
//  - A channel in use keeps what the format cannot carry, whatever else
//    changes: its Busy Lock, the record bits the grid does not show and, when
//    the Name cell is empty, its name. An empty channel gets Busy Lock Off.
[[nodiscard]] GenericCsvImport importGenericChannelCsv(const MemoryImage &current, QStringView text, Language language,
                                                       const FrequencyRange &range = FrequencyRange{},
                                                       const GenericCsvOptions &options = {});

} // namespace kdw
