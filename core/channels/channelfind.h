#pragma once

#include "core/channels/channelfill.h"
#include "core/channels/channeltable.h"
#include "core/channels/channeltexts.h"

#include <QList>
#include <QStringView>

namespace kdw {

// The cells whose text holds `text`, ignoring case, among the frequency,
// tone and name cells, in reading order (channel by channel, each from left
// to right). An empty `text` finds nothing.
[[nodiscard]] QList<ChannelCell> findCells(const ChannelTable &table, QStringView text);

// The index in `matches` (in reading order) of the first match at or after
// `from`, wrapping round to the first; -1 when there are none.
[[nodiscard]] qsizetype matchAtOrAfter(const QList<ChannelCell> &matches, ChannelCell from);

// The match `step` places (+1 next, -1 previous) from the one at `current`,
// wrapping at both ends; from no match (-1) the first or the last.
[[nodiscard]] qsizetype steppedMatch(qsizetype count, qsizetype current, int step);

} // namespace kdw
