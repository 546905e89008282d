#pragma once

#include "core/image/memoryimage.h"

#include <QDateTime>
#include <QString>

namespace kdw {

// Copies of what the radio held, kept in the user's data folder as
// "YYYYMMDD-HHMMSS-read.sin" (every read) and "...-before-write.sin" (the
// radio read before a write). The newest BackupsKept are kept.
enum class BackupKind { Read, BeforeWrite };

inline constexpr int BackupsKept = 50;

// <user data directory>/backups/, with a trailing separator.
QString backupDirectory(const QString &programDirectory);

struct [[nodiscard]] BackupResult
{
    bool ok = false;
    QString path;   // the file written
    QString reason; // why it could not be written
    explicit operator bool() const { return ok; }
};

// Writes the image as a new backup in `directory` (made when missing),
// named by `when`. The file appears whole or not at all, and never replaces
// another: a name already taken gets "-2", "-3", ... The identification of
// the radio it came from, when whole, goes beside it (identificationFile);
// the backup fails when that cannot be written. Then the oldest backups
// beyond BackupsKept are removed with theirs.
BackupResult saveBackup(const QString &directory, const MemoryImage &image, BackupKind kind,
                        const QDateTime &when = QDateTime::currentDateTime(), const QByteArray &identification = {});

// The radio of unit `unit` of a batch run, read before its write, as
// "<batchStem>-unit<N>.sin" with its identification beside it. These are the
// run's record and are never pruned.
BackupResult saveUnitBackup(const QString &directory, const MemoryImage &image, const QDateTime &runStarted, int unit,
                            const QByteArray &identification = {});

// The file beside a backup that holds the identification of its radio:
// "NAME.ident" for "NAME.sin", sixteen hex digits and a line end.
QString identificationFile(const QString &backupPath);
// The identification recorded beside the channel file `path`; empty when
// none is (a file of unknown origin) or it is not sixteen hex digits.
QByteArray recordedIdentification(const QString &path);
// "YYYYMMDD-HHMMSS-batch": the name a batch run's files begin with.
QString batchStem(const QDateTime &runStarted);

// What a backup of a read holds: a new document's image (Default.sin or the
// built-in defaults) with the read ranges of `read`, the bytes the radio sent.
MemoryImage radioBytes(const MemoryImage &read, const QString &programDirectory);

// The backup of a read (its read ranges on a new document's image) in the
// backup folder of `programDirectory`, with the identification of the radio.
BackupResult saveReadBackup(const MemoryImage &read, BackupKind kind, const QString &programDirectory,
                            const QByteArray &identification = {});

// The backups in `directory`, oldest first (by the time in their names).
QStringList backupFiles(const QString &directory);

// A backup as File > Open Backup lists it: its path, the time and kind its
// name gives, and its radio's identification.
struct BackupEntry
{
    QString path;
    QDateTime made;
    BackupKind kind = BackupKind::Read;
    QByteArray identification; // of the radio it came from; empty when not recorded
};
// The backups in `directory`, newest first.
QList<BackupEntry> backupEntries(const QString &directory);

} // namespace kdw
