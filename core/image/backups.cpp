#include "core/image/backups.h"

#include "core/image/builtindefaults.h"
#include "core/image/identification.h"
#include "core/image/transferranges.h"
#include "core/program/userfiles.h"
#include "core/text/wholefile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>

namespace kdw {

namespace {

// A backup's name, "20261209-184700-read.sin" or "20261209-184700-before-write-2.sin":
// its time, its kind and the number a taken name was given (0: none). Read by
// hand, not by a regular expression: the names are listed on the batch's lane
// threads too, and what a regular expression keeps per thread is not freed
// soundly with a thread that Qt did not make, on every platform.
struct BackupName
{
    QStringView time;
    BackupKind kind = BackupKind::Read;
    int number = 0;
};

bool isAsciiDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

std::optional<BackupName> parseBackupName(QStringView name)
{
    constexpr qsizetype TimeLength = 15; // yyyyMMdd-HHmmss
    const QStringView extension = u".sin";
    if (name.size() < TimeLength + extension.size() || !name.endsWith(extension))
        return std::nullopt;
    BackupName parsed;
    parsed.time = name.left(TimeLength);
    if (!isAsciiDigits(parsed.time.left(8)) || parsed.time.at(8) != u'-' || !isAsciiDigits(parsed.time.mid(9)))
        return std::nullopt;
    QStringView rest = name.mid(TimeLength).chopped(extension.size());
    const QStringView read = u"-read";
    const QStringView beforeWrite = u"-before-write";
    if (rest.startsWith(read)) {
        rest = rest.mid(read.size());
    } else if (rest.startsWith(beforeWrite)) {
        parsed.kind = BackupKind::BeforeWrite;
        rest = rest.mid(beforeWrite.size());
    } else {
        return std::nullopt;
    }
    if (rest.isEmpty())
        return parsed;
    if (!rest.startsWith(u'-') || !isAsciiDigits(rest.mid(1)))
        return std::nullopt;
    parsed.number = rest.mid(1).toInt(); // beyond int: 0, as a name without one
    return parsed;
}

// Oldest first: by time, then by the number a taken name was given.
bool olderThan(const QString &a, const QString &b)
{
    const BackupName na = *parseBackupName(a);
    const BackupName nb = *parseBackupName(b);
    if (na.time != nb.time)
        return na.time < nb.time;
    return na.number < nb.number;
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
        if (parseBackupName(name))
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
        const BackupName parsed = *parseBackupName(*name);
        entries.append({folder.filePath(*name),
                        QDateTime::fromString(parsed.time.toString(), QStringLiteral("yyyyMMdd-HHmmss")), parsed.kind,
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
