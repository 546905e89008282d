#include "core/channels/cellcommit.h"

#include "core/channels/tonelist.h"
#include "core/text/csv.h"
#include "core/text/localisedtext.h"

#include <algorithm>

namespace kdw {

namespace {

constexpr LocalisedText NotFrequency{u"\"%1\" is not a frequency: digits and at most one decimal point",
                                     u"“%1”不是频率：只能是数字和最多一个小数点",
                                     u"「%1」不是頻率：只能是數字和最多一個小數點"};
constexpr LocalisedText NotTone{u"\"%1\" is not an item of the tone list", u"“%1”不是亚音列表中的项",
                                u"「%1」不是信令列表中的項"};
constexpr LocalisedText NotName{u"\"%1\" is not a name: at most 6 printable ASCII characters",
                                u"“%1”不是名称：最多 6 个可打印 ASCII 字符",
                                u"「%1」不是名稱：最多 6 個可列印 ASCII 字元"};
constexpr LocalisedText NotChoice{u"\"%1\" is not an item of this column", u"“%1”不是此列的选项",
                                  u"「%1」不是此欄的選項"};
constexpr LocalisedText NoFrequency{u"the channel has no Rx Freq, so its other cells must be empty",
                                    u"该信道没有接收频率，其他单元格必须为空",
                                    u"該信道沒有接收頻率，其他儲存格必須為空"};
constexpr LocalisedText LineBecame{u"line %1, %2: %3 became %4", u"第 %1 行，%2：%3 变为 %4",
                                   u"第 %1 行，%2：%3 變為 %4"};
constexpr LocalisedText ChannelBecame{u"Channel %1, %2: %3 became %4", u"信道 %1，%2：%3 变为 %4",
                                      u"信道 %1，%2：%3 變為 %4"};
constexpr LocalisedText ChangedByTyping{
    u"These frequencies were clamped to the Frequency Range or moved to the channel step, as typing them does:",
    u"以下频率与手动输入时一样，被限制在频率范围内或调整到信道步进：",
    u"以下頻率與手動輸入時一樣，被限制在頻率範圍內或調整到信道步進："};
constexpr LocalisedText MoreLines{u"... and %1 more", u"……还有 %1 行", u"……還有 %1 行"};
constexpr int ListedLines = 20;
constexpr LocalisedText LineReason{u"line %1: %2", u"第 %1 行：%2", u"第 %1 行：%2"};
constexpr LocalisedText LineTitleReason{u"line %1, %2: %3", u"第 %1 行，%2：%3", u"第 %1 行，%2：%3"};
constexpr LocalisedText LineColumnReason{u"line %1, column %2 (%3): %4", u"第 %1 行，第 %2 列（%3）：%4",
                                         u"第 %1 行，第 %2 欄（%3）：%4"};

// Why a cell text cannot be typed into its field; nullptr when it can.
const LocalisedText *cellFault(ChannelField field, const QString &text, const QString &currentName)
{
    switch (field) {
    case RxFreqField:
    case TxFreqField: return isTypableFrequency(text) ? nullptr : &NotFrequency;
    case RxToneField:
    case TxToneField: return isToneListText(text) ? nullptr : &NotTone;
    case NameField: return isTypableName(text) || text == currentName ? nullptr : &NotName;
    default: return isChoiceText(field, text) ? nullptr : &NotChoice;
    }
}

} // namespace

RowTyping typeChannelRow(ChannelTexts &row, const QStringList &cells, const QString &currentName, Language language,
                         const FrequencyRange &range)
{
    RowTyping typing;
    for (int f = 0; f < ChannelFieldCount && f < cells.size(); ++f) {
        const QString &cell = cells.at(f);
        if (cell.isEmpty())
            continue;
        const auto field = ChannelField(f);
        if (const LocalisedText *fault = cellFault(field, cell, currentName)) {
            typing.fault = CellFault{field, fault->text(language).arg(quotedCell(cell))};
            break;
        }
        if (row[RxFreqField].isEmpty() && field != RxFreqField) {
            typing.fault = CellFault{field, NoFrequency.text(language)};
            break;
        }
        if (auto change = commitCell(row, field, cell, range, language))
            typing.changes.append(*change);
    }
    return typing;
}

QString lineChangeText(int line, const FrequencyChange &change, Language language)
{
    return LineBecame.text(language).arg(line).arg(gridHeaderTexts(language).value(change.field + 1),
                                                   quotedCell(change.typed), change.became);
}

QString channelChangeText(int channel, const FrequencyChange &change, Language language)
{
    return ChannelBecame.text(language).arg(channel).arg(gridHeaderTexts(language).value(change.field + 1),
                                                         quotedCell(change.typed), change.became);
}

QString listedLines(const QStringList &lines, Language language)
{
    QStringList listed = lines.mid(0, ListedLines);
    if (lines.size() > ListedLines)
        listed.append(MoreLines.text(language).arg(lines.size() - ListedLines));
    return listed.join(u'\n');
}

QString frequencyChangesReport(const QStringList &changes, Language language)
{
    return ChangedByTyping.text(language) + u'\n' + listedLines(changes, language);
}

QString lineFaultText(int line, int column, int rxFreqColumn, const QString &reason, Language language)
{
    const bool gridColumn = column >= 1 && column <= ChannelFieldCount;
    return lineColumnText(line, gridColumn ? column - 1 + rxFreqColumn : 0,
                          gridColumn ? gridHeaderTexts(language).at(column) : QString(), reason, language);
}

QString lineColumnText(int line, int column, const QString &title, const QString &reason, Language language)
{
    if (line < 1)
        return reason;
    if (column >= 1)
        return LineColumnReason.text(language).arg(line).arg(column).arg(title, reason);
    if (!title.isEmpty())
        return LineTitleReason.text(language).arg(line).arg(title, reason);
    return LineReason.text(language).arg(line).arg(reason);
}

std::optional<FrequencyChange> commitFrequencyCell(ChannelTexts &row, ChannelField field, QStringView typed,
                                                   const FrequencyRange &range, Language language)
{
    const quint32 value = committedFrequency(typed, range);
    const QString text = value == 0 ? QString() : frequencyText(value);
    const bool wasEmpty = row[RxFreqField].isEmpty();
    if (field != RxFreqField && field != TxFreqField)
        return std::nullopt;
    // Told only when the cell takes the changed value.
    std::optional<FrequencyChange> change;
    if (value != frequencyFromText(typed) && !(field == TxFreqField && wasEmpty))
        change = FrequencyChange{field, typed.toString(), text};
    if (field == TxFreqField) {
        row[TxFreqField] = wasEmpty ? QString() : text;
        return change;
    }
    if (text.isEmpty()) {
        row.fill(QString());
        return change;
    }
    row[RxFreqField] = text;
    if (!wasEmpty)
        return change;
    row[TxFreqField] = text;
    for (const ChannelField f : {RxToneField, TxToneField, BusyLockField, PowerField, ScanAddField, BandwidthField})
        row[f] = newChannelText(f, language);
    return change;
}

void commitChoiceCell(ChannelTexts &row, ChannelField field, const QString &text)
{
    if (field < 0 || field >= ChannelFieldCount)
        return;
    row[field] = row[RxFreqField].isEmpty() ? QString() : text;
}

std::optional<FrequencyChange> commitCell(ChannelTexts &row, ChannelField field, const QString &text,
                                          const FrequencyRange &range, Language language)
{
    if (field == RxFreqField || field == TxFreqField)
        return commitFrequencyCell(row, field, text, range, language);
    commitChoiceCell(row, field, text);
    return std::nullopt;
}

bool isTypableFrequency(QStringView text)
{
    return text.count(u'.') <= 1
           && std::all_of(text.begin(), text.end(), [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

} // namespace kdw
