#include "core/channels/plancheck.h"

#include "core/channels/channelcodec.h"
#include "core/channels/tonelist.h"
#include "core/image/regions.h"
#include "core/settings/settingtable.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <type_traits>

namespace kdw {

namespace {

using namespace channeltext;

constexpr LocalisedText DuplicateText{
    u"the same Rx Freq, Tx Freq, tones and Bandwidth (%1 MHz): clear the extra channels or give each its own tones",
    u"接收频率、发射频率、亚音和带宽都相同（%1 MHz）：请清除多余的信道，或为每个信道设置不同的亚音",
    u"接收頻率、發射頻率、信令和帶寬都相同（%1 MHz）：請清除多餘的信道，或為每個信道設定不同的信令"};
constexpr LocalisedText SameNameText{
    u"the same name \"%1\": the radio shows these channels alike; give each its own name",
    u"名称“%1”重复：对讲机上这些信道显示相同；请为每个信道取不同的名称",
    u"名稱「%1」重複：對講機上這些信道顯示相同；請為每個信道取不同的名稱"};
constexpr LocalisedText OutOfRangeText{u"outside the Frequency Range %1-%2 MHz: %3; enter a frequency within the range",
                                       u"超出频率范围 %1-%2 MHz：%3；请输入范围内的频率",
                                       u"超出頻率範圍 %1-%2 MHz：%3；請輸入範圍內的頻率"};
constexpr LocalisedText FrequencyMhz{u"%1 %2 MHz", u"%1 %2 MHz", u"%1 %2 MHz"};
constexpr LocalisedText ListSeparator{u", ", u"、", u"、"};
constexpr LocalisedText GapText{
    u"empty between used channels: the radio steps and scans in channel order; move the channels up unless the gap "
    u"is meant",
    u"已用信道之间的空信道：对讲机按信道顺序切换和扫描；如非有意留空，请把后面的信道上移",
    u"已用信道之間的空信道：對講機按信道順序切換和掃描；如非有意留空，請把後面的信道上移"};
constexpr LocalisedText ToneOneWayText{
    u"a simplex channel that sends Tx Tone %1 but has no Rx Tone: the radio hears every user of the frequency; set "
    u"the Rx Tone to %1 too if only this group should be heard",
    u"单工信道有发射亚音 %1 但没有接收亚音：对讲机会听到该频率上的所有用户；若只想听到本组，请把接收亚音也设为 %1",
    u"單工信道有發射信令 %1 但沒有接收信令：對講機會聽到該頻率上的所有使用者；若只想聽到本組，請把接收信令也設為 %1"};
constexpr LocalisedText NoTxText{
    u"no Tx Freq: the radio only receives on this channel; enter a Tx Freq if it should transmit",
    u"没有发射频率：对讲机在此信道上只能接收；如需发射，请输入发射频率",
    u"沒有發射頻率：對講機在此信道上只能接收；如需發射，請輸入發射頻率"};
constexpr LocalisedText WideSplitText{
    u"Tx Freq is %1 MHz away from Rx Freq, more than any repeater pair of the band (%2 MHz): check the Tx Freq",
    u"发射频率与接收频率相差 %1 MHz，超过本频段任何中继的收发间隔（%2 MHz）：请检查发射频率",
    u"發射頻率與接收頻率相差 %1 MHz，超過本頻段任何中繼的收發間隔（%2 MHz）：請檢查發射頻率"};
constexpr LocalisedText BandwidthMismatchText{
    u"Rx Freq %1 MHz is Wide on some channels and Narrow on others: radios on one frequency need one Bandwidth; set "
    u"these channels alike",
    u"接收频率 %1 MHz 在部分信道上为宽带、在其他信道上为窄带：同一频率上的对讲机需要相同的带宽；请把这些信道设为一致",
    u"接收頻率 %1 MHz 在部分信道上為寬頻、在其他信道上為窄頻：同一頻率上的對講機需要相同的帶寬；請把這些信道設為一致"};
constexpr LocalisedText OddToneText{
    u"not in the tone list: %1; other radios cannot be set to it: choose a tone from the list",
    u"不在亚音列表中：%1；其他对讲机无法设置此亚音：请从列表中选择亚音",
    u"不在信令列表中：%1；其他對講機無法設定此信令：請從列表中選擇信令"};
constexpr LocalisedText ToneText{u"%1 %2", u"%1 %2", u"%1 %2"};
constexpr LocalisedText NameCharactersText{
    u"the name \"%1\" holds characters the radio cannot show: type it again with letters, digits and signs",
    u"名称“%1”含有对讲机无法显示的字符：请用字母、数字和符号重新输入",
    u"名稱「%1」含有對講機無法顯示的字元：請用字母、數字和符號重新輸入"};
constexpr LocalisedText PriorityEmptyText{
    u"the Priority Channel (Option) is this empty channel: choose a used channel or Off there",
    u"优先信道（功能设置）是这个空信道：请在那里选择已用的信道或关",
    u"優先頻道（功能設定）是這個空信道：請在那裡選擇已用的信道或關"};

// No repeater pair of the 400-470 MHz band is split wider than this: 5 and
// 10 MHz are common, the widest in use is 14.5 MHz. Units of 10 Hz.
constexpr quint32 WidestRepeaterSplit = 1500000;

// A used channel as the check reads it, through the codec: values, not texts,
// so the check stays cheap enough to run on every edit.
struct UsedChannel
{
    int number = 0;
    quint32 rx = 0;
    quint32 tx = 0;
    ToneCode rxTone; // Off read either way is ToneOff
    ToneCode txTone;
    bool wide = false;
    QString shownName; // the name as the radio shows it: trailing blanks are padding

