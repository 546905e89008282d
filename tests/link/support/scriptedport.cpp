#include "scriptedport.h"

namespace kdw::test {

QString hexBytes(QByteArrayView bytes)
{
    return bytes.isEmpty() ? QStringLiteral("nothing") : QString::fromLatin1(bytes.toByteArray().toHex(' '));
}

void ScriptedPort::write(QByteArrayView bytes)
{
    trace.append(QStringLiteral("write ") + hexBytes(bytes));
    m_sinceRead += bytes.toByteArray();
}

QByteArray ScriptedPort::read(int count)
{
    QByteArray answer;
    if (!answers.isEmpty())
        answer = answers.takeFirst().left(count);
    else if (radio)
        answer = radio(m_sinceRead, count).left(count);
    m_sinceRead.clear();
    trace.append(QStringLiteral("read %1 -> %2").arg(count).arg(hexBytes(answer)));
    return answer;
}

ScriptedPort::Radio healthyRadio(QByteArray *memory)
{
    return [memory](const QByteArray &frame, int) -> QByteArray {
        if (frame == QByteArray("M\x02", 2))
            return QByteArrayLiteral("IDENT-01");
        const int address = frame.size() >= 4 ? (quint8(frame.at(1)) << 8) | quint8(frame.at(2)) : -1;
        if (frame.size() == 4 && frame.at(0) == 'R')
            return QByteArray("\xAA\xBB\xCC\xDD", 4) + memory->mid(address, 8);
        if (frame.size() == 12 && frame.at(0) == 'W')
            memory->replace(address, 8, frame.mid(4));
        return QByteArray(1, 0x06);
    };
}

QStringList wakeUpAttempt(const QByteArray &answer)
{
    QStringList trace;
    for (const char *byte : {"02", "50", "52", "4f", "47", "52", "41"})
        trace << QStringLiteral("pause 1") << QStringLiteral("purge") << QStringLiteral("write ") + QLatin1String(byte);
    return trace << QStringLiteral("read 1 -> ") + hexBytes(answer);
}

} // namespace kdw::test
