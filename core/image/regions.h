#pragma once

// The region map of the memory image: where each kind of data lives.
// Field encodings are owned by the modules that interpret them.
namespace kdw::region {

inline constexpr int ChannelCount = 99;

// 99 channel records of 16 bytes; channel n (1..99) at (n - 1) * 16.
inline constexpr int ChannelRecords = 0x0000;
inline constexpr int ChannelRecordSize = 16;
constexpr int channelRecord(int channel)
{
    return ChannelRecords + (channel - 1) * ChannelRecordSize;
}

// The record after the 99 channel records; the grid store fixes parts of it.
inline constexpr int AfterRecords = 0x0630;
inline constexpr int AfterRecordsFlags = 0x063C;

// 8-byte name slots, 6 characters used; channel n at 0x0C90 + (n - 1) * 8.
inline constexpr int NameSlots = 0x0C90;
inline constexpr int NameSlotSize = 8;
inline constexpr int NameLength = 6;
constexpr int nameSlot(int channel)
{
    return NameSlots + (channel - 1) * NameSlotSize;
}

inline constexpr int FunctionSettings = 0x1810; // 0x1810..0x1829, the Option dialog
inline constexpr int FunctionSettingsEnd = 0x182A;
inline constexpr int ModelName = 0x1840; // 6 ASCII characters
inline constexpr int ModelNameLength = 6;
inline constexpr int PowerOnPassword = 0x1848; // 6 bytes, one digit value each
inline constexpr int PowerOnPasswordLength = 6;
inline constexpr int GridStoreZeros = 0x1D10; // 4 bytes the grid store zeroes
inline constexpr int PttIdCode = 0x1D30;      // 16 bytes
inline constexpr int PttIdCodeLength = 16;
inline constexpr int PttIdMode = 0x1D40;
inline constexpr int ModelIndex = 0x1FD0;          // selected item of the Model list
inline constexpr int FrequencyRangeIndex = 0x1FD1; // selected item of the Frequency Range list
inline constexpr int Pcba = 0x1FE0;                // 16 bytes
inline constexpr int PcbaLength = 16;
inline constexpr int ReadOnlyTail = 0x1FF0; // read from the radio, never written to it

} // namespace kdw::region
