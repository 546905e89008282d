#include "channels/cellcommit.h"

#include <algorithm>

namespace kdw {

void commitFrequencyCell(ChannelTexts &row, ChannelField field, QStringView typed,
                         const FrequencyRange &range, quint8 languageIndex)
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
    for (const ChannelField f : {RxToneField, TxToneField, BusyLockField, PowerField, ScanAddField,
                                 BandwidthField})
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
           && std::all_of(text.begin(), text.end(),
                          [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

} // namespace kdw
