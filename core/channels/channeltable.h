#pragma once

#include "core/channels/channelcodec.h"
#include "core/image/memoryimage.h"
#include "core/image/regions.h"
#include "core/text/language.h"

#include <QtGlobal>

#include <array>

namespace kdw {

// The 99 channel rows of the grid; element n - 1 is channel n.
using ChannelTable = std::array<ChannelTexts, region::ChannelCount>;

// The channel rows exactly as the grid load shows them in a language.
[[nodiscard]] ChannelTable channelTable(const MemoryImage &image, Language language);

// The grid store: the Model and Frequency Range indexes into 0x1FD0 / 0x1FD1,
// every row into its channel record and name slot, then the fixed bytes the
// radio expects (0x0630..0x0637, 0x063C, 0x1811, 0x1817, 0x1D10..0x1D13).
void storeChannelTable(MemoryImage &image, const ChannelTable &table, quint8 modelIndex, quint8 frequencyRangeIndex);

// Only the fixed bytes of the grid store.
void writeGridStoreFixedBytes(MemoryImage &image);

} // namespace kdw