    auto duplicateKey() const { return std::tuple(rx, tx, rxTone.high, rxTone.low, txTone.high, txTone.low, wide); }
};

ToneCode toneAt(const MemoryImage &image, int offset)
{
    const ToneCode code = readTone(image, offset);
    return toneKind(code) == ToneKind::Off ? ToneOff : code;
}

QList<UsedChannel> usedChannels(const MemoryImage &image)
{
    QList<UsedChannel> used;
    for (int n = 1; n <= region::ChannelCount; ++n) {
        if (isEmptyChannel(image, n))
            continue;
        const int base = region::channelRecord(n);
        UsedChannel channel{n,
                            readFrequency(image, base + record::RxFrequency),
                            readFrequency(image, base + record::TxFrequency),
                            toneAt(image, base + record::RxTone),
                            toneAt(image, base + record::TxTone),
                            (image.byte(base + record::Flags) & record::BandwidthBit) != 0,
                            readName(image, n)};
        while (channel.shownName.endsWith(u' '))
            channel.shownName.chop(1);
        used.append(channel);
    }
    return used;
}

QString joined(const QStringList &items, Language language)
{
    return items.join(ListSeparator.in(language));
}

class Findings
{
public:
    Findings(const MemoryImage &image, const FrequencyRange &range, Language language)
        : m_image(image)
        , m_range(range)
        , m_language(language)
        , m_used(usedChannels(image))
    {
    }

    QList<PlanFinding> all()
    {
        findGroups();
        for (const UsedChannel &channel : std::as_const(m_used))
            findInChannel(channel);
        findGaps();
        findEmptyPriorityChannel();
        std::stable_sort(m_found.begin(), m_found.end(), [](const PlanFinding &a, const PlanFinding &b) {
            return std::pair(a.channels.first(), a.code) < std::pair(b.channels.first(), b.code);
        });
        return m_found;
    }

private:
    void add(QList<int> channels, const char *code, FindingKind kind, const QString &text)
    {
        m_found.append(PlanFinding{std::move(channels), QString::fromLatin1(code), kind, text});
    }

    QString mhz(const QString &field, quint32 value) const
    {
        return FrequencyMhz.text(m_language).arg(field, frequencyText(value));
    }

    QString header(ChannelField field) const { return GridHeaders.at(field + 1).text(m_language); }

    // Channels that share a key, in channel order; the groups of two or more.
    // A key of nullopt leaves the channel out.
    template <typename KeyOf>
    QList<QList<const UsedChannel *>> groups(KeyOf keyOf) const
    {
        using Key = typename std::invoke_result_t<KeyOf, const UsedChannel &>::value_type;
        std::map<Key, QList<const UsedChannel *>> byKey;
        for (const UsedChannel &channel : m_used) {
            if (const auto key = keyOf(channel))
                byKey[*key].append(&channel);
        }
        QList<QList<const UsedChannel *>> shared;
        for (const auto &[key, group] : byKey) {
            if (group.size() > 1)
                shared.append(group);
        }
        return shared;
    }

    static QList<int> numbers(const QList<const UsedChannel *> &group)
    {
        QList<int> list;
        for (const UsedChannel *channel : group)
            list.append(channel->number);
        return list;
    }

