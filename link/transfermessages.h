#pragma once

#include "app/localisedtext.h"
#include "link/radiotransfer.h"

#include <QString>

namespace kdw {

inline constexpr LocalisedText WriteVerifiedText{u"Write verified", u"写入已校验", u"寫入已校驗"};
inline constexpr LocalisedText WriteUncheckedText{
    u"The write succeeded, but the radio did not answer the check that follows it. "
    u"Read the radio to see what it holds.",
    u"写入已成功，但对讲机没有回应随后的校验。请读取对讲机查看其内容。",
    u"寫入已成功，但對講機沒有回應隨後的校驗。請讀取對講機查看其內容。"};
inline constexpr LocalisedText RadioDiffersText{u"The radio does not hold the document: after the write these differ.",
                                                u"对讲机中的内容与文档不符：写入后以下各项不同。",
                                                u"對講機中的內容與文件不符：寫入後以下各項不同。"};

// The message of a failed transfer in a language: the first line as the user
// knows it ("Could not open the port", "Communication error"), then what
// happened and what to try. `portName` is the name the user chose; the
// outcome knows the device it opened.
QString failureMessage(const TransferOutcome &outcome, TransferDirection direction, const QString &portName,
                       quint8 languageIndex);

// Only the lines below the first one. A port that did not open is named
// with its device and the system's reason, and what to try.
QString failureExplanation(const TransferOutcome &outcome, TransferDirection direction, const QString &portName,
                           quint8 languageIndex);

// True when the port did not open or the radio never answered the wake-up:
// the cable check can tell more than the message.
bool suggestsCableCheck(const TransferOutcome &outcome);
// The window's pointer to Program > Check Cable and Radio...
QString checkCableAdvice(quint8 languageIndex);

} // namespace kdw
