#include "core/link/serialdevices.h"

#include "core/link/portnames.h"
#include "core/text/localisedtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kdw {

namespace {

constexpr LocalisedText NotPresentText{u"not present", u"不存在", u"不存在"};
constexpr LocalisedText PseudoTerminalText{u"pseudo-terminal", u"伪终端", u"虛擬終端"};

// The USB device a terminal hangs off: the first folder above its sysfs device
// that carries idVendor (the interface and the usb-serial port lie between).
QString usbDeviceFolder(const QString &sysRoot, QString folder)
{
    const QString top = QFileInfo(sysRoot).canonicalFilePath();
    while (!folder.isEmpty() && folder.startsWith(top) && folder != top) {
        if (QFileInfo::exists(folder + QStringLiteral("/idVendor")))
            return folder;
        folder = QFileInfo(folder).path();
    }
    return {};
}

QString byIdName(const SystemRoots &roots, const QString &canonicalDevice)
{
    if (canonicalDevice.isEmpty())
        return {};
    const QDir byId(roots.dev + QStringLiteral("/serial/by-id"));
    for (const QFileInfo &link : byId.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (link.canonicalFilePath() == canonicalDevice)
            return link.absoluteFilePath();
    }
    return {};
}

} // namespace

QString readAttribute(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(256)).trimmed();
}

QString SystemRoots::inDev(const QString &path) const
{
    if (path.startsWith(u"/dev/"))
        return dev + path.mid(4);
    return path;
}

QString SerialDevice::adapter() const
{
    QStringList facts;
    if (!vendorProduct.isEmpty())
        facts.append(vendorProduct);
    if (!driver.isEmpty())
        facts.append(driver);
    if (product.isEmpty())
        return facts.join(QStringLiteral(", "));
    return facts.isEmpty() ? product : QStringLiteral("%1 (%2)").arg(product, facts.join(QStringLiteral(", ")));
}

SerialDevice describeSerialDevice(const SystemRoots &roots, const QString &path)
{
    SerialDevice device;
    device.path = path;
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    device.name = QFileInfo(canonical.isEmpty() ? path : canonical).fileName();
    const QString real = canonical.isEmpty() ? path : canonical;
    device.pseudoTerminal = real.startsWith(roots.dev + QStringLiteral("/pts/")) || real.startsWith(u"/dev/pts/");
    if (device.pseudoTerminal)
        return device;

    const QFileInfo sysDevice(roots.sys + QStringLiteral("/class/tty/") + device.name + QStringLiteral("/device"));
    if (sysDevice.exists()) {
        device.sysDevice = sysDevice.canonicalFilePath();
        device.driver
            = QFileInfo(QFileInfo(device.sysDevice + QStringLiteral("/driver")).canonicalFilePath()).fileName();
        const QString usb = usbDeviceFolder(roots.sys, device.sysDevice);
        if (!usb.isEmpty()) {
            device.vendorProduct = readAttribute(usb + QStringLiteral("/idVendor")) + u':'
                                   + readAttribute(usb + QStringLiteral("/idProduct"));
            device.product = readAttribute(usb + QStringLiteral("/product"));
        }
    }
    device.byId = byIdName(roots, canonical);
    return device;
}

QString devicePathIn(const SystemRoots &roots, const QString &portName, const QString &programDirectory)
{
    const PortMapping mapping = mapPort(portName, programDirectory);
    return mapping.via == PortMapping::Via::Rule ? roots.inDev(mapping.device) : mapping.device;
}

QString portSummary(const QString &portName, const QString &programDirectory, Language language,
                    const SystemRoots &roots)
{
    const QString path = devicePathIn(roots, portName, programDirectory);
    const SerialDevice device = describeSerialDevice(roots, path);
    QString facts = device.adapter();
    if (!QFileInfo::exists(path))
        facts = NotPresentText.text(language);
    else if (device.pseudoTerminal)
        facts = PseudoTerminalText.text(language);
    return facts.isEmpty() ? path : path + QStringLiteral(" \u2014 ") + facts;
}

QList<SerialDevice> usbSerialDevices(const SystemRoots &roots)
{
    QList<SerialDevice> found;
    const QDir ttys(roots.sys + QStringLiteral("/class/tty"));
    for (const QString &name : ttys.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!QFileInfo::exists(ttys.filePath(name) + QStringLiteral("/device")))
            continue; // virtual consoles and pseudo-terminals have no device
        SerialDevice device = describeSerialDevice(roots, roots.dev + u'/' + name);
        if (device.isUsb())
            found.append(device);
    }
    return found;
}

} // namespace kdw
