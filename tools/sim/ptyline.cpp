#include "tools/sim/ptyline.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kdw::sim {

qint64 nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void sleepUntilNs(qint64 deadline)
{
    const timespec ts{time_t(deadline / 1000000000), long(deadline % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) { }
}

PtyLine::PtyLine(QString linkPath, int baud)
    : m_linkPath(std::move(linkPath))
    // A byte on the wire: start bit, 8 data bits, stop bit.
    , m_byteNs(baud > 0 ? qint64(10) * 1000000000 / baud : 0)
{
}

PtyLine::~PtyLine()
{
    closeMaster();
}

void PtyLine::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

bool PtyLine::open(QString *error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        closeMaster();
        return false;
    }
    // Raw on the radio's side too: no echo, no line editing, 8 bits through.
    termios tio{};
    if (tcgetattr(m_master, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(m_master, TCSANOW, &tio);
    }
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    if (m_linkPath.isEmpty())
        return true;
    // Place the link under a temporary name and rename it over the old one,
    // so the link never points nowhere while it is replaced.
    const QByteArray link = QFile::encodeName(m_linkPath);
    const QByteArray temporary = link + ".sim";
    ::unlink(temporary.constData());
    if (::symlink(ptsname(m_master), temporary.constData()) != 0
        || ::rename(temporary.constData(), link.constData()) != 0) {
        *error = QStringLiteral("cannot link %1: %2").arg(m_linkPath, QString::fromLocal8Bit(strerror(errno)));
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

bool PtyLine::reopen(QString *error)
{
    closeMaster();
    m_inFreeAt = m_outFreeAt = 0;
    return open(error);
}

void PtyLine::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    const QByteArray link = QFile::encodeName(m_linkPath);
    char target[4096];
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    if (n > 0 && QString::fromLocal8Bit(target, int(n)) == m_slavePath)
        ::unlink(link.constData());
}

PtyLine::Wait PtyLine::waitForHost(int timeoutMs)
{
    pollfd p{m_master, POLLIN, 0};
    const int n = ::poll(&p, 1, timeoutMs);
    if (n < 0)
        return errno == EINTR ? Wait::Interrupted : Wait::HostClosed;
    if (p.revents & POLLIN)
        return Wait::Data;
    if (p.revents & (POLLHUP | POLLERR)) {
        // Nobody holds the port. The master reports the hang-up until the
        // host opens it again, so look again a little later.
        sleepUntilNs(nowNs() + 2000000);
        return Wait::HostClosed;
    }
    return Wait::Data;
}

QByteArray PtyLine::takeHostBytes()
{
    QByteArray bytes;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: all taken; EIO: the host closed the port
    }
    m_takenAt = nowNs();
    return bytes;
}

void PtyLine::awaitArrival()
{
    if (m_byteNs == 0)
        return;
    // The host wrote these bytes no later than we took them; on the wire
    // each one follows the one before.
    m_inFreeAt = std::max(m_inFreeAt, m_takenAt) + m_byteNs;
    sleepUntilNs(m_inFreeAt);
}

void PtyLine::send(QByteArrayView bytes)
{
    if (m_master < 0 || bytes.isEmpty())
        return;
    if (m_byteNs == 0) {
        // A host that does not read loses what does not fit, as on a wire.
        (void)::write(m_master, bytes.data(), size_t(bytes.size()));
        return;
    }
    // The answer starts on the wire the moment the request has come in, as
    // from a radio that answers at once; deadlines follow from there, so a
    // late wake-up of this process does not stretch the answer.
    m_outFreeAt = std::max(m_outFreeAt, m_inFreeAt);
    for (char byte : bytes) {
        m_outFreeAt += m_byteNs;
        sleepUntilNs(m_outFreeAt);
        (void)::write(m_master, &byte, 1);
    }
}

} // namespace kdw::sim
