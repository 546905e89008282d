#include "core/image/sinfile.h"

#include <QFile>

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

FileWrite writeSinFile(const QString &path, const MemoryImage &image)
{
    return writeWholeFile(path, image.bytes());
}

} // namespace kdw
