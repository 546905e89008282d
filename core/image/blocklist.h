#pragma once

#include "core/image/transferranges.h"

#include <QList>

namespace kdw {

class MemoryImage;

// The addresses of the 8-byte blocks a session moves, in the order it sends
// them: a whole table, or the blocks of the write table that must change.
using BlockList = QList<int>;

// Every block of `ranges`, in table order.
BlockList blocksOf(const std::array<TransferRange, 5> &ranges);
// The blocks of the write table whose 8 bytes in `document` differ from
// `radio` (what was just read from the radio), in table order.
BlockList changedBlocks(const MemoryImage &radio, const MemoryImage &document);

} // namespace kdw
