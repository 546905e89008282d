#pragma once

// Files a test reads and writes.
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QString>

namespace kdw::test {

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Writes the file whole; when it cannot, fails the running test and returns
// false: call it as QVERIFY(writeFile(...)).
[[nodiscard]] bool writeFile(const QString &path, const QByteArray &bytes);

// A QTemporaryDir template for a folder named `prefix`-XXXXXX in /dev/shm
// when that can be written, else in the usual temporary folder: files there
// are written without waiting for a busy disk. Inline, so that the fuzz
// targets, which link no test library, use it too.
inline QString memoryBackedTemporaryPath(const QString &prefix)
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString root = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return root + u'/' + prefix + QStringLiteral("-XXXXXX");
}

} // namespace kdw::test
