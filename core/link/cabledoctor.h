#pragma once

#include "core/link/byteport.h"
#include "core/link/serialdevices.h"
#include "core/text/language.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace kdw {

// Who asks: the identity the device's permissions are checked against.
struct DoctorIdentity
{
    uint uid = 0;
    uint primaryGroup = 0;
    QList<uint> processGroups; // the groups this process runs with now
    QString userName;
    QString groupFile = QStringLiteral("/etc/group");
    qint64 ownPid = 0; // left out of the programs that hold the device

    static DoctorIdentity ofThisProcess();
};

// One finding: "ok:", "problem:" or "note:" (these stay English in every
// language), then the text in the chosen language. A problem says what to do.
struct DoctorLine
{
    enum class Kind { Ok, Problem, Note };
    Kind kind = Kind::Ok;
    QString text;

    QString formatted() const;
};

// The device opened for the radio check, or why it did not open.
struct DoctorPort
{
    std::unique_ptr<BytePort> port;
    QString reason;
};
using DoctorOpener = std::function<DoctorPort(const QString &devicePath)>;

// Opens the device as a transfer does.
DoctorPort openSerialPort(const QString &devicePath);

// Looks at everything between the program and the radio, in order: the
// device the port name maps to and its adapter, whether it opens and who else
// holds it, services that take serial adapters, the FTDI latency timer, and
// the radio itself (its wake-up and identification, as a transfer begins;
// nothing is ever written to its memory). Reads the system only.
class CableDoctor
{
public:
    using Sink = std::function<void(const DoctorLine &)>;

    CableDoctor(SystemRoots roots, DoctorIdentity identity, Language language, DoctorOpener opener = openSerialPort);

    // Every check, each line to `sink` as soon as it is known, and last the
    // count of problems. Returns that count.
    int run(const QString &portName, const QString &programDirectory, const Sink &sink);

    // The radio check alone, over a port that is open and set up.
    DoctorLine checkRadio(BytePort &port) const;

private:
    struct Device;
    void checkDevice(const QString &portName, const QString &programDirectory, Device &device);
    // False when the device's mode keeps this user out (said as a problem).
    bool checkAccess(const Device &device);
    void checkHolders(const Device &device);
    void checkServices(const Device &device);
    void checkLatency(const Device &device);
    QString text(const struct LocalisedText &localised) const;
    void report(DoctorLine::Kind kind, const QString &text);

    SystemRoots m_roots;
    DoctorIdentity m_identity;
    Language m_language;
    DoctorOpener m_opener;
    const Sink *m_sink = nullptr;
    int m_problems = 0;
};

} // namespace kdw
