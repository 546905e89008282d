#include "core/link/portnames.h"

#include "core/program/userfiles.h"

#include <QFileInfo>

namespace kdw {

int comPortNumber(const QString &portName)
{
    if (portName.size() != 4 || !portName.startsWith(u"COM"))
        return 0;
    const int n = portName.at(3).digitValue();
    return n >= 1 && n <= 8 ? n : 0;
}

QString devicePathFor(const QString &portName, const QString &programDirectory)
{
    return mapPort(portName, programDirectory).device;
}

PortMapping mapPort(const QString &portName, const QString &programDirectory)
{
#ifdef Q_OS_WIN
    Q_UNUSED(programDirectory);
    return {PortMapping::Via::AsGiven, portName, {}};
#else
    const int n = comPortNumber(portName);
    if (n == 0)
        return {PortMapping::Via::AsGiven, portName, {}};
    const QString link = lookUpUserFile(programDirectory, QStringLiteral("ports/") + portName);
    const QFileInfo info(link);
    // A dangling link still names this port: its open fails rather than
    // reaching a USB adapter the user did not choose.
    if (info.exists() || info.isSymLink()) {
        // The device behind the link: its lock and exclusive open then guard
        // the device itself, whatever name reached it.
        const QString target = info.canonicalFilePath();
        return {PortMapping::Via::Link, target.isEmpty() ? link : target, link};
    }
    return {PortMapping::Via::Rule, QStringLiteral("/dev/ttyUSB%1").arg(n - 1), {}};
#endif
}

} // namespace kdw
