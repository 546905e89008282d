#include "core/channels/channelcodec.h"

#include "core/channels/decimalscale.h"
#include "core/channels/tonelist.h"
#include "core/image/regions.h"

#include <algorithm>
#include <limits>

namespace kdw {

using namespace channeltext;

// ---- Frequencies

quint32 readFrequency(const MemoryImage &image, int offset)
{
    quint32 value = 0;
    for (int k = 3; k >= 0; --k)
        value = value * 100 + quint32(bcdDecode(image.byte(offset + k)));
    return value;
}

void writeFrequency(MemoryImage &image, int offset, quint32 value)
{
    for (int k = 0; k < 4; ++k) {
        image.setByte(offset + k, bcdEncode(int(value % 100)));
        value /= 100;
    }
}

QString frequencyText(quint32 value)
{
    return QStringLiteral("%1.%2").arg(value / 100000).arg(value % 100000, 5, 10, QLatin1Char('0'));
}

quint32 frequencyFromText(QStringView text)
{
    const qint64 scaled = decimalScale(text, 5);
    if (scaled <= 0)
        return 0;
    return quint32(std::min<qint64>(scaled, std::numeric_limits<quint32>::max()));
}

// ---- Tones

namespace {

constexpr int MaxCtcss = 9999; // tenths of a hertz: four BCD digits
constexpr int MaxDcs = 6299;   // 0x80 + 62 and 0xC0 + 62 stay in their kind, below 0xFF

bool isOffText(QStringView text)
{
    return Off.matchesAny(text);
}

// The integer value of the leading decimal digits, as _wtoi reads them
// (leading white space and a sign allowed), clamped to 0..limit.
int leadingInteger(QStringView text, int limit)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), qint64(limit) + 1);
    if (negative)
        return 0;
    return int(std::min<qint64>(value, limit));
}

} // namespace

ToneCode readTone(const MemoryImage &image, int offset)
{
    return ToneCode{image.byte(offset + 1), image.byte(offset)};
}

void writeTone(MemoryImage &image, int offset, ToneCode code)
{
    image.setByte(offset, code.low);
    image.setByte(offset + 1, code.high);
}

ToneKind toneKind(ToneCode code)
{
    if (code.high == 0x00 || code.high == 0xFF)
        return ToneKind::Off;
    return code.high < 0x80 ? ToneKind::Ctcss : ToneKind::Dcs;
}

bool isInvertedDcs(ToneCode code)
{
    return toneKind(code) == ToneKind::Dcs && code.high >= 0xC0;
}

int toneNumber(ToneCode code)
{
    switch (toneKind(code)) {
    case ToneKind::Off: return 0;
    case ToneKind::Ctcss: return bcdDecode(code.high) * 100 + bcdDecode(code.low);
    case ToneKind::Dcs: break;
    }
    return bcdDecode(quint8(code.high - (isInvertedDcs(code) ? 0xC0 : 0x80))) * 100 + bcdDecode(code.low);
}

QString toneText(ToneCode code, Language language)
{
    const int number = toneNumber(code);
    switch (toneKind(code)) {
    case ToneKind::Off: return Off.text(language);
    case ToneKind::Ctcss: return QStringLiteral("%1.%2").arg(number / 10).arg(number % 10);
    case ToneKind::Dcs: break;
    }
    return QStringLiteral("D%1%2").arg(number, 3, 10, QLatin1Char('0')).arg(QChar(isInvertedDcs(code) ? u'I' : u'N'));
}

std::optional<ToneCode> toneFromText(QStringView text)
{
    if (isOffText(text))
        return ToneOff;
    if (text.startsWith(u'D')) {
        const QStringView rest = text.mid(1);
        quint8 kind = 0;
        if (rest.contains(u'N'))
            kind = 0x80;
        else if (rest.contains(u'I'))
            kind = 0xC0;
        else
            return std::nullopt;
        const int d = leadingInteger(rest, MaxDcs);
        return ToneCode{quint8(kind + d / 100), bcdEncode(d % 100)};
    }
    const int t = int(std::clamp<qint64>(decimalScale(text, 1), 0, MaxCtcss));
    return ToneCode{bcdEncode(t / 100), bcdEncode(t % 100)};
}

// ---- Flags

QString busyLockText(quint8 flags, Language language)
{
    switch (flags & record::BusyLockMask) {
    case 0: return Off.text(language);
    case 1: return Carrier.text(language);
    case 2: return Qdt.text(language);
    default: return {};
    }
}

QString powerText(quint8 flags, Language language)
{
    return ((flags & record::PowerBit) ? High : Low).text(language);
}

QString scanAddText(quint8 flags, Language language)
{
    return ((flags & record::ScanAddBit) ? Add : Del).text(language);
}

