#pragma once

#include "tests/support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace kdw::fuzz {

// Stops the run so libFuzzer keeps the input that broke the rule.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Writes the input to `name` in a folder of this process and returns its path.
// The folder lies in memory where the system offers one: the code under test
// flushes what it saves to disk, which would otherwise set the pace.
inline QString inputFile(const QString &name, const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder(test::memoryBackedTemporaryPath(QStringLiteral("kdw-fuzz")));
    check(folder.isValid());
    const QString path = folder.filePath(name);
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    return path;
}

} // namespace kdw::fuzz
