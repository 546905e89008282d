#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>

namespace kdw::sim {

// The radio's end of the cable: the master side of a pseudo-terminal whose
// slave side the host opens as its serial port. Optionally paced like a
// serial line, so that every byte takes its time on the wire in both
// directions.
class PtyLine
{
public:
    // `baud` 0 means unpaced: bytes move as fast as the terminal takes them.
    PtyLine(QString linkPath, int baud);
    ~PtyLine();

    // Opens a new terminal and, when a link path is set, points the link at
    // it. False with a reason on failure.
    bool open(QString *error);
    // Drops the line as a pulled cable does and opens a fresh one behind the
    // same link.
    bool reopen(QString *error);
    void removeLink();

    QString terminalPath() const { return m_slavePath; }

    enum class Wait { Data, HostClosed, Interrupted };
    // Waits for the host's bytes; HostClosed while no host holds the port.
    Wait waitForHost(int timeoutMs);
    // Takes the bytes the host has written so far.
    QByteArray takeHostBytes();
    // Paced: returns once the next byte of the last take has fully come
    // down the wire; at once when unpaced.
    void awaitArrival();
    // Sends the bytes; paced, each one leaves when the wire has carried it.
    void send(QByteArrayView bytes);

private:
    void closeMaster();

    QString m_linkPath;
    qint64 m_byteNs = 0; // time of one byte (start, 8 data, stop bits)
    int m_master = -1;
    QString m_slavePath;
    qint64 m_inFreeAt = 0;  // when the host-to-radio wire is next idle
    qint64 m_outFreeAt = 0; // when the radio-to-host wire is next idle
    qint64 m_takenAt = 0;
};

// Monotonic clock in nanoseconds, and an absolute sleep on it.
qint64 nowNs();
void sleepUntilNs(qint64 deadline);

} // namespace kdw::sim
