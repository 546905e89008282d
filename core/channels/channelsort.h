#pragma once

#include "core/image/memoryimage.h"

#include <QList>
#include <QtGlobal>

namespace kdw {

// What Sort Channels orders by. Tone is the Rx tone, then the Tx tone, each
// in the order of the tone list: Off, CTCSS by frequency, DCS normal by code,
// DCS inverted by code.
enum class SortKey { RxFrequency, TxFrequency, Name, Tone };

// How many of the 99 channels are in use.
[[nodiscard]] int usedChannelCount(const MemoryImage &image);

// The channels a sort runs over: the selected channels (1..99, ascending,
// each once) when there are two or more, otherwise all 99.
[[nodiscard]] QList<int> sortPlaces(const QList<int> &selected);

// The order a sort gives the channels at `places` (ascending): element i is
// the channel that goes to the i-th place. Used channels come first, by `key`
// in `order`; equal keys keep their order. Names compare without regard to
// case, and channels without a name follow the named ones. Empty channels go
// last in either order.
[[nodiscard]] QList<int> sortedChannels(const MemoryImage &image, const QList<int> &places, SortKey key,
                                        Qt::SortOrder order);

// Sorts the channels at `places` among those places, each channel whole
// (record, bits the grid does not show, name slot). False, and nothing
// changed, when a place is outside 1..99 or named twice.
[[nodiscard]] bool sortChannels(MemoryImage &image, const QList<int> &places, SortKey key, Qt::SortOrder order);

} // namespace kdw
