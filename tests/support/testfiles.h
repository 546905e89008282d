#pragma once

// Files a test reads and writes.
#include <QByteArray>
#include <QString>

namespace kdw::test {

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Writes the file whole; when it cannot, fails the running test and returns
// false: call it as QVERIFY(writeFile(...)).
[[nodiscard]] bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace kdw::test
