#pragma once

#include "core/channels/channeltexts.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>

namespace kdw {

// One channel as the grid shows it: the nine texts in ChannelField order.
using ChannelTexts = std::array<QString, ChannelFieldCount>;

// Byte offsets inside a 16-byte channel record.
namespace record {
inline constexpr int RxFrequency = 0; // 4 BCD bytes, least significant pair first
inline constexpr int TxFrequency = 4;
inline constexpr int RxTone = 8; // low byte, then high byte
inline constexpr int TxTone = 10;
inline constexpr int Flags = 12;
inline constexpr quint8 BusyLockMask = 0x03; // 0 Off, 1 Carrier, 2 QDT
inline constexpr quint8 BandwidthBit = 0x04; // 1 Wide
inline constexpr quint8 ScanAddBit = 0x10;   // 1 Add
inline constexpr quint8 PowerBit = 0x20;     // 1 High
} // namespace record

// BCD byte: high nibble * 10 + low nibble, nibbles not checked (0xFF is 165).
constexpr int bcdDecode(quint8 byte)
{
    return (byte >> 4) * 10 + (byte & 0x0F);
}
// 0..99 to a BCD byte.
constexpr quint8 bcdEncode(int value)
{
    return quint8(((value / 10) << 4) | (value % 10));
}

// ---- Frequencies: units of 10 Hz (462.12500 MHz is 46212500).

// Four BCD bytes at `offset`, least significant digit pair first.
[[nodiscard]] quint32 readFrequency(const MemoryImage &image, int offset);
// Writes value mod 10^8 (digit pairs above the eighth digit are dropped).
void writeFrequency(MemoryImage &image, int offset, quint32 value);
// "%3.5f" of value / 100000, exact: 46212500 is "462.12500", 0 is "0.00000".
[[nodiscard]] QString frequencyText(quint32 value);
// Decimal scaling of the text by 100000. Text without a number, negative
// numbers and NaN give 0; numbers beyond the 32-bit range give 0xFFFFFFFF.
[[nodiscard]] quint32 frequencyFromText(QStringView text);

// ---- Tones.

struct ToneCode
{
    quint8 high = 0xFF;
    quint8 low = 0xFF;
    bool operator==(const ToneCode &) const = default;
};

inline constexpr ToneCode ToneOff{0xFF, 0xFF};

[[nodiscard]] ToneCode readTone(const MemoryImage &image, int offset);
void writeTone(MemoryImage &image, int offset, ToneCode code);

// What a tone code's high byte says: 0x00 and 0xFF are Off, below 0x80 a CTCSS
// tone (four BCD digits of tenths of a hertz), from 0x80 a DCS code (0xC0 and
// above inverted).
enum class ToneKind { Off, Ctcss, Dcs };
[[nodiscard]] ToneKind toneKind(ToneCode code);
[[nodiscard]] bool isInvertedDcs(ToneCode code);
// The tone's number: tenths of a hertz for CTCSS (885 is 88.5 Hz), the code's
// three digits as a decimal number for DCS (D023N is 23), 0 for Off.
[[nodiscard]] int toneNumber(ToneCode code);

// Off, "%3.1f" Hz for CTCSS, "D%03dN" / "D%03dI" for DCS.
[[nodiscard]] QString toneText(ToneCode code, Language language);

// Text to tone code, tried in order: an Off text of any language; "D" then a
// code with "N" (normal) or "I" (inverted) somewhere after it, the code being
// the leading digits after the "D" (nullopt when neither letter follows: the
// bytes are left as they were); otherwise CTCSS by decimal scaling by 10.
// Out-of-range numbers are clamped so every text gives a defined code: a CTCSS
// value to 0..999.9 Hz, a DCS code to 0..6299 so its kind byte stays DCS.
[[nodiscard]] std::optional<ToneCode> toneFromText(QStringView text);

// ---- Flags (record byte 12).

// Busy Lock 3 has no text: it shows empty (and stores as Off).
[[nodiscard]] QString busyLockText(quint8 flags, Language language);
[[nodiscard]] QString powerText(quint8 flags, Language language);
[[nodiscard]] QString scanAddText(quint8 flags, Language language);
[[nodiscard]] QString bandwidthText(quint8 flags, Language language);

// The flag byte for four cell texts of any language, keeping the bits of
// `previous` that the editor does not own (3, 6 and 7). Unknown texts give
// Busy Lock Off, Power Low, Scan Add Add and Bandwidth Narrow.
[[nodiscard]] quint8 flagsFromTexts(quint8 previous, QStringView busyLock, QStringView power, QStringView scanAdd,
                                    QStringView bandwidth);

// ---- Names (6 bytes of an 8-byte slot).

// Bytes 0 to 5 up to the first 0xFF, each shown as the character of that code
// (0x80..0xFE as U+0080..U+00FE); a 0x00 byte ends the shown name.
[[nodiscard]] QString readName(const MemoryImage &image, int channel);
// Positions 0 to 5: the low 8 bits of the character's code, 0xFF past the end of
// the text; characters after the sixth are ignored. Bytes 6 and 7 stay.
void writeName(MemoryImage &image, int channel, QStringView name);
// What a user may type as a name: at most 6 characters, printable ASCII only,
// since the radio stores one byte per character.
[[nodiscard]] bool isTypableName(QStringView name);

// ---- Whole channels (channel 1..99).

// A record is empty when its Rx frequency's most significant byte is 0xFF.
[[nodiscard]] bool isEmptyChannel(const MemoryImage &image, int channel);
// The text the grid shows in one cell; empty for every field of an empty channel.
[[nodiscard]] QString channelFieldText(const MemoryImage &image, int channel, ChannelField field, Language language);
// The nine texts the grid shows; nine empty texts for an empty channel.
[[nodiscard]] ChannelTexts channelTexts(const MemoryImage &image, int channel, Language language);
// The grid store of one row: an empty Rx Freq text makes the record sixteen
// 0xFF bytes and leaves the name slot alone; otherwise frequencies, tones,
// flags (bits 3, 6, 7 kept) and the name are written, record bytes 13-15 kept.
void storeChannelTexts(MemoryImage &image, int channel, const ChannelTexts &texts);

} // namespace kdw
