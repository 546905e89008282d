#pragma once

#include "core/text/language.h"

#include <QByteArrayView>
#include <QString>

namespace kdw {

// The outcome of writing a file: on failure the file and the system's reason
// ("No space left on device").
struct [[nodiscard]] FileWrite
{
    QString path;
    QString reason;     // empty when the file was written
    bool taken = false; // ExistingFile::Keep found the name taken
    explicit operator bool() const { return reason.isEmpty(); }
    // "Cannot write the file "PATH".\nREASON" in `language`.
    QString message(Language language) const;
};

// What a write does when the target already exists.
enum class ExistingFile {
    Replace, // the new bytes replace it, with its permission bits
    Keep,    // the write fails and the existing file stays (backups never overwrite)
};

// Every file the program writes goes through here. The bytes go to a hidden
// temporary file beside the target; every write, the flush to the disk and
// the rename are checked, and the temporary file takes the place of the
// target only when all of it is on the disk. On any failure the target stays
// exactly as it was and the temporary file is removed. A new file gets the
// usual permissions (0666 less the umask), a replaced one keeps its own.
FileWrite writeWholeFile(const QString &path, QByteArrayView bytes, ExistingFile existing = ExistingFile::Replace);

} // namespace kdw
