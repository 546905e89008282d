#include "fulldisk.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace kdw::test {

#ifdef Q_OS_WIN

// Neither a small filesystem nor a size limit can be had without an
// administrator: the tests that need them say so and skip.
FullDisk::FullDisk() = default;
FullDisk::~FullDisk() = default;
bool FullDisk::fill()
{
    return false;
}
FileSizeLimit::FileSizeLimit(qint64)
{
}
FileSizeLimit::~FileSizeLimit() = default;

#else

FullDisk::FullDisk()
{
    if (!m_dir.isValid() || ::geteuid() != 0)
        return;
    const QByteArray at = QFile::encodeName(m_dir.path());
    m_mounted = ::mount("tmpfs", at.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
}

FullDisk::~FullDisk()
{
    if (m_mounted)
        (void)::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool FullDisk::fill()
{
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    static const char block[4096] = {};
    while (::write(fd, block, sizeof block) > 0) { }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_previous = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit = {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_previous);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_DFL);
}

#endif

} // namespace kdw::test
