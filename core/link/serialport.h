#pragma once

#include "core/link/byteport.h"

#include <QString>
#ifndef Q_OS_WIN
#include <QSerialPort>
#endif

namespace kdw {

// The radio's serial line, 9600 baud 8N1, with the read and write time-outs
// of the link, used blocking from the thread that made it: on Windows the
// system's communications functions, elsewhere QSerialPort.
class SerialPort final : public BytePort
{
public:
    SerialPort();
    ~SerialPort() override;

    struct [[nodiscard]] OpenResult
    {
        bool ok = false;
        QString why; // the system's reason when the open failed
        explicit operator bool() const { return ok; }
    };

    // Opens the device exclusively and sets up the line, with the driver's
    // low latency where it offers that. Only the open itself can fail; a
    // setting the driver refuses is left as it is.
    OpenResult open(const QString &devicePath);
    void close();
    bool isOpen() const;

    void purge() override;
    void write(QByteArrayView bytes) override;
    QByteArray read(int count) override;
    void pause(int milliseconds) override;
    bool lineLost() const override { return !lineAlive(); }

private:
    // False once the line itself is gone (cable pulled, device removed).
    bool lineAlive() const;
#ifdef Q_OS_WIN
    void *m_handle = nullptr; // the open port's HANDLE
    bool m_lost = false;      // a read or write failed: the device is gone
#else
    // Hands Qt's buffered output to the driver within `timeoutMs`.
    void pushOutput(int timeoutMs);

    QSerialPort m_port;
#endif
};

} // namespace kdw
