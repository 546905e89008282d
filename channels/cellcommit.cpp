#include "channels/cellcommit.h"

#include "app/localisedtext.h"
#include "channels/tonelist.h"

#include <algorithm>

namespace kdw {

namespace {

constexpr LocalisedText CellFaultText{u"%1 \"%2\": %3", u"%1“%2”：%3", u"%1「%2」：%3"};
constexpr LocalisedText NotFrequency{u"a frequency is digits and a decimal point", u"频率只能是数字和小数点",
                                     u"頻率只能是數字和小數點"};
constexpr LocalisedText NotTone{u"not an item of the tone list", u"不是亚音列表中的项", u"不是信令列表中的項"};
constexpr LocalisedText NotName{u"a name is at most 6 printable ASCII characters", u"名称最多 6 个可打印 ASCII 字符",
                                u"名稱最多 6 個可列印 ASCII 字元"};
constexpr LocalisedText NotChoice{u"not an item of this column", u"不是此列的选项", u"不是此欄的選項"};
constexpr LocalisedText NoFrequency{u"%1: the channel has no Rx Freq, so its other cells must be empty",
                                    u"%1：该信道没有接收频率，其他单元格必须为空",
                                    u"%1：該信道沒有接收頻率，其他儲存格必須為空"};

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

std::optional<CellFault> typeChannelRow(ChannelTexts &row, const QStringList &cells, const QString &currentName,
                                        quint8 languageIndex, const FrequencyRange &range)
{
    const QStringList headers = gridHeaderTexts(languageIndex);
    for (int f = 0; f < ChannelFieldCount && f < cells.size(); ++f) {
        const QString &cell = cells.at(f);
        if (cell.isEmpty())
            continue;
        const auto field = ChannelField(f);
        const QString &header = headers.at(f + 1);
        if (const LocalisedText *fault = cellFault(field, cell, currentName))
            return CellFault{field, CellFaultText.text(languageIndex).arg(header, cell, fault->text(languageIndex))};
        if (row[RxFreqField].isEmpty() && field != RxFreqField)
            return CellFault{field, NoFrequency.text(languageIndex).arg(header)};
        if (field == RxFreqField || field == TxFreqField)
            commitFrequencyCell(row, field, cell, range, languageIndex);
        else
            commitChoiceCell(row, field, cell);
    }
    return std::nullopt;
}

void commitFrequencyCell(ChannelTexts &row, ChannelField field, QStringView typed, const FrequencyRange &range,
                         quint8 languageIndex)
{
    const QString text = committedFrequencyText(typed, range);
    const bool wasEmpty = row[RxFreqField].isEmpty();
    if (field == TxFreqField) {
        row[TxFreqField] = wasEmpty ? QString() : text;
        return;
    }
    if (field != RxFreqField)
        return;
    if (text.isEmpty()) {
        row.fill(QString());
        return;
    }
    row[RxFreqField] = text;
    if (!wasEmpty)
        return;
    row[TxFreqField] = text;
    for (const ChannelField f : {RxToneField, TxToneField, BusyLockField, PowerField, ScanAddField, BandwidthField})
        row[f] = newChannelText(f, languageIndex);
}

void commitChoiceCell(ChannelTexts &row, ChannelField field, const QString &text)
{
    if (field < 0 || field >= ChannelFieldCount)
        return;
    row[field] = row[RxFreqField].isEmpty() ? QString() : text;
}

bool isTypableFrequency(QStringView text)
{
    return text.count(u'.') <= 1
           && std::all_of(text.begin(), text.end(), [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

} // namespace kdw
