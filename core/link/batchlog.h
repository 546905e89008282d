#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
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
    Skipped,  // its identification differs from the first radio's: not touched
};

QString unitResultName(UnitResult result);

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
    QString reason;      // why it failed ("partly written", ...); empty otherwise
};

// "2026-12-08T15:04:05+01:00": local time with its offset, whatever the zone.
QString isoLocalTime(const QDateTime &time);

// The log of a batch run: a CSV file with a row a radio, each written and
// flushed as the radio ends, so a crash loses no finished row.
class BatchLog
{
public:
    static inline const QString Header
        = QStringLiteral("unit,started,finished,identification,result,backup,sha256,changes");

    // Makes the file (never over an existing one) and writes its header;
    // nothing, with the reason in *error, when it cannot.
    static std::unique_ptr<BatchLog> create(const QString &path, QString *error);

    const QString &path() const { return m_path; }
    QString errorString() const { return m_file.errorString(); }
    // False when the row could not be written whole.
    [[nodiscard]] bool append(const UnitRecord &record);

    // The row as written: the reason of a failure ends the changes.
    static QString row(const UnitRecord &record);

private:
    explicit BatchLog(const QString &path);
    bool writeLine(const QString &line);

    QString m_path;
    QFile m_file;
};

} // namespace kdw
