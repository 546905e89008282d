#pragma once

#include <QString>

namespace kdw {

// The device a port name opens. On Windows the name as it stands. Elsewhere
// "COM1".."COM8" (exact case) open ports/COMn, the user's or else the program
// directory's, when that exists (a link the user or the simulated radio places
// there), otherwise /dev/ttyUSB0../dev/ttyUSB7; any other name is opened unchanged.
QString devicePathFor(const QString &portName, const QString &programDirectory);

// How a port name reached its device, for people: the rule for "COMn", the
// link ports/COMn, or the name as it stands.
struct PortMapping
{
    enum class Via { Rule, Link, AsGiven };
    Via via = Via::AsGiven;
    QString device;
    QString link; // ports/COMn, when the mapping went through it
};
PortMapping mapPort(const QString &portName, const QString &programDirectory);

// 1..8 for "COM1".."COM8", compared with regard to case; 0 for anything else.
int comPortNumber(const QString &portName);

} // namespace kdw
