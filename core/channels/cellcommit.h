#pragma once

#include "core/channels/channelcodec.h"
#include "core/channels/frequencyrules.h"
#include "core/text/localisedtext.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace kdw {

// What an in-place editor does to a grid row when it commits, without the
// grid: the view passes the row's texts, these rules change them.

// A typed frequency that the range clamp or the channel-step snap changed.
struct FrequencyChange
{
    ChannelField field = RxFreqField;
    QString typed;
    QString became; // the cell's text now
};

// "line 2, Rx Freq: 4490 became 470.00000" (a line of a file) and "Channel 5,
// Rx Freq: 4490 became 470.00000" (a cell of the grid), in a language.
[[nodiscard]] QString lineChangeText(int line, const FrequencyChange &change, Language language);
[[nodiscard]] QString channelChangeText(int channel, const FrequencyChange &change, Language language);

// The lines of a message: the first 20, then "... and N more".
[[nodiscard]] QString listedLines(const QStringList &lines, Language language);
// Change lines (texts of the two above) under a sentence saying that typing's
// rules made them.
[[nodiscard]] QString frequencyChangesReport(const QStringList &changes, Language language);

// Where a fault of a typed line lies: "line 2, column 4 (Rx Tone)" for the
// grid's `column` (1 Rx Freq .. 9 Name), counted as the text has it, from 1,
// where Rx Freq is its column `rxFreqColumn` (2 behind a channel number, 1
// without), and named by its title; "line 2" alone for column 0 (the channel
// number or the line as a whole). `reason` follows after a colon; line 0
// (the file as a whole) is the reason alone.
[[nodiscard]] QString lineFaultText(int line, int column, int rxFreqColumn, const QString &reason, Language language);
// Rx Freq's column in a channel table file: behind CH.
inline constexpr int GridFileRxFreqColumn = 2;
// The same for a file's own column, counted from 1 and named by its title:
// "line 5, column 7 (rToneFreq): reason"; "line 5, rToneFreq: reason" for a
// column the file lacks (0 with a title), "line 5: reason" for column 0.
[[nodiscard]] QString lineColumnText(int line, int column, const QString &title, const QString &reason,
                                     Language language);

// The frequency editor's commit into RxFreqField or TxFreqField. The typed text
// is scaled, clamped and snapped. Rx Freq: no frequency deletes the channel
// (all nine cells empty); a first frequency for an empty channel also sets Tx
// Freq and the new-channel texts of the tone and flag fields (Name stays);
// otherwise only the cell changes. Tx Freq: stays empty while Rx Freq is empty.
// Returns the change when clamp or snap moved the value the cell got.
std::optional<FrequencyChange> commitFrequencyCell(ChannelTexts &row, ChannelField field, QStringView typed,
                                                   const FrequencyRange &range, Language language);

// The tone, choice and name editors' commit: the cell gets the editor text,
// or stays empty while the row's Rx Freq is empty.
void commitChoiceCell(ChannelTexts &row, ChannelField field, const QString &text);

// The commit of the field's own editor: the frequency commit for Rx Freq and
// Tx Freq, the choice commit for the others.
std::optional<FrequencyChange> commitCell(ChannelTexts &row, ChannelField field, const QString &text,
                                          const FrequencyRange &range, Language language);

// Why a cell of a row typed from text (a CSV line, a pasted line) is refused.
struct CellFault
{
    ChannelField field;
    QString message; // in the language asked for, quotes the text
};

struct RowTyping
{
    std::optional<CellFault> fault; // set: the row is typed up to the cell before
    QList<FrequencyChange> changes; // frequencies clamp or snap changed
};

// Types `cells` (Rx Freq first, at most nine, empty ones not typed) into the
// empty row `row` as a user would: frequencies through the frequency editor,
// tones from the tone list, flags as choice items or cell texts of any
// language, a name of at most 6 printable ASCII characters or `currentName`
// (the channel's present name, so names with other bytes survive). A row
// without a frequency must have no other cells.
[[nodiscard]] RowTyping typeChannelRow(ChannelTexts &row, const QStringList &cells, const QString &currentName,
                                       Language language, const FrequencyRange &range);

// Faults of a typed line as a whole, for the paste and the grid CSV alike.
namespace rowtext {
inline constexpr LocalisedText NotChannelNumber{u"\"%1\" is not a channel number from 1 to 99",
                                                u"“%1”不是 1 到 99 的信道号", u"「%1」不是 1 到 99 的信道號"};
inline constexpr LocalisedText TooManyCells{u"more than ten cells", u"多于十个单元格", u"多於十個儲存格"};
} // namespace rowtext

// True when the text could be typed into the frequency editor: digits and at
// most one decimal point.
[[nodiscard]] bool isTypableFrequency(QStringView text);

} // namespace kdw
