#pragma once

#include "core/image/memoryimage.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

namespace kdw {

// The bounds the frequency editor clamps to, units of 10 Hz.
struct FrequencyRange
{
    quint32 lower = 40000000; // 400 MHz
    quint32 upper = 47000000; // 470 MHz
    bool operator==(const FrequencyRange &) const = default;
};

// The bounds named by a Frequency Range item: the first run of digits, a run of
// non-digits, the second run of digits, each in MHz ("400-470MHz" gives
// 40000000..47000000). An item that does not fit the pattern gives the default
// range; numbers too large for the unsigned 32-bit range saturate.
[[nodiscard]] FrequencyRange frequencyRangeFromItem(QStringView item);

// The items of the Frequency Range list: every model offers the one range.
[[nodiscard]] QStringList frequencyRangeItems();

// The range the image's chosen Frequency Range item names, as the grid load
// derives it: an index past the list's items chooses the first.
[[nodiscard]] FrequencyRange chosenFrequencyRange(const MemoryImage &image);

// A bound of a range as its item names it: whole MHz without decimals
// ("400"), otherwise the frequency's text.
[[nodiscard]] QString rangeBoundText(quint32 value);

// 0 stays 0 (no frequency); otherwise above the upper bound becomes the upper
// bound, then below the lower bound becomes the lower bound.
[[nodiscard]] quint32 clampFrequency(quint32 value, const FrequencyRange &range);

// Moves a value that lies on neither the 5 kHz nor the 6.25 kHz grid down to the
// nearer grid point below it; a tie goes to the 5 kHz grid.
[[nodiscard]] quint32 snapToChannelStep(quint32 value);

// Decimal scaling by 100000, clamp, snap: the value the frequency editor commits.
[[nodiscard]] quint32 committedFrequency(QStringView typed, const FrequencyRange &range);

} // namespace kdw
