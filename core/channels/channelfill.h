#pragma once

#include "core/channels/cellcommit.h"
#include "core/channels/channeltable.h"
#include "core/channels/frequencyrules.h"
#include "core/text/language.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace kdw {

// Changing many cells of the channel table at once. Every cell goes through
// the commit rules of typing (clamp, snap, a new channel's texts, the empty
// channel), so a fill gives what typing each cell by hand would give.
// Channel numbers are 1 to 99.

// A frequency that clamp or snap changed, and its channel.
struct ChannelFrequencyChange
{
    int channel = 0;
    FrequencyChange change;
};

// A cell of the table.
struct ChannelCell
{
    int channel = 0;
    ChannelField field = RxFreqField;
    bool operator==(const ChannelCell &) const = default;
};

// Commits `text` into `field` of each channel, as the field's editor would:
// a frequency typed, a list item or a name chosen. Empty channels stay empty
// unless the field is Rx Freq. Changes listed in channel order.
[[nodiscard]] QList<ChannelFrequencyChange> setCells(ChannelTable &table, const QList<int> &channels,
                                                     ChannelField field, const QString &text,
                                                     const FrequencyRange &range, Language language);

// Per field, the text of the topmost of `cells` goes into the others of that
// field. Rx Freq goes first, so channels it starts take the other fields
// after it. An empty tone or flag text fills nothing: the lists have no empty
// item.
[[nodiscard]] QList<ChannelFrequencyChange> fillDown(ChannelTable &table, const QList<ChannelCell> &cells,
                                                     const FrequencyRange &range, Language language);

// What Tx Freq gets in a run of frequencies.
enum class TxFill { SameAsRx, RxPlusOffset, Unchanged };

// Units of 10 Hz; step and offset may be negative.
struct FrequencyRun
{
    qint64 first = 0;
    qint64 step = 0;
    TxFill tx = TxFill::SameAsRx;
    qint64 offset = 0;
};

// A run as typed: first frequency and offset in MHz, step in kHz, each with an
// optional sign. `fault` names the first field that is not a number.
struct FrequencyRunTyping
{
    std::optional<FrequencyRun> run;
    QString fault;
};
[[nodiscard]] FrequencyRunTyping frequencyRunFromTexts(QStringView first, QStringView step, TxFill tx,
                                                       QStringView offset, Language language);

struct FrequencyRunResult
{
    QList<ChannelFrequencyChange> changes; // the snaps, in channel order
    QString refusal;                       // not empty: the table was not changed
    explicit operator bool() const { return refusal.isEmpty(); }
};

// The k-th of `channels` (ascending) gets Rx Freq first + k * step, and Tx
// Freq as `run.tx` says, the offset taken from the Rx Freq the channel got.
// Each frequency is committed as typed, so one between the channel steps
// snaps down. Refused, naming the first channel and frequency, when any
// frequency would leave `range`.
[[nodiscard]] FrequencyRunResult fillFrequencies(ChannelTable &table, const QList<int> &channels,
                                                 const FrequencyRun &run, const FrequencyRange &range,
                                                 Language language);

} // namespace kdw
