#include "core/image/sinfile.h"

#include <QFile>
#include <QSaveFile>

namespace kdw {

SinLoadResult readSinFile(const QString &path, ShortSinFile shortFile)
{
    SinLoadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = SinLoadResult::Error::CannotOpen;
        result.systemReason = file.errorString();
        return result;
    }
    QByteArray data = file.read(MemoryImage::Size);
    if (file.error() != QFileDevice::NoError) {
        result.error = SinLoadResult::Error::CannotOpen;
        result.systemReason = file.errorString();
        return result;
    }
    if (data.size() < MemoryImage::Size && shortFile == ShortSinFile::Refuse) {
        result.error = SinLoadResult::Error::TooShort;
        result.fileSize = data.size();
        return result;
    }
    result.fileSize = file.size();
    result.bytes = std::move(data);
    return result;
}

SinSaveResult writeSinFile(const QString &path, const MemoryImage &image)
{
    SinSaveResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.systemReason = file.errorString();
        return result;
    }
    const QByteArray bytes = image.bytes();
    if (file.write(bytes) != bytes.size()) {
        result.systemReason = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.systemReason = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace kdw
