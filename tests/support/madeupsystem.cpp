#include "madeupsystem.h"

#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <sys/stat.h>

namespace kdw::test {

MadeUpSystem::MadeUpSystem()
    : m_root(QDir(m_dir.path()).canonicalPath())
{
    for (const char *folder :
         {"sys/class/tty", "sys/bus/usb-serial/drivers", "dev/serial/by-id", "dev/pts", "proc", "etc", "program/ports"})
        QDir(m_root).mkpath(QString::fromLatin1(folder));
}

SystemRoots MadeUpSystem::roots() const
{
    return {path(QStringLiteral("sys")), path(QStringLiteral("dev")), path(QStringLiteral("proc"))};
}

bool MadeUpSystem::addAdapter(const QString &description, int index, bool byId)
{
    const QStringList f = description.split(u' ');
    const QString &name = f.at(0);
    const QString &driver = f.at(1);
    const QStringList ids = f.at(2).split(u':');
    const QString usb = QStringLiteral("sys/devices/usb1/1-%1").arg(index + 1);
    const QString port = usb + QStringLiteral("/1-%1:1.0/").arg(index + 1) + name;
    const QString driverFolder = QStringLiteral("sys/bus/usb-serial/drivers/") + driver;
    const QString classFolder = QStringLiteral("sys/class/tty/") + name;
    const bool made = QDir(m_root).mkpath(port) && QDir(m_root).mkpath(driverFolder) && QDir(m_root).mkpath(classFolder)
                      && writeFile(path(usb + QStringLiteral("/idVendor")), ids.at(0).toLatin1())
                      && writeFile(path(usb + QStringLiteral("/idProduct")), ids.at(1).toLatin1())
                      && writeFile(path(usb + QStringLiteral("/product")), f.mid(4).join(u' ').toUtf8() + '\n')
                      && writeFile(path(port + QStringLiteral("/latency_timer")), f.at(3).toLatin1() + '\n')
                      && QFile::link(path(driverFolder), path(port + QStringLiteral("/driver")))
                      && QFile::link(path(port), path(classFolder + QStringLiteral("/device")))
                      && addDevice(QStringLiteral("dev/") + name, 0660);
    if (!made || !byId)
        return made;
    const QString link = QStringLiteral("dev/serial/by-id/usb-") + f.mid(4).join(u'_') + QStringLiteral("-if00");
    return QFile::link(QStringLiteral("../../") + name, path(link));
}

bool MadeUpSystem::addDevice(const QString &relative, int mode)
{
    return writeFile(path(relative), {}) && ::chmod(QFile::encodeName(path(relative)).constData(), mode_t(mode)) == 0;
}

bool MadeUpSystem::addProcess(const QString &description)
{
    const QStringList f = description.split(u' ');
    const QString folder = QStringLiteral("proc/") + f.at(0);
    if (!QDir(m_root).mkpath(folder + QStringLiteral("/fd"))
        || !writeFile(path(folder + QStringLiteral("/comm")), f.at(1).toUtf8() + '\n'))
        return false;
    return f.size() < 3 || QFile::link(path(f.at(2)), path(folder + QStringLiteral("/fd/3")));
}

} // namespace kdw::test
