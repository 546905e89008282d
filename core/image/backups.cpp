#include "core/image/backups.h"

#include "core/image/builtindefaults.h"
#include "core/image/identification.h"
#include "core/image/transferranges.h"
#include "core/program/userfiles.h"
#include "core/text/wholefile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace kdw {

namespace {

const QRegularExpression &backupName()
{
    static const QRegularExpression name(QStringLiteral("^(\\d{8}-\\d{6})-(read|before-write)(?:-(\\d+))?\\.sin$"));
    return name;
}

// Oldest first: by time, then by the number a taken name was given.
bool olderThan(const QString &a, const QString &b)
{
    const auto ma = backupName().match(a);
    const auto mb = backupName().match(b);
    if (ma.captured(1) != mb.captured(1))
        return ma.captured(1) < mb.captured(1);
    return ma.captured(3).toInt() < mb.captured(3).toInt();
}

void pruneBackups(const QString &directory)
{
    const QStringList files = backupFiles(directory);
    for (qsizetype i = 0; i + BackupsKept < files.size(); ++i) {
        QFile::remove(directory + files.at(i));
        QFile::remove(identificationFile(directory + files.at(i)));
    }
}

// The identification beside a backup just written; on failure the backup
// goes again, so that no backup seems to come from an unknown radio.
BackupResult recordIdentification(BackupResult saved, const QByteArray &identification)
{
    if (!saved || !isWholeIdentification(identification))
        return saved;
    const FileWrite written = writeWholeFile(identificationFile(saved.path), identification.toHex() + '\n');
    if (written)
        return saved;
    QFile::remove(saved.path);
    return {false, {}, written.reason};
}

// Writes the image as "<stem>.sin" in `directory` (made when missing): whole
// or not at all, and never over another file (a taken name gets "-2", ...).
BackupResult saveNewFile(const QString &directory, const QString &stem, const MemoryImage &image,
                         const QByteArray &identification)
{
    BackupResult result;
    if (!QDir().mkpath(directory)) {
        result.reason = QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(directory));
        return result;
    }
    // A backup never replaces an existing file: a taken name is skipped.
    const QByteArray bytes = image.bytes();
    for (int n = 1; n < 1000; ++n) {
        const QString name = stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + QStringLiteral(".sin");
        const FileWrite written = writeWholeFile(directory + name, bytes, ExistingFile::Keep);
        if (written.taken)
            continue;
        result.ok = bool(written);
        result.path = written ? written.path : QString();
        result.reason = written.reason;
        return recordIdentification(result, identification);
    }
    result.reason = QStringLiteral("every name %1-2 ... %1-999 is taken").arg(stem);
    return result;
}

} // namespace

QString backupDirectory(const QString &programDirectory)
{
    return userDataDirectory(programDirectory) + QStringLiteral("backups/");
}

MemoryImage radioBytes(const MemoryImage &read, const QString &programDirectory)
{
    MemoryImage image;
    makeNewImage(image, programDirectory);
    for (const TransferRange &range : ReadRanges)
        image.copyIn(range.start, read.bytes(range.start, range.end - range.start));
    return image;
}

BackupResult saveReadBackup(const MemoryImage &read, BackupKind kind, const QString &programDirectory,
                            const QByteArray &identification)
{
    return saveBackup(backupDirectory(programDirectory), radioBytes(read, programDirectory), kind,
                      QDateTime::currentDateTime(), identification);
}

QString identificationFile(const QString &backupPath)
{
    const QString stem = backupPath.endsWith(u".sin", Qt::CaseInsensitive) ? backupPath.chopped(4) : backupPath;
    return stem + QStringLiteral(".ident");
}

QByteArray recordedIdentification(const QString &path)
{
    QFile file(identificationFile(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseIdentification(QString::fromLatin1(file.read(qint64(4) * IdentificationLength))).value_or(QByteArray());
}

QStringList backupFiles(const QString &directory)
{
    QStringList files;
    for (const QString &name : QDir(directory).entryList(QDir::Files)) {
        if (backupName().match(name).hasMatch())
            files.append(name);
    }
    std::sort(files.begin(), files.end(), olderThan);
    return files;
}

QList<BackupEntry> backupEntries(const QString &directory)
{
    QList<BackupEntry> entries;
    const QDir folder(directory);
    const QStringList files = backupFiles(directory);
    for (auto name = files.crbegin(); name != files.crend(); ++name) {
        const auto match = backupName().match(*name);
        entries.append({folder.filePath(*name),
                        QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss")),
                        match.captured(2) == u"read" ? BackupKind::Read : BackupKind::BeforeWrite,
                        recordedIdentification(folder.filePath(*name))});
    }
    return entries;
}

BackupResult saveBackup(const QString &directory, const MemoryImage &image, BackupKind kind, const QDateTime &when,
                        const QByteArray &identification)
{
    const QString stem = when.toString(QStringLiteral("yyyyMMdd-HHmmss"))
                         + (kind == BackupKind::Read ? QStringLiteral("-read") : QStringLiteral("-before-write"));
    BackupResult result = saveNewFile(directory, stem, image, identification);
    if (result)
        pruneBackups(directory);
    return result;
}

BackupResult saveUnitBackup(const QString &directory, const MemoryImage &image, const QDateTime &runStarted, int unit,
                            const QByteArray &identification)
{
    return saveNewFile(directory, batchStem(runStarted) + QStringLiteral("-unit%1").arg(unit), image, identification);
}

QString batchStem(const QDateTime &runStarted)
{
    return runStarted.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral("-batch");
}

} // namespace kdw
