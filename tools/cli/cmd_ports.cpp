#include "link/portnames.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTextStream>

namespace kdw::cli {

namespace {

QString usbIds(const QSerialPortInfo &info)
{
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
        return {};
    return QStringLiteral("%1:%2")
        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
}

} // namespace

// kdw-cli ports: the serial ports present, and the device each Port menu
// choice opens from this program directory.
int cmdPorts(const CliContext &context, const QStringList &args)
{
    const auto run = prepare(context, args, {});
    if (!run)
        return run.exitCode();

    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    out() << "Serial ports present:\n";
    if (ports.isEmpty())
        out() << "  (none)\n";
    for (const QSerialPortInfo &info : ports) {
        QStringList facts;
        for (const QString &fact :
             {info.description(), info.manufacturer(), usbIds(info),
              info.serialNumber().isEmpty() ? QString() : QStringLiteral("serial %1").arg(info.serialNumber())}) {
            if (!fact.isEmpty())
                facts.append(fact);
        }
        out() << "  " << info.systemLocation();
        if (!facts.isEmpty())
            out() << "  " << facts.join(QStringLiteral(", "));
        out() << '\n';
    }

    out() << "Port menu:\n";
    for (int n = 1; n <= 8; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        const QString device = devicePathFor(name, context.programDirectory);
        const QFileInfo file(device);
        out() << "  " << name << " -> " << device << (file.exists() ? "" : "  (absent)") << '\n';
    }
    out().flush();
    return Ok;
}

} // namespace kdw::cli
