#include "core/link/serialport.h"

#include <windows.h>

namespace kdw {

namespace {

HANDLE handleOf(void *handle)
{
    return static_cast<HANDLE>(handle);
}

// The system's own words for an error code, without the trailing line break.
QString systemReason(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length
        = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString reason
        = length ? QString::fromWCharArray(text, int(length)).trimmed() : QStringLiteral("error %1").arg(error);
    if (text)
        LocalFree(text);
    return reason;
}

} // namespace

SerialPort::SerialPort() = default;

SerialPort::~SerialPort()
{
    close();
}

SerialPort::OpenResult SerialPort::open(const QString &devicePath)
{
    if (devicePath.isEmpty())
        return {false, QStringLiteral("no port is chosen")};
    close();
    // The name as it stands: COM1..COM9, or \\.\COM10 and up.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(devicePath.utf16()),
                                      GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A port is opened exclusively: another program holding it is what
        // a refused open of an existing port means.
        if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
            return {false, QStringLiteral("in use by another program (%1)").arg(systemReason(error))};
        return {false, systemReason(error)};
    }
    m_handle = handle;
    m_lost = false;
    // The driver's queues, the link's time-outs, then the line itself. Only
    // the open can fail; a setting the driver refuses is left as it is.
    (void)SetupComm(handle, 1024, 512);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = linktime::ReadInterval;
    timeouts.ReadTotalTimeoutMultiplier = linktime::ReadTotalPerByte;
    timeouts.ReadTotalTimeoutConstant = linktime::ReadTotalConstant;
    timeouts.WriteTotalTimeoutMultiplier = linktime::WriteTotalPerByte;
    timeouts.WriteTotalTimeoutConstant = linktime::WriteTotalConstant;
    (void)SetCommTimeouts(handle, &timeouts);
    DCB line{};
    line.DCBlength = sizeof(line);
    if (GetCommState(handle, &line)) {
        line.BaudRate = CBR_9600;
        line.ByteSize = 8;
        line.Parity = NOPARITY;
        line.StopBits = ONESTOPBIT;
        line.fBinary = TRUE;
        line.fParity = FALSE;
        // No handshake; DTR and RTS raised, as the cable's level converter
        // may draw its power from them.
        line.fOutxCtsFlow = FALSE;
        line.fOutxDsrFlow = FALSE;
        line.fDsrSensitivity = FALSE;
        line.fOutX = FALSE;
        line.fInX = FALSE;
        line.fDtrControl = DTR_CONTROL_ENABLE;
        line.fRtsControl = RTS_CONTROL_ENABLE;
        line.fAbortOnError = FALSE;
        (void)SetCommState(handle, &line);
    }
    (void)PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    return {true, {}};
}

bool SerialPort::isOpen() const
{
    return m_handle != nullptr;
}

void SerialPort::close()
{
    if (m_handle)
        CloseHandle(handleOf(m_handle));
    m_handle = nullptr;
}

bool SerialPort::lineAlive() const
{
    return m_handle && !m_lost;
}

void SerialPort::purge()
{
    if (!lineAlive())
        return;
    // The host's own bytes leave first; only what was received is dropped.
    (void)FlushFileBuffers(handleOf(m_handle));
    (void)PurgeComm(handleOf(m_handle), PURGE_RXCLEAR | PURGE_RXABORT);
}

void SerialPort::write(QByteArrayView bytes)
{
    if (!lineAlive() || bytes.isEmpty())
        return;
    // The write time-out ends a write the line does not take; a refused
    // write means the device is gone.
    DWORD written = 0;
    if (!WriteFile(handleOf(m_handle), bytes.data(), DWORD(bytes.size()), &written, nullptr))
        m_lost = true;
}

QByteArray SerialPort::read(int count)
{
    QByteArray received;
    if (!lineAlive() || count <= 0)
        return received;
    // The driver applies the total and interval time-outs set at the open.
    received.resize(count);
    DWORD got = 0;
    if (!ReadFile(handleOf(m_handle), received.data(), DWORD(count), &got, nullptr)) {
        m_lost = true;
        got = 0;
    }
    received.resize(qsizetype(got));
    return received;
}

void SerialPort::pause(int milliseconds)
{
    Sleep(DWORD(milliseconds));
}

} // namespace kdw
