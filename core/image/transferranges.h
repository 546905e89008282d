#pragma once

#include <array>

namespace kdw {

// A half-open range of image offsets (= radio addresses) moved in 8-byte blocks.
struct TransferRange
{
    int start;
    int end;
    constexpr int blocks() const { return (end - start) / BlockSize; }
    static constexpr int BlockSize = 8;
};

// The five ranges in the order the protocol visits them. The write stops 16
// bytes short of the end: 0x1FF0..0x1FFF come from the radio but never go back.
inline constexpr std::array<TransferRange, 5> ReadRanges{
    {{0x0000, 0x0640}, {0x0C90, 0x0FB0}, {0x1810, 0x1850}, {0x1D30, 0x1D50}, {0x1FD0, 0x2000}}};
inline constexpr std::array<TransferRange, 5> WriteRanges{
    {{0x0000, 0x0640}, {0x0C90, 0x0FB0}, {0x1810, 0x1850}, {0x1D30, 0x1D50}, {0x1FD0, 0x1FF0}}};

constexpr int totalBlocks(const std::array<TransferRange, 5> &ranges)
{
    int n = 0;
    for (const auto &r : ranges)
        n += r.blocks();
    return n;
}

inline constexpr int ReadBlockCount = totalBlocks(ReadRanges);
inline constexpr int WriteBlockCount = totalBlocks(WriteRanges);
static_assert(ReadBlockCount == 318);
static_assert(WriteBlockCount == 316);

} // namespace kdw
