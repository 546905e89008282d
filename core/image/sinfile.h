#pragma once

#include "core/image/memoryimage.h"
#include "core/text/wholefile.h"

#include <QString>

#include <optional>

namespace kdw {

// A ".sin" channel data file is the memory image byte for byte: 8192 bytes,
// no header, no checksum.
struct SinLoadResult
{
    enum class Error { None, CannotOpen, TooShort };

    std::optional<QByteArray> bytes; // 8192 bytes on success, fewer only when kept
    Error error = Error::None;
    qint64 fileSize = 0;
    QString systemReason;

    explicit operator bool() const { return bytes.has_value(); }
};

// What a read does with a file shorter than 8192 bytes.
enum class ShortSinFile {
    Refuse, // TooShort, so the caller's image is never half overwritten
    Keep,   // its bytes, for a caller that overwrites only their length
};

// Reads the first 8192 bytes.
[[nodiscard]] SinLoadResult readSinFile(const QString &path, ShortSinFile shortFile = ShortSinFile::Refuse);

// Writes the 8192 bytes whole or not at all (writeWholeFile): a failed save
// leaves the old file as it was.
[[nodiscard]] FileWrite writeSinFile(const QString &path, const MemoryImage &image);

inline constexpr QStringView SinFilter = u"Channel Data (*.sin)";
inline constexpr QStringView SinExtension = u".sin";

} // namespace kdw
