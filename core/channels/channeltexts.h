#pragma once

#include "core/text/localisedtext.h"

#include <QStringList>

namespace kdw {

// The nine data fields of a channel, in grid column order; grid column = field + 1
// (column 0 is the channel number).
enum ChannelField : int {
    RxFreqField,
    TxFreqField,
    RxToneField,
    TxToneField,
    BusyLockField,
    PowerField,
    ScanAddField,
    BandwidthField,
    NameField,
    ChannelFieldCount
};

namespace channeltext {

// Header row of the grid, columns 0 to 9.
inline constexpr LocalisedList<10> GridHeaders = {{
    {u"CH", u"信道", u"信道"},
    {u"Rx Freq", u"接收频率", u"接收頻率"},
    {u"Tx Freq", u"发射频率", u"發射頻率"},
    {u"Rx Tone", u"接收亚音", u"接收信令"},
    {u"Tx Tone", u"发射亚音", u"發射信令"},
    {u"Busy Lock", u"繁忙锁定", u"繁忙鎖定"},
    {u"Power", u"功率", u"功率"},
    {u"Scan Add", u"扫描添加", u"掃描添加"},
    {u"Bandwidth", u"带宽", u"帶寬"},
    {u"Name", u"信道名称", u"信道名稱"},
}};

// Cell texts the grid load shows.
inline constexpr LocalisedText Off = sharedtext::Off; // tone off and Busy Lock 0
inline constexpr LocalisedText Carrier{u"Carrier", u"载波", u"載波"};
inline constexpr LocalisedText Qdt{u"QDT", u"信令", u"信令"};
inline constexpr LocalisedText High{u"High", u"高", u"高"};
inline constexpr LocalisedText Low{u"Low", u"低", u"低"};
inline constexpr LocalisedText Add{u"Add", u"添加", u"添加"};
inline constexpr LocalisedText Del{u"Del", u"删除", u"刪除"};
inline constexpr LocalisedText Wide{u"Wide", u"宽", u"寬"};
inline constexpr LocalisedText Narrow{u"Narrow", u"窄", u"窄"};

// The choice editor offers Busy Lock Off under a longer text; it stores 0 too.
inline constexpr LocalisedText BusyLockOffChoice{u"Off", u"关闭", u"關閉"};

// Items of the choice editor for Busy Lock, Power, Scan Add and Bandwidth.
inline constexpr LocalisedList<3> BusyLockChoices = {{BusyLockOffChoice, Carrier, Qdt}};
inline constexpr LocalisedList<2> PowerChoices = {{High, Low}};
inline constexpr LocalisedList<2> ScanAddChoices = {{Add, Del}};
inline constexpr LocalisedList<2> BandwidthChoices = {{Wide, Narrow}};

} // namespace channeltext

// The ten header texts of the grid in a language.
[[nodiscard]] QStringList gridHeaderTexts(Language language);

// The choice editor's items for BusyLockField, PowerField, ScanAddField or
// BandwidthField in a language; empty for any other field.
[[nodiscard]] QStringList choiceItems(ChannelField field, Language language);

// True when `text` is a choice editor item or a grid cell text of that flag
// field, in any language.
[[nodiscard]] bool isChoiceText(ChannelField field, QStringView text);

// The text the frequency commit writes into a field of a new channel (Rx Tone,
// Tx Tone, Busy Lock: Off; Power: High; Scan Add: Add; Bandwidth: Wide); empty
// for the frequency and name fields, which it handles itself.
[[nodiscard]] QString newChannelText(ChannelField field, Language language);

} // namespace kdw
