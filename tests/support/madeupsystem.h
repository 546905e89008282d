#pragma once

// A made-up system in a temporary folder for the cable check and the device
// list: sysfs, /dev with udev's by-id links, /proc and a group file.
#include "core/link/serialdevices.h"

#include <QString>
#include <QTemporaryDir>

namespace kdw::test {

class MadeUpSystem
{
public:
    MadeUpSystem();

    SystemRoots roots() const;
    // A path inside the tree, e.g. path("dev/ttyUSB0").
    QString path(const QString &relative) const { return m_root + u'/' + relative; }

    // "NAME DRIVER VENDOR:PRODUCT LATENCY PRODUCT TEXT": a USB adapter as the
    // `index`th device on the bus, its device file (mode 0660) and, unless
    // `byId` is false, its by-id link "usb-PRODUCT_TEXT-if00". Each call must
    // give a new index. Fails the running test when the tree cannot be made.
    [[nodiscard]] bool addAdapter(const QString &description, int index, bool byId = true);
    // An empty device file with the given mode.
    [[nodiscard]] bool addDevice(const QString &relative, int mode);
    // "PID NAME [OPEN-FILE]": a running program, holding a file of the tree.
    [[nodiscard]] bool addProcess(const QString &description);

private:
    QTemporaryDir m_dir;
    QString m_root;
};

} // namespace kdw::test
