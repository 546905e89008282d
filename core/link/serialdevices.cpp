#include "core/link/serialdevices.h"

#include "core/link/portnames.h"
#include "core/text/localisedtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <algorithm>
#include <windows.h>
#endif

namespace kdw {

namespace {

constexpr LocalisedText NotPresentText{u"not present", u"不存在", u"不存在"};
constexpr LocalisedText PseudoTerminalText{u"pseudo-terminal", u"伪终端", u"虛擬終端"};

#ifndef Q_OS_WIN
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
#endif

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

#ifdef Q_OS_WIN

namespace {

// "COM3" for "COM3", "com3" and "\\.\COM3".
QString portKey(const QString &path)
{
    QString name = path.startsWith(u"\\\\.\\") ? path.mid(4) : path;
    return name.toUpper();
}

int portNumber(const QString &name)
{
    return name.startsWith(u"COM") ? name.mid(3).toInt() : 0;
}

} // namespace

QList<SerialDevice> systemSerialPorts()
{
    QList<SerialDevice> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key)
        != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        wchar_t data[256];
        DWORD nameLength = DWORD(std::size(valueName));
        DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
        DWORD type = 0;
        const LSTATUS status = RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type,
                                             reinterpret_cast<BYTE *>(data), &dataBytes);
        if (status == ERROR_MORE_DATA)
            continue; // a name too long for a port: not one
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        SerialDevice port;
        port.name = QString::fromWCharArray(data).trimmed();
        port.path = port.name;
        port.product = QString::fromWCharArray(valueName, int(nameLength));
        if (!port.name.isEmpty())
            ports.append(port);
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), [](const SerialDevice &a, const SerialDevice &b) {
        return portNumber(a.name) != portNumber(b.name) ? portNumber(a.name) < portNumber(b.name) : a.name < b.name;
    });
    return ports;
}

bool devicePresent(const QString &path)
{
    const QString key = portKey(path);
    const QList<SerialDevice> ports = systemSerialPorts();
    return std::any_of(ports.begin(), ports.end(), [&](const SerialDevice &port) { return port.name == key; });
}

SerialDevice describeSerialDevice(const SystemRoots &, const QString &path)
{
    const QString key = portKey(path);
    for (const SerialDevice &port : systemSerialPorts()) {
        if (port.name == key) {
            SerialDevice device = port;
            device.path = path;
            return device;
        }
    }
    SerialDevice device;
    device.path = path;
    device.name = key;
    return device;
}

QList<SerialDevice> usbSerialDevices(const SystemRoots &)
{
    return systemSerialPorts();
}

#else

bool devicePresent(const QString &path)
{
    return QFileInfo::exists(path);
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

#endif

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
    if (!devicePresent(path))
        facts = NotPresentText.text(language);
    else if (device.pseudoTerminal)
        facts = PseudoTerminalText.text(language);
    return facts.isEmpty() ? path : path + QStringLiteral(" \u2014 ") + facts;
}

#ifndef Q_OS_WIN
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
#endif

} // namespace kdw
