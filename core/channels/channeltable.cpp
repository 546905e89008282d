#include "core/channels/channeltable.h"

namespace kdw {

namespace {

// The grid store's fixed bytes. The eight after the channel records read as
// Rx and Tx 435.00000 MHz in the record encoding.
constexpr quint8 AfterRecordsBytes[8] = {0x00, 0x00, 0x50, 0x43, 0x00, 0x00, 0x50, 0x43};
constexpr quint8 AfterRecordsFlagsKeep = 0x3F;              // bits 7 and 6 cleared
constexpr int SettingsByte1 = region::FunctionSettings + 1; // 0x1811
constexpr quint8 SettingsByte1Keep = 0x78;                  // bits 0, 1, 2 and 7 cleared
constexpr int SettingsByte7 = region::FunctionSettings + 7; // 0x1817, set to 0
constexpr int GridStoreZerosLength = 4;

} // namespace

ChannelTable channelTable(const MemoryImage &image, Language language)
{
    ChannelTable table;
    for (int channel = 1; channel <= region::ChannelCount; ++channel)
        table[std::size_t(channel - 1)] = channelTexts(image, channel, language);
    return table;
}

void writeGridStoreFixedBytes(MemoryImage &image)
{
    for (int k = 0; k < GridStoreZerosLength; ++k)
        image.setByte(region::GridStoreZeros + k, 0x00);
    image.setByte(SettingsByte1, image.byte(SettingsByte1) & SettingsByte1Keep);
    image.setByte(SettingsByte7, 0x00);
    for (int k = 0; k < 8; ++k)
        image.setByte(region::AfterRecords + k, AfterRecordsBytes[k]);
    image.setByte(region::AfterRecordsFlags, image.byte(region::AfterRecordsFlags) & AfterRecordsFlagsKeep);
}

void storeChannelTable(MemoryImage &image, const ChannelTable &table, quint8 modelIndex, quint8 frequencyRangeIndex)
{
    image.setByte(region::ModelIndex, modelIndex);
    image.setByte(region::FrequencyRangeIndex, frequencyRangeIndex);
    for (int channel = 1; channel <= region::ChannelCount; ++channel)
        storeChannelTexts(image, channel, table[std::size_t(channel - 1)]);
    writeGridStoreFixedBytes(image);
}

} // namespace kdw