QString bandwidthText(quint8 flags, Language language)
{
    return ((flags & record::BandwidthBit) ? Wide : Narrow).text(language);
}

quint8 flagsFromTexts(quint8 previous, QStringView busyLock, QStringView power, QStringView scanAdd,
                      QStringView bandwidth)
{
    quint8 flags = previous & quint8(~record::BusyLockMask);
    if (Carrier.matchesAny(busyLock))
        flags |= 1;
    else if (Qdt.matchesAny(busyLock))
        flags |= 2;
    const auto setBit = [&flags](quint8 bit, bool on) { flags = on ? quint8(flags | bit) : quint8(flags & ~bit); };
    setBit(record::PowerBit, High.matchesAny(power));
    setBit(record::ScanAddBit, !Del.matchesAny(scanAdd));
    setBit(record::BandwidthBit, Wide.matchesAny(bandwidth));
    return flags;
}

// ---- Names

QString readName(const MemoryImage &image, int channel)
{
    const int slot = region::nameSlot(channel);
    QString name;
    for (int k = 0; k < region::NameLength; ++k) {
        const quint8 b = image.byte(slot + k);
        if (b == 0xFF || b == 0x00)
            break;
        name += QChar(char16_t(b));
    }
    return name;
}

void writeName(MemoryImage &image, int channel, QStringView name)
{
    const int slot = region::nameSlot(channel);
    for (int k = 0; k < region::NameLength; ++k)
        image.setByte(slot + k, k < name.size() ? quint8(name[k].unicode() & 0xFF) : quint8(0xFF));
}

bool isTypableName(QStringView name)
{
    if (name.size() > region::NameLength)
        return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; });
}

// ---- Whole channels

bool isEmptyChannel(const MemoryImage &image, int channel)
{
    return image.byte(region::channelRecord(channel) + record::RxFrequency + 3) == 0xFF;
}

QString channelFieldText(const MemoryImage &image, int channel, ChannelField field, Language language)
{
    if (isEmptyChannel(image, channel))
        return {};
    const int base = region::channelRecord(channel);
    const quint8 flags = image.byte(base + record::Flags);
    switch (field) {
    case RxFreqField: return frequencyText(readFrequency(image, base + record::RxFrequency));
    case TxFreqField: return frequencyText(readFrequency(image, base + record::TxFrequency));
    case RxToneField: return toneText(readTone(image, base + record::RxTone), language);
    case TxToneField: return toneText(readTone(image, base + record::TxTone), language);
    case BusyLockField: return busyLockText(flags, language);
    case PowerField: return powerText(flags, language);
    case ScanAddField: return scanAddText(flags, language);
    case BandwidthField: return bandwidthText(flags, language);
    case NameField: return readName(image, channel);
    case ChannelFieldCount: break;
    }
    return {};
}

ChannelTexts channelTexts(const MemoryImage &image, int channel, Language language)
{
    ChannelTexts texts;
    for (int field = 0; field < ChannelFieldCount; ++field)
        texts[std::size_t(field)] = channelFieldText(image, channel, ChannelField(field), language);
    return texts;
}

namespace {

// A tone text outside the tone list can only come from bytes that were loaded
// as they stood (another tool, a damaged file). Encoding that text again does
// not give the same bytes back, so every store would move them further; an
// odd tone that is still shown as loaded keeps its bytes.
void storeTone(MemoryImage &image, int offset, const QString &text)
{
    const ToneCode current = readTone(image, offset);
    if (!isToneListText(text) && text == toneText(current, Language::Eng) && current.high != 0xFF
        && current.high != 0x00)
        return;
    if (const auto tone = toneFromText(text))
        writeTone(image, offset, *tone);
}

} // namespace

void storeChannelTexts(MemoryImage &image, int channel, const ChannelTexts &texts)
{
    const int base = region::channelRecord(channel);
    if (texts[RxFreqField].isEmpty()) {
        for (int k = 0; k < region::ChannelRecordSize; ++k)
            image.setByte(base + k, 0xFF);
        return;
    }
    writeFrequency(image, base + record::RxFrequency, frequencyFromText(texts[RxFreqField]));
    writeFrequency(image, base + record::TxFrequency, frequencyFromText(texts[TxFreqField]));
    storeTone(image, base + record::RxTone, texts[RxToneField]);
    storeTone(image, base + record::TxTone, texts[TxToneField]);
    image.setByte(base + record::Flags, flagsFromTexts(image.byte(base + record::Flags), texts[BusyLockField],
                                                       texts[PowerField], texts[ScanAddField], texts[BandwidthField]));
    writeName(image, channel, texts[NameField]);
}

} // namespace kdw
