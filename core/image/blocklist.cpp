#include "core/image/blocklist.h"

#include "core/image/memoryimage.h"

namespace kdw {

BlockList blocksOf(const std::array<TransferRange, 5> &ranges)
{
    BlockList blocks;
    blocks.reserve(totalBlocks(ranges));
    for (const TransferRange &range : ranges) {
        for (int address = range.start; address < range.end; address += TransferRange::BlockSize)
            blocks.append(address);
    }
    return blocks;
}

BlockList changedBlocks(const MemoryImage &radio, const MemoryImage &document)
{
    BlockList changed;
    for (const int address : blocksOf(WriteRanges)) {
        if (radio.bytes(address, TransferRange::BlockSize) != document.bytes(address, TransferRange::BlockSize))
            changed.append(address);
    }
    return changed;
}

} // namespace kdw
