#pragma once

// Disks that say no, for the failure paths of the programs' writers.
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace kdw::test {

// A folder on a small filesystem of its own that can be filled to the last
// byte: a tmpfs mounted for the test, which only root may do. Writes there
// fail with "No space left on device" once fill() has run.
class FullDisk
{
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // False where no filesystem could be mounted (not root, no tmpfs, Windows).
    bool isValid() const { return m_mounted; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString path() const { return m_dir.path(); }
    // Takes every free byte with a filler file; the test's own files stay.
    [[nodiscard]] bool fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// While it lives, a write past `bytes` into any file fails with "File too
// large" (the file size limit, with its signal ignored so that the write
// returns the error); processes started meanwhile inherit both. Works for
// any user, on any disk — of a POSIX system: Windows has no such limit.
class FileSizeLimit
{
public:
    static constexpr bool Available =
#ifdef Q_OS_WIN
        false;
#else
        true;
#endif
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    qint64 m_previous = -1;
};

} // namespace kdw::test
