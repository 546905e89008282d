#include "core/channels/channelfill.h"

#include "core/channels/decimalscale.h"
#include "core/text/localisedtext.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace kdw {

namespace {

constexpr LocalisedText NotMegahertz{u"\"%1\" is not a frequency in MHz", u"“%1”不是以 MHz 为单位的频率",
                                     u"「%1」不是以 MHz 為單位的頻率"};
constexpr LocalisedText NotStep{u"\"%1\" is not a step in kHz", u"“%1”不是以 kHz 为单位的步进",
                                u"「%1」不是以 kHz 為單位的步進"};
constexpr LocalisedText NotOffset{u"\"%1\" is not an offset in MHz", u"“%1”不是以 MHz 为单位的偏移",
                                  u"「%1」不是以 MHz 為單位的偏移"};
constexpr LocalisedText OutOfRange{
    u"Nothing was changed: channel %1 would get %2 %3 MHz, outside the Frequency Range %4 to %5 MHz.",
    u"未做任何更改：信道 %1 的%2将为 %3 MHz，超出频率范围 %4 至 %5 MHz。",
    u"未做任何更改：信道 %1 的%2將為 %3 MHz，超出頻率範圍 %4 至 %5 MHz。"};

// Typed values beyond 10 GHz are not frequencies; keeping them this small
// also keeps first + 98 steps far inside 64 bits.
constexpr qint64 LargestTyped = 1'000'000'000; // units of 10 Hz

// A number with an optional sign, scaled as typing scales: MHz by 10^5 and
// kHz by 10^2 give units of 10 Hz.
std::optional<qint64> signedUnits(QStringView text, int decimals)
{
    QStringView digits = text.trimmed();
    const bool negative = digits.startsWith(u'-');
    if (negative || digits.startsWith(u'+'))
        digits = digits.mid(1);
    if (!isTypableFrequency(digits) || !std::any_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    const qint64 value = decimalScale(digits, decimals);
    if (value > LargestTyped)
        return std::nullopt;
    return negative ? -value : value;
}

QString signedFrequencyText(qint64 value)
{
    const QString text = frequencyText(quint32(std::llabs(value)));
    return value < 0 ? u'-' + text : text;
}

bool inRange(qint64 value, const FrequencyRange &range)
{
    return value >= qint64(range.lower) && value <= qint64(range.upper);
}

QString refusal(int channel, ChannelField field, qint64 value, const FrequencyRange &range, Language language)
{
    return OutOfRange.text(language).arg(channel).arg(gridHeaderTexts(language).value(field + 1),
                                                      signedFrequencyText(value), frequencyText(range.lower),
                                                      frequencyText(range.upper));
}

// Channel numbers of the table, ascending, each once.
QList<int> ascending(const QList<int> &channels, const ChannelTable &table)
{
    QList<int> ordered;
    for (int channel : channels) {
        if (channel >= 1 && channel <= int(table.size()))
            ordered.append(channel);
    }
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    return ordered;
}

} // namespace

QList<ChannelFrequencyChange> setCells(ChannelTable &table, const QList<int> &channels, ChannelField field,
                                       const QString &text, const FrequencyRange &range, Language language)
{
    QList<ChannelFrequencyChange> changes;
    for (int channel : ascending(channels, table)) {
        if (auto change = commitCell(table[std::size_t(channel - 1)], field, text, range, language))
            changes.append({channel, *change});
    }
    return changes;
}

QList<ChannelFrequencyChange> fillDown(ChannelTable &table, const QList<ChannelCell> &cells,
                                       const FrequencyRange &range, Language language)
{
    // Fields in order, so Rx Freq runs first.
    std::map<int, QList<int>> byField;
    for (const ChannelCell &cell : cells) {
        if (cell.channel >= 1 && cell.channel <= int(table.size()) && cell.field >= 0 && cell.field < ChannelFieldCount)
            byField[cell.field].append(cell.channel);
    }
    QList<ChannelFrequencyChange> changes;
    for (auto &[f, channels] : byField) {
        const auto field = ChannelField(f);
        const int top = *std::min_element(channels.begin(), channels.end());
        const QString text = table[std::size_t(top - 1)][std::size_t(field)];
        if (text.isEmpty())
            continue;
        channels.removeAll(top);
        changes += setCells(table, channels, field, text, range, language);
    }
    return changes;
}

FrequencyRunTyping frequencyRunFromTexts(QStringView first, QStringView step, TxFill tx, QStringView offset,
                                         Language language)
{
    const auto firstUnits = signedUnits(first, 5);
    if (!firstUnits)
        return {std::nullopt, NotMegahertz.text(language).arg(first)};
    const auto stepUnits = signedUnits(step, 2);
    if (!stepUnits)
        return {std::nullopt, NotStep.text(language).arg(step)};
    const auto offsetUnits = tx == TxFill::RxPlusOffset ? signedUnits(offset, 5) : std::optional<qint64>(0);
    if (!offsetUnits)
        return {std::nullopt, NotOffset.text(language).arg(offset)};
    return {FrequencyRun{*firstUnits, *stepUnits, tx, *offsetUnits}, {}};
}

FrequencyRunResult fillFrequencies(ChannelTable &table, const QList<int> &channels, const FrequencyRun &run,
                                   const FrequencyRange &range, Language language)
{
    ChannelTable filled = table;
    FrequencyRunResult result;
    qint64 rx = run.first;
    for (int channel : ascending(channels, table)) {
        ChannelTexts &row = filled[std::size_t(channel - 1)];
        if (!inRange(rx, range))
            return {{}, refusal(channel, RxFreqField, rx, range, language)};
        if (auto change = commitFrequencyCell(row, RxFreqField, frequencyText(quint32(rx)), range, language))
            result.changes.append({channel, *change});
        rx += run.step;
        if (run.tx == TxFill::Unchanged)
            continue;
        const qint64 tx
            = qint64(frequencyFromText(row[RxFreqField])) + (run.tx == TxFill::RxPlusOffset ? run.offset : 0);
        if (!inRange(tx, range))
            return {{}, refusal(channel, TxFreqField, tx, range, language)};
        if (auto change = commitFrequencyCell(row, TxFreqField, frequencyText(quint32(tx)), range, language))
            result.changes.append({channel, *change});
    }
    table = filled;
    return result;
}

} // namespace kdw
