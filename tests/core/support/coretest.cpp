#include "coretest.h"

#include <QTest>

namespace kdw::test {

ChannelTexts row(QStringView joined)
{
    const QStringList list = texts(joined);
    ChannelTexts result;
    // A row of another width fails the test instead of writing past the row.
    if (list.size() != ChannelFieldCount) {
        QTest::qFail(qPrintable(QStringLiteral("a row has %1 texts, not %2").arg(list.size()).arg(ChannelFieldCount)),
                     __FILE__, __LINE__);
        return result;
    }
    std::copy(list.begin(), list.end(), result.begin());
    return result;
}

QStringList cells(const ChannelTexts &row)
{
    return {row.begin(), row.end()};
}

} // namespace kdw::test
