#pragma once

#include "link/byteport.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

namespace kdw::test {

// A BytePort that plays a script and records every call as a line of text:
// "pause 1", "purge", "write 52 00 00 08", "read 12 -> 57 00 ...".
// Each read takes the next scripted answer (cut to the count asked for);
// when the script is used up, the radio function answers, if there is one.
class ScriptedPort : public BytePort
{
public:
    // Asked with everything written since the previous read.
    using Radio = std::function<QByteArray(const QByteArray &written, int count)>;

    void purge() override;
    void write(QByteArrayView bytes) override;
    QByteArray read(int count) override;
    void pause(int milliseconds) override;

    QList<QByteArray> answers;
    Radio radio;
    QStringList trace;

private:
    QByteArray m_sinceRead;
};

// "02 50" style, as in the trace; "nothing" for no bytes.
QString hexBytes(QByteArrayView bytes);

// A radio for the scripted port that answers a whole exchange from `memory`:
// acknowledges the wake-up and every acknowledge, answers the identification
// with 8 bytes and read requests with "aa bb cc dd" and 8 data bytes, and
// stores written blocks into `memory`.
ScriptedPort::Radio healthyRadio(QByteArray *memory);

} // namespace kdw::test
