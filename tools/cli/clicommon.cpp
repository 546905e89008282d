#include "tools/cli/clicommon.h"

#include "core/channels/cellcommit.h"
#include "core/image/memoryimage.h"
#include "core/image/sinfile.h"
#include "core/program/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <utility>

namespace kdw::cli {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usageError(const QString &message)
{
    err() << "kdw-cli: " << message << Qt::endl;
    return BadInput;
}

void useLanguageBundle(const QString &programDirectory, Language language)
{
    // Loaded once; given up while the application object still exists,
    // which its translators need.
    static LanguageBundle *bundle = nullptr;
    if (bundle)
        return;
    bundle = new LanguageBundle;
    qAddPostRoutine([] { delete std::exchange(bundle, nullptr); });
    (void)bundle->load(programDirectory, languageIniText(language));
}

QString printable(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            out += c;
    }
    return out;
}

void printLines(const QString &file, const QStringList &lines, Language language)
{
    QStringList shown;
    for (const QString &line : lines)
        shown.append(printable(line));
    if (shown.isEmpty())
        return;
    for (const QString &line : listedLines(shown, language).split(u'\n'))
        err() << file << ": " << line << Qt::endl;
}

std::optional<MemoryImage> loadSinFile(const QString &path)
{
    const SinLoadResult loaded = readSinFile(path);
    if (loaded) {
        if (loaded.fileSize > MemoryImage::Size)
            err() << "kdw-cli: warning: " << QDir::toNativeSeparators(path) << " is " << loaded.fileSize
                  << " bytes, not 8192; it may not be a channel data file: its first 8192 bytes are used" << Qt::endl;
        MemoryImage image;
        image.copyIn(*loaded.bytes);
        return image;
    }
    const QString reason = loaded.error == SinLoadResult::Error::TooShort
                               ? QStringLiteral("only %1 of 8192 bytes").arg(loaded.fileSize)
                               : loaded.systemReason;
    usageError(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(path), reason));
    return std::nullopt;
}

int saveSinFile(const QString &path, const MemoryImage &image)
{
    // A file of another size may be no channel file at all (a picture renamed
    // .sin, whose first 8192 bytes were read): it is never cut to 8192 bytes.
    // An empty file is what a crashed program leaves, and may be replaced.
    const qint64 size = QFileInfo(path).size();
    if (QFileInfo(path).isFile() && size != 0 && size != MemoryImage::Size)
        return usageError(QStringLiteral("not writing over %1: it is %2 bytes, not 8192, so it may not be a channel "
                                         "data file; it was not changed: write to a new file")
                              .arg(QDir::toNativeSeparators(path))
                              .arg(size));
    const FileWrite saved = writeSinFile(path, image);
    if (saved)
        return Ok;
    return usageError(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), saved.reason));
}

} // namespace kdw::cli
