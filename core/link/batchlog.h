#pragma once

#include "core/text/localisedtext.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace kdw {

// How one radio of a batch ended.
enum class UnitResult {
    Verified, // written and read back equal
    Written,  // written, verify off
    Failed,   // not written, partly written, or read back different
    Skipped,  // another identification than the first radio's, or stopped before a block was written
};

// The result as the log writes it.
QString unitResultName(UnitResult result);
// The result as people read it, in a language.
QString unitResultText(UnitResult result, Language language);

// Why a radio was not verified, in any of the three languages; the log keeps
// it in English. `detail` is the line's or the system's own account, put in
// the text's %1 as it is.
struct UnitReason
{
    const LocalisedText *text = nullptr;
    QString detail;

    bool isEmpty() const { return text == nullptr; }
    QString in(Language language) const;
};

// One radio of a batch run: a row of the log.
struct UnitRecord
{
    int unit = 0; // from 1
    QDateTime started;
    QDateTime finished;
    QByteArray identification;
    UnitResult result = UnitResult::Failed;
    QString backup;      // the backup file's name; empty without one
    QByteArray sha256;   // of the 8192-byte image written; empty when nothing was
    QStringList changes; // "LABEL=VALUE" of its variations; "expected=HEX" when skipped
    UnitReason reason;   // why it failed ("partly written", ...); empty otherwise
    int blocks = 0;      // blocks written: 0 when the radio held the image already
    QString port;        // the port of the lane that programmed it, as the user named it
};

// "cannot write LOG: reason".
inline constexpr LocalisedText LogNotWrittenText{u"cannot write %1: %2", u"无法写入 %1：%2", u"無法寫入 %1：%2"};

// "2026-12-08T15:04:05+01:00": local time with its offset, whatever the zone.
QString isoLocalTime(const QDateTime &time);

// The log of a batch run: a CSV file with a row a radio. The file is written
// anew, whole, as each radio ends, so a crash loses no finished row and a full
// disk never leaves half a row; a row that could not be written is written
// with the next one.
class BatchLog
{
public:
    static inline const QString Header
        = QStringLiteral("unit,started,finished,identification,result,backup,sha256,changes,blocks,port");

    // Makes the file (never over an existing one) and writes its header;
    // nothing, with the reason in *error (in the language given), when it cannot.
    static std::unique_ptr<BatchLog> create(const QString &path, QString *error, Language language = Language::Eng);

    const QString &path() const { return m_path; }
    QString errorString() const { return m_error; }
    // False when the row could not be written whole.
    [[nodiscard]] bool append(const UnitRecord &record);

    // The row as written: the reason of a failure ends the changes.
    static QString row(const UnitRecord &record);

private:
    explicit BatchLog(const QString &path);

    QString m_path;
    QByteArray m_content; // every line so far
    QString m_error;      // the system's reason the last write failed
};

} // namespace kdw
