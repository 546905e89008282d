#include "core/text/wholefile.h"

#include "core/text/localisedtext.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <QSaveFile>
#include <qt_windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kdw {

namespace {

constexpr LocalisedText CannotWriteText{u"Cannot write the file \"%1\".\n%2", u"无法写入文件“%1”。\n%2",
                                        u"無法寫入檔案「%1」。\n%2"};

// ".NAME.kdw-XXXXXX": hidden, and never a name the program lists (*.sin, *.csv).
QString temporaryStem(const QFileInfo &target)
{
    return u'.' + target.fileName() + QStringLiteral(".kdw-");
}

#ifndef Q_OS_WIN
// A fresh name beside the target; QSaveFile picks its own on Windows.
QString temporaryPath(const QFileInfo &target)
{
    const quint32 random = QRandomGenerator::global()->generate() % 0x1000000;
    return target.absoluteDir().filePath(temporaryStem(target)
                                         + QStringLiteral("%1").arg(random, 6, 16, QLatin1Char('0')));
}
#endif

// Temporary files of earlier writes to the same target that a crash left
// behind; an hour old, so no running write still owns them.
void removeLeftovers(const QFileInfo &target)
{
    // Matched by hand, not by a name filter: a filter is a regular expression,
    // and writes also run on threads Qt did not make (the batch's lanes),
    // where what a regular expression keeps per thread is not freed soundly
    // on every platform.
    const QDir folder = target.absoluteDir();
    const QString stem = temporaryStem(target);
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QFileInfo &left : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (left.fileName().startsWith(stem) && left.lastModified().toUTC() < hourAgo)
            QFile::remove(left.absoluteFilePath());
    }
}

#ifndef Q_OS_WIN

// Writes every byte to the open descriptor, retrying short writes and signals.
int writeAll(int fd, QByteArrayView bytes)
{
    const char *at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        at += written;
        left -= written;
    }
    return 0;
}

// 0 or the errno of the first step that failed; the temporary file is gone
// again on failure.
int writeTemporary(const QByteArray &temporary, QByteArrayView bytes, const struct stat *existing)
{
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (error == 0 && existing && ::fchmod(fd, existing->st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    return error;
}

// 0 when written, else the errno of the step that failed.
int writeFile(const QFileInfo &target, QByteArrayView bytes, ExistingFile existing)
{
    const QByteArray path = QFile::encodeName(target.absoluteFilePath());
    struct stat old = {};
    const bool exists = ::stat(path.constData(), &old) == 0;
    if (exists && existing == ExistingFile::Keep)
        return EEXIST;
    // A random name taken by another write gets another one.
    QByteArray temporary;
    int error = EEXIST;
    for (int attempt = 0; attempt < 8 && error == EEXIST; ++attempt) {
        temporary = QFile::encodeName(temporaryPath(target));
        error = writeTemporary(temporary, bytes, exists ? &old : nullptr);
    }
    if (error != 0)
        return error;
    if (::rename(temporary.constData(), path.constData()) != 0) {
        error = errno;
        ::unlink(temporary.constData());
        return error;
    }
    // The rename is done and the old file gone: syncing the folder only makes
    // it last through a power cut, so its failure leaves nothing to undo.
    const int folder = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return 0;
}

FileWrite writeFile(const QString &path, QByteArrayView bytes, ExistingFile existing)
{
    const int error = writeFile(QFileInfo(path), bytes, existing);
    FileWrite result{path, error == 0 ? QString() : qt_error_string(error)};
    result.taken = error == EEXIST && existing == ExistingFile::Keep;
    return result;
}

#else

QString writeReplacing(const QFileInfo &target, QByteArrayView bytes)
{
    // Unbuffered, so a failed write is seen by the write itself and commit()
    // then refuses to replace the target.
    QSaveFile file(target.absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

FileWrite writeFile(const QString &path, QByteArrayView bytes, ExistingFile existing)
{
    const QFileInfo target(path);
    if (existing == ExistingFile::Keep && target.exists())
        return {path, qt_error_string(ERROR_FILE_EXISTS), true};
    return {path, writeReplacing(target, bytes)};
}

#endif

} // namespace

QString FileWrite::message(Language language) const
{
    return CannotWriteText.text(language).arg(QDir::toNativeSeparators(path), reason);
}

FileWrite writeWholeFile(const QString &path, QByteArrayView bytes, ExistingFile existing)
{
    // A link is written through: the file it points to gets the bytes, the
    // link stays a link.
    const QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    removeLeftovers(QFileInfo(target));
    FileWrite written = writeFile(target, bytes, existing);
    written.path = path;
    return written;
}

} // namespace kdw
