#pragma once

#include "core/text/language.h"

#include <QList>
#include <QString>

namespace kdw {

// Where the system describes its devices: sysfs, the device folder with
// udev's links, and the process table. The live system's folders, or a made-up
// tree in the tests.
struct SystemRoots
{
    QString sys = QStringLiteral("/sys");
    QString dev = QStringLiteral("/dev");
    QString proc = QStringLiteral("/proc");

    // A device path as the program names it ("/dev/ttyUSB0") inside these
    // roots; any other path as it stands.
    QString inDev(const QString &path) const;
};

// A serial device as sysfs and udev describe it.
struct SerialDevice
{
    QString path;          // the device file, e.g. /dev/ttyUSB0
    QString name;          // its kernel name, e.g. ttyUSB0
    QString driver;        // e.g. ftdi_sio, cdc_acm, pl2303; empty when unknown
    QString vendorProduct; // USB "vendor:product" in hex, e.g. 0403:6001
    QString product;       // the adapter's own product string
    QString byId;          // its stable /dev/serial/by-id/ name, when udev made one
    QString sysDevice;     // its sysfs device folder (driver attributes live here)
    bool pseudoTerminal = false;

    bool isUsb() const { return !vendorProduct.isEmpty(); }
    // "Prolific PL2303 (067b:2303, pl2303)": what the adapter is, as far as
    // the system knows; empty for a device without sysfs facts.
    QString adapter() const;
};

// A sysfs or procfs attribute: its first line, trimmed; empty when unreadable.
QString readAttribute(const QString &path);

// What is known of the device at `path` (a path inside the roots).
SerialDevice describeSerialDevice(const SystemRoots &roots, const QString &path);

// The device a port name opens, inside the roots: the "COMn" rule's
// /dev/ttyUSBn is looked for there; a link's target and a path given as the
// port stay as they are.
QString devicePathIn(const SystemRoots &roots, const QString &portName, const QString &programDirectory);

// What a port name opens now, for the Port menu: "/dev/ttyUSB0 — FT232R USB
// UART (0403:6001, ftdi_sio)", or the device and "not present".
QString portSummary(const QString &portName, const QString &programDirectory, Language language,
                    const SystemRoots &roots = {});

// The USB serial adapters present (ttyUSB*, ttyACM* and other USB-backed
// terminals), by kernel name. On Windows every port of the system's list.
QList<SerialDevice> usbSerialDevices(const SystemRoots &roots);

// Whether the device at `path` (a path inside the roots) is there now: on
// Windows whether the system's serial port list names it (a port is no file
// there), elsewhere whether the device file exists.
bool devicePresent(const QString &path);

#ifdef Q_OS_WIN
// The system's serial port list (HARDWARE\DEVICEMAP\SERIALCOMM), by port
// number: the port's name as `path` and `name`, its driver's device name
// (e.g. \Device\VCP0 for a USB adapter) as `product`.
QList<SerialDevice> systemSerialPorts();
#endif

} // namespace kdw
