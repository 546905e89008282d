#pragma once

#include "channels/channelcodec.h"
#include "channels/frequencyrules.h"

#include <QStringList>
#include <QStringView>

#include <optional>

namespace kdw {

// What an in-place editor does to a grid row when it commits, without the
// grid: the view passes the row's texts, these rules change them.

// The frequency editor's commit into RxFreqField or TxFreqField. The typed text
// is scaled, clamped and snapped. Rx Freq: no frequency deletes the channel
// (all nine cells empty); a first frequency for an empty channel also sets Tx
// Freq and the new-channel texts of the tone and flag fields (Name stays);
// otherwise only the cell changes. Tx Freq: stays empty while Rx Freq is empty.
void commitFrequencyCell(ChannelTexts &row, ChannelField field, QStringView typed, const FrequencyRange &range,
                         quint8 languageIndex);

// The tone, choice and name editors' commit: the cell gets the editor text,
// or stays empty while the row's Rx Freq is empty.
void commitChoiceCell(ChannelTexts &row, ChannelField field, const QString &text);

// Why a cell of a row typed from text (a CSV line, a pasted line) is refused.
struct CellFault
{
    ChannelField field;
    QString message; // in the language asked for, names the column and the text
};

// Types `cells` (Rx Freq first, at most nine, empty ones not typed) into the
// empty row `row` as a user would: frequencies through the frequency editor,
// tones from the tone list, flags as choice items or cell texts of any
// language, a name of at most 6 printable ASCII characters or `currentName`
// (the channel's present name, so names with other bytes survive). A row
// without a frequency must have no other cells.
[[nodiscard]] std::optional<CellFault> typeChannelRow(ChannelTexts &row, const QStringList &cells,
                                                      const QString &currentName, quint8 languageIndex,
                                                      const FrequencyRange &range);

// True when the text could be typed into the frequency editor: digits and at
// most one decimal point.
[[nodiscard]] bool isTypableFrequency(QStringView text);

} // namespace kdw
