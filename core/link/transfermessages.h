#pragma once

#include "core/link/radiotransfer.h"
#include "core/text/localisedtext.h"

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
// The advice after the differences a verify found.
inline constexpr LocalisedText WriteAgainText{u"Write the document to the radio again.", u"请将文档再次写入对讲机。",
                                              u"請將文件再次寫入對講機。"};

inline constexpr LocalisedText BackupFailedText{u"The backup of the radio's memory could not be saved in %1.\n%2",
                                                u"无法将对讲机内容的备份保存到 %1。\n%2",
                                                u"無法將對講機內容的備份儲存到 %1。\n%2"};
inline constexpr LocalisedText WriteNotStartedText{
    u"The write was not started: the radio's memory could not be backed up first.",
    u"写入未开始：未能先备份对讲机的内容。", u"寫入未開始：未能先備份對講機的內容。"};

// The status line while a new session goes on with the block that failed.
inline constexpr LocalisedText ResumingText{u"Connection lost at block %1 of %2. Resuming (%3 of %4)…",
                                            u"连接在第 %1 块（共 %2 块）处中断。正在续传（第 %3 次，共 %4 次）…",
                                            u"連接在第 %1 塊（共 %2 塊）處中斷。正在續傳（第 %3 次，共 %4 次）…"};
// Asked before a running write is stopped.
inline constexpr LocalisedText StopWriteQuestion{
    u"Stop the write? The radio's memory will be partly written and must be written again before use.",
    u"要停止写入吗？对讲机的存储器将只写入一部分，使用前必须重新写入。",
    u"要停止寫入嗎？對講機的記憶體將只寫入一部分，使用前必須重新寫入。"};

// The failed block counted from 1 among the transfer's `blocks`.
QString resumingNotice(int failedBlock, int blocks, int resume, Language language);
// Told when a write after a read finds that the radio holds the document already.
inline constexpr LocalisedText NothingToWriteText{u"The radio already holds the document: nothing was written.",
                                                  u"对讲机中已是该文档的内容：没有写入任何内容。",
                                                  u"對講機中已是該文件的內容：沒有寫入任何內容。"};

// What is said after a transfer the user stopped: nothing for a read or a
// write stopped before its first block, the warning of a failed write for one
// stopped after it.
QString cancelledMessage(const TransferOutcome &outcome, TransferDirection direction, Language language);

// The message of a failed transfer in a language: the first line as the user
// knows it ("Could not open the port", "Communication error"), then what
// happened and what to try. `portName` is the name the user chose; the
// outcome knows the device it opened.
QString failureMessage(const TransferOutcome &outcome, TransferDirection direction, const QString &portName,
                       Language language);

// Only the lines below the first one. A port that did not open is named
// with its device and the system's reason, and what to try.
QString failureExplanation(const TransferOutcome &outcome, TransferDirection direction, const QString &portName,
                           Language language);

// True when the port did not open or the radio never answered the wake-up:
// the cable check can tell more than the message.
bool suggestsCableCheck(const TransferOutcome &outcome);
// The window's pointer to Program > Check Cable and Radio...
QString checkCableAdvice(Language language);

} // namespace kdw
