#include "core/link/serialport.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <termios.h>
#include <thread>
#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#endif

namespace kdw {

SerialPort::SerialPort() = default;

SerialPort::~SerialPort()
{
    close();
}

SerialPort::OpenResult SerialPort::open(const QString &devicePath)
{
    if (devicePath.isEmpty())
        return {false, QStringLiteral("no port is chosen")};
    m_port.setPortName(devicePath);
    if (!m_port.open(QIODevice::ReadWrite)) {
        QString why = m_port.errorString();
        if (m_port.error() == QSerialPort::PermissionError) {
            // Qt reports a refused open and a port locked by another program
            // alike; the device's own permissions tell them apart.
            const QFileInfo device(devicePath);
            why = device.isReadable() && device.isWritable() ? QStringLiteral("in use by another program")
                                                             : QStringLiteral("permission denied");
        }
        m_port.clearError();
        return {false, why};
    }
    // Requested driver queues of 1024 / 512 bytes have no POSIX counterpart;
    // Qt's own read buffer is unbounded.
    (void)m_port.setBaudRate(QSerialPort::Baud9600);
    (void)m_port.setDataBits(QSerialPort::Data8);
    (void)m_port.setParity(QSerialPort::NoParity);
    (void)m_port.setStopBits(QSerialPort::OneStop);
    m_port.clearError();
#ifdef Q_OS_LINUX
    // USB adapters hold received bytes for their latency timer (16 ms by
    // default on FTDI) before passing them on; every answer would wait that
    // long. Drivers that offer it (ftdi_sio) pass them at once on request.
    serial_struct serial{};
    const int fd = int(m_port.handle());
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0 && !(serial.flags & ASYNC_LOW_LATENCY)) {
        serial.flags |= ASYNC_LOW_LATENCY;
        (void)::ioctl(fd, TIOCSSERIAL, &serial);
    }
    // The 1 ms pauses are the protocol's pacing: keep the kernel from
    // stretching them by its default 50 µs timer slack on every sleep.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    return {true, {}};
}

bool SerialPort::isOpen() const
{
    return m_port.isOpen();
}

void SerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SerialPort::lineAlive() const
{
    if (!m_port.isOpen())
        return false;
    switch (m_port.error()) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError: return true;
    default: return false;
    }
}

void SerialPort::pushOutput(int timeoutMs)
{
    // Into the driver whatever the time-out: a thread kept from running past
    // it must still send. flush() alone sends nothing while Qt counts an
    // earlier write as still in progress (its write notifier never runs in a
    // thread without an event loop); a look for writability does send, so
    // there is always at least one, even with the time-out already spent.
    (void)m_port.flush();
    QDeadlineTimer deadline(timeoutMs);
    do {
        if (m_port.bytesToWrite() == 0 || !lineAlive())
            break;
        m_port.waitForBytesWritten(int(deadline.remainingTime()));
    } while (!deadline.hasExpired());
}

void SerialPort::purge()
{
    if (!m_port.isOpen())
        return;
    // First let the host's own bytes leave: Qt's buffer into the driver, then
    // the driver's queue onto the line. Discarding the transmit queue instead
    // would drop bytes a USB adapter or the other end of a pseudo-terminal has
    // not taken yet.
    pushOutput(linktime::writeTotal(m_port.bytesToWrite()));
    while (::tcdrain(int(m_port.handle())) != 0 && errno == EINTR) { }
    // Then drop only what was received: Qt's read buffer and the driver's
    // input queue.
    (void)m_port.clear(QSerialPort::Input);
    m_port.clearError();
}

void SerialPort::write(QByteArrayView bytes)
{
    if (!m_port.isOpen() || bytes.isEmpty())
        return;
    (void)m_port.write(bytes.data(), bytes.size());
    pushOutput(linktime::writeTotal(bytes.size()));
}

QByteArray SerialPort::read(int count)
{
    QByteArray received;
    if (!m_port.isOpen() || count <= 0)
        return received;
    // The total time-out runs from the start of the read; the interval
    // time-out from each received byte.
    QElapsedTimer clock;
    clock.start();
    const qint64 total = linktime::readTotal(count);
    qint64 lastByteAt = -1;
    bool lastLook = false;
    m_port.clearError();
    for (;;) {
        const qsizetype before = received.size();
        received += m_port.read(count - received.size());
        if (received.size() >= count || lastLook || !lineAlive())
            break;
        const qint64 now = clock.elapsed();
        if (received.size() > before)
            lastByteAt = now;
        qint64 left = total - now;
        if (lastByteAt >= 0)
            left = std::min(left, lastByteAt + linktime::ReadInterval - now);
        if (left <= 0) {
            // Time is up. Bytes the driver took in while this thread was kept
            // from running still count: take them without waiting.
            lastLook = true;
            left = 0;
        }
        m_port.waitForReadyRead(int(left));
    }
    return received;
}

void SerialPort::pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace kdw
