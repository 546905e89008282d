#pragma once

#include "core/link/byteport.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

namespace kdw::test {

// "02 50" style; "nothing" for no bytes.
QString hexBytes(QByteArrayView bytes);

// A BytePort that plays a script and records every call as a line of text:
// "pause 1", "purge", "write 52 00 00 08", "read 12 -> 57 00 ...". Each read
// takes the next scripted answer (cut to the count asked for); when the
// script is used up, the radio function answers, if there is one.
class ScriptedPort : public BytePort
{
public:
    // Asked with everything written since the previous read.
    using Radio = std::function<QByteArray(const QByteArray &written, int count)>;

    void purge() override { trace.append(QStringLiteral("purge")); }
    void write(QByteArrayView bytes) override;
    QByteArray read(int count) override;
    void pause(int milliseconds) override { trace.append(QStringLiteral("pause %1").arg(milliseconds)); }
    bool lineLost() const override { return lost; }

    QList<QByteArray> answers;
    Radio radio;
    QStringList trace;
    bool lost = false; // the line went away

private:
    QByteArray m_sinceRead;
};

// A radio that answers a whole exchange from `memory`: acknowledges the
// wake-up and every acknowledge, answers the identification with 8 bytes and
// read requests with "aa bb cc dd" and 8 data bytes, and stores written
// blocks into `memory`.
ScriptedPort::Radio healthyRadio(QByteArray *memory);

// One wake-up attempt: each byte of STX "PROGRA" after its own pause and purge.
QStringList wakeUpAttempt(const QByteArray &answer);

} // namespace kdw::test
