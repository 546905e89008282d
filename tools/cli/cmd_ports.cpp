#include "core/link/portnames.h"
#include "core/link/serialdevices.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QTextStream>
#ifndef Q_OS_WIN
#include <QSerialPortInfo>
#endif

namespace kdw::cli {

namespace {

// The adapter and its stable name, as far as sysfs and udev know them.
QStringList adapterFacts(const QString &device)
{
    const SerialDevice facts = describeSerialDevice(SystemRoots{}, device);
    QStringList shown;
    for (const QString &fact : {facts.adapter(), facts.byId}) {
        if (!fact.isEmpty())
            shown.append(fact);
    }
    return shown;
}

} // namespace

// kdw-cli ports: the serial ports present with their adapters and stable
// names, and the device each Port menu choice opens from this program directory.
int cmdPorts(const CliContext &context, const QStringList &args)
{
    const auto run = prepare(context, args, {});
    if (!run)
        return run.exitCode();

    out() << "Serial ports present:\n";
#ifdef Q_OS_WIN
    // The system's list: each port with its driver's device name.
    const QList<SerialDevice> ports = systemSerialPorts();
    if (ports.isEmpty())
        out() << "  (none)\n";
    for (const SerialDevice &port : ports)
        out() << "  " << port.path << "  " << port.product << '\n';
#else
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (ports.isEmpty())
        out() << "  (none)\n";
    for (const QSerialPortInfo &info : ports) {
        QStringList facts = adapterFacts(info.systemLocation());
        if (facts.isEmpty() && !info.description().isEmpty())
            facts.append(info.description());
        if (!info.serialNumber().isEmpty())
            facts.append(QStringLiteral("serial %1").arg(info.serialNumber()));
        out() << "  " << info.systemLocation();
        if (!facts.isEmpty())
            out() << "  " << facts.join(QStringLiteral(", "));
        out() << '\n';
    }

#endif

    out() << "Port menu:\n";
    for (int n = 1; n <= 8; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        const QString device = devicePathFor(name, context.programDirectory);
        const QStringList facts
            = devicePresent(device) ? adapterFacts(device) : QStringList{QStringLiteral("(absent)")};
        out() << "  " << name << " -> " << device;
        if (!facts.isEmpty())
            out() << "  " << facts.join(QStringLiteral(", "));
        out() << '\n';
    }
    out().flush();
    return Ok;
}

} // namespace kdw::cli