    void findGroups()
    {
        for (const auto &group : groups([](const UsedChannel &c) { return std::optional(c.duplicateKey()); })) {
            add(numbers(group), "duplicate", FindingKind::Warning,
                DuplicateText.text(m_language).arg(frequencyText(group.first()->rx)));
        }
        const auto nameOf
            = [](const UsedChannel &c) { return c.shownName.isEmpty() ? std::nullopt : std::optional(c.shownName); };
        for (const auto &group : groups(nameOf)) {
            add(numbers(group), "same-name", FindingKind::Warning,
                SameNameText.text(m_language).arg(shownCharacters(group.first()->shownName)));
        }
        for (const auto &group : groups([](const UsedChannel &c) { return std::optional(c.rx); })) {
            const bool mixed = std::any_of(group.begin(), group.end(),
                                           [&group](const UsedChannel *c) { return c->wide != group.first()->wide; });
            if (mixed) {
                add(numbers(group), "bandwidth-mismatch", FindingKind::Warning,
                    BandwidthMismatchText.text(m_language).arg(frequencyText(group.first()->rx)));
            }
        }
    }

    bool inRange(quint32 value) const { return value >= m_range.lower && value <= m_range.upper; }

    void findInChannel(const UsedChannel &c)
    {
        findFrequencies(c);
        if (c.rx == c.tx && c.rxTone == ToneOff && c.txTone != ToneOff) {
            add({c.number}, "tone-one-way", FindingKind::Note,
                ToneOneWayText.text(m_language).arg(toneText(c.txTone, m_language)));
        }
        QStringList oddTones;
        for (const auto &[field, tone] : {std::pair(RxToneField, c.rxTone), std::pair(TxToneField, c.txTone)}) {
            if (tone == ToneOff)
                continue;
            const QString text = toneText(tone, m_language);
            if (!isToneListText(text))
                oddTones.append(ToneText.text(m_language).arg(header(field), text));
        }
        if (!oddTones.isEmpty()) {
            add({c.number}, "odd-tone", FindingKind::Warning,
                OddToneText.text(m_language).arg(joined(oddTones, m_language)));
        }
        if (!isTypableName(c.shownName)) {
            add({c.number}, "name-characters", FindingKind::Warning,
                NameCharactersText.text(m_language).arg(shownCharacters(c.shownName)));
        }
    }

    void findFrequencies(const UsedChannel &c)
    {
        QStringList outside;
        if (!inRange(c.rx))
            outside.append(mhz(header(RxFreqField), c.rx));
        // A Tx Freq of 0 is a receive-only channel, told apart below.
        if (c.tx != 0 && !inRange(c.tx))
            outside.append(mhz(header(TxFreqField), c.tx));
        if (!outside.isEmpty()) {
            add({c.number}, "out-of-range", FindingKind::Warning,
                OutOfRangeText.text(m_language)
                    .arg(rangeBoundText(m_range.lower), rangeBoundText(m_range.upper), joined(outside, m_language)));
        }
        if (c.tx == 0)
            add({c.number}, "no-tx", FindingKind::Note, NoTxText.text(m_language));
        const quint32 split = c.rx > c.tx ? c.rx - c.tx : c.tx - c.rx;
        if (outside.isEmpty() && c.tx != 0 && split > WidestRepeaterSplit) {
            add({c.number}, "wide-split", FindingKind::Warning,
                WideSplitText.text(m_language).arg(frequencyText(split), rangeBoundText(WidestRepeaterSplit)));
        }
    }

    // Characters the radio cannot show written as \xNN, so the text shows
    // where they are and cannot act on a terminal.
    static QString shownCharacters(const QString &name)
    {
        QString shown;
        for (const QChar c : name) {
            if (isTypableName(QStringView(&c, 1)))
                shown += c;
            else
                shown += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        }
        return shown;
    }

    void findGaps()
    {
        for (qsizetype i = 1; i < m_used.size(); ++i) {
            QList<int> run;
            for (int n = m_used.at(i - 1).number + 1; n < m_used.at(i).number; ++n)
                run.append(n);
            if (!run.isEmpty())
                add(run, "gap", FindingKind::Note, GapText.text(m_language));
        }
    }

    void findEmptyPriorityChannel()
    {
        const Setting *priority = findSetting(u"Priority Channel");
        if (!priority || !priority->choice())
            return;
        const int channel = priority->choice()->shownIndex(m_image); // item 0 is Off
        if (channel >= 1 && channel <= region::ChannelCount && isEmptyChannel(m_image, channel))
            add({channel}, "priority-empty", FindingKind::Warning, PriorityEmptyText.text(m_language));
    }

    const MemoryImage &m_image;
    const FrequencyRange m_range;
    const Language m_language;
    const QList<UsedChannel> m_used;
    QList<PlanFinding> m_found;
};

} // namespace

QList<PlanFinding> checkPlan(const MemoryImage &image, const FrequencyRange &range, Language language)
{
    return Findings(image, range, language).all();
}

} // namespace kdw
