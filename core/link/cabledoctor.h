#pragma once

#include "core/link/byteport.h"
#include "core/link/radiotransfer.h"
#include "core/link/serialdevices.h"
#include "core/text/language.h"

#include <QElapsedTimer>
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

// A port that passes every exchange on unchanged and notes what came back
// since its last restart(): what the cable check judges a radio by, in its
// own radio check and at the start of a transfer. Only the first KiB each way
// is kept: a start that fails is far shorter.
class AnswerWatch final : public BytePort
{
public:
    explicit AnswerWatch(BytePort &port);

    // Forgets what was seen: a new session begins.
    void restart();

    void purge() override { m_port.purge(); }
    void write(QByteArrayView bytes) override;
    QByteArray read(int count) override;
    void pause(int milliseconds) override { m_port.pause(milliseconds); }
    bool lineLost() const override { return m_port.lineLost(); }

    const QByteArray &received() const { return m_received; }
    const QByteArray &lastRead() const { return m_lastRead; }
    // Nothing but pieces of what the host sent came back: a cable without a radio.
    bool onlyEcho() const { return m_onlyEcho; }
    qint64 roundTripNs() const { return m_roundTripNs; }

private:
    BytePort &m_port;
    QElapsedTimer m_clock;
    QByteArray m_sent;
    QByteArray m_received;
    QByteArray m_lastRead;
    bool m_onlyEcho = true;
    qint64 m_lastWriteNs = 0;
    qint64 m_roundTripNs = 0;
};

// A program other than this one that has a device open.
struct PortHolder
{
    qint64 pid = 0;
    QString name;
};
// Who holds `devicePath` (a path inside the roots) open, leaving out
// `ownPid`; other users' programs cannot be seen.
QList<PortHolder> portHolders(const SystemRoots &roots, const QString &devicePath, qint64 ownPid);

// The cable check's finding on a transfer that failed at its start, in the
// words and with the advice of Check Cable and Radio: another program that
// holds the device, else what came back in answer to the wake-up (nothing,
// only our own bytes, other bytes) or to the identification. `watched` saw
// the failed session, and its last answers are read here; null when the
// port did not open. Empty when the transfer got past its start, failed on
// the port's open for another reason than another program, or lost the line
// with nobody else on it.
QString failedStartFinding(const TransferOutcome &outcome, AnswerWatch *watched, Language language,
                           const SystemRoots &roots = {}, qint64 ownPid = 0);

// A port that opened although another program holds the device too, made a
// refused open that names the program (as failedStartFinding does): that
// program takes the radio's answers, so a run that waits for radios on the
// port would wait for ever. Returned as it is otherwise.
TransferOutcome refusedWhenHeld(TransferOutcome opened, Language language, const SystemRoots &roots = {},
                                qint64 ownPid = 0);

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
