#include "testfiles.h"

#include <QFile>
#include <QTest>

namespace kdw::test {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    QTest::qFail(qPrintable(QStringLiteral("cannot write %1: %2").arg(path, file.errorString())), __FILE__, __LINE__);
    return false;
}

} // namespace kdw::test
