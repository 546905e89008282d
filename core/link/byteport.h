#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace kdw {

// The time-outs of the serial line, in milliseconds. A read of n bytes ends
// after 50 + 50 × n ms at most, or when more than 100 ms pass between two
// received bytes; a write of n bytes gives up after 30 + 30 × n ms.
namespace linktime {
inline constexpr int ReadInterval = 100;
inline constexpr int ReadTotalConstant = 50;
inline constexpr int ReadTotalPerByte = 50;
inline constexpr int WriteTotalConstant = 30;
inline constexpr int WriteTotalPerByte = 30;

constexpr int readTotal(qsizetype bytes)
{
    return ReadTotalConstant + ReadTotalPerByte * int(bytes);
}
constexpr int writeTotal(qsizetype bytes)
{
    return WriteTotalConstant + WriteTotalPerByte * int(bytes);
}
} // namespace linktime

// The byte stream the programming protocol talks through: the serial port in
// the program, a scripted port in the tests.
class BytePort
{
public:
    virtual ~BytePort() = default;

    // Waits until everything written has left, then discards whatever was
    // received and not read yet. Never discards the host's own output.
    virtual void purge() = 0;
    // Writes the bytes; gives up after the write time-out.
    virtual void write(QByteArrayView bytes) = 0;
    // Reads up to `count` bytes within the read time-outs and returns what
    // arrived, possibly nothing. A short answer is not an error here.
    virtual QByteArray read(int count) = 0;
    // Lets the line rest; the protocol's pacing.
    virtual void pause(int milliseconds) = 0;
    // True once the line itself is gone (cable pulled, device removed): no
    // answer can come any more.
    virtual bool lineLost() const { return false; }
};

} // namespace kdw
