// The port names COM1 ... COM8 and the devices they open, and the cable
// check: on Linux on a made-up system, each check's finding in each language;
// on Windows against the system's own serial port list.
#include "core/link/cabledoctor.h"
#include "core/link/portnames.h"
#include "core/link/serialdevices.h"
#include "core/link/transfermessages.h"
#include "madeupsystem.h"
#include "testbytes.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

namespace {

// A radio that answers as a KDW417 does: an acknowledge for every one-byte
// read, its identification for the eight-byte one.
class AnsweringPort final : public BytePort
{
public:
    void purge() override { }
    void write(QByteArrayView) override { }
    QByteArray read(int count) override { return count == 8 ? QByteArray("KDW417\x01\x00", 8) : QByteArray(1, '\x06'); }
    void pause(int) override { }
};

// A line that gives back what was written since the last purge ("echo"),
// bytes of noise ("noise"), or nothing ("silent").
class FaultyLine final : public BytePort
{
public:
    explicit FaultyLine(QString kind)
        : m_kind(std::move(kind))
    {
    }
    void purge() override { m_pending.clear(); }
    void write(QByteArrayView bytes) override { m_pending += bytes.toByteArray(); }
    QByteArray read(int count) override
    {
        const QByteArray answer = m_kind == u"echo"    ? m_pending
                                  : m_kind == u"noise" ? QByteArray("\x8d\xf7")
                                                       : QByteArray();
        m_pending.clear();
        return answer.left(count);
    }
    void pause(int) override { }

private:
    QString m_kind;
    QByteArray m_pending;
};

} // namespace

class TestCableDoctor : public QObject
{
    Q_OBJECT

private slots:
    void portNames_data();
    void portNames();
    void systemChecks_data();
    void systemChecks();
    void failedStartFinding_data();
    void failedStartFinding();
    void windowsChecks_data();
    void windowsChecks();
};

void TestCableDoctor::portNames_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("linkTarget"); // ports/<portName> in the program directory, if any
    QTest::addColumn<QString>("expected");   // "<dir>" stands for the program directory

#ifdef Q_OS_WIN
    QSKIP("port names are used as they stand on Windows");
#endif
    QTest::newRow("COM1 linked") << u"COM1"_qs << u"target"_qs << u"<dir>/target"_qs;
    QTest::newRow("COM1 dangling link") << u"COM1"_qs << u"missing"_qs << u"<dir>/ports/COM1"_qs;
    QTest::newRow("COM1 without link") << u"COM1"_qs << QString() << u"/dev/ttyUSB0"_qs;
    QTest::newRow("COM8 without link") << u"COM8"_qs << QString() << u"/dev/ttyUSB7"_qs;
    QTest::newRow("COM9 unchanged") << u"COM9"_qs << QString() << u"COM9"_qs;
    QTest::newRow("COM12 unchanged") << u"COM12"_qs << QString() << u"COM12"_qs;
    QTest::newRow("lower case unchanged") << u"com1"_qs << QString() << u"com1"_qs;
}

void TestCableDoctor::portNames()
{
    QFETCH(QString, portName);
    QFETCH(QString, linkTarget);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    QVERIFY(QDir(root).mkpath(u"ports"_qs));
    if (linkTarget == u"target") {
        QFile target(root + u"/target"_qs);
        QVERIFY(target.open(QIODevice::WriteOnly));
    }
    if (!linkTarget.isEmpty())
        QVERIFY(QFile::link(root + u'/' + linkTarget, root + u"/ports/"_qs + portName));
    QCOMPARE(devicePathFor(portName, root + u'/'), expected.replace(u"<dir>"_qs, root));
}

void TestCableDoctor::systemChecks_data()
{
    QTest::addColumn<QString>("port");          // "@" stands for the made-up tree
    QTest::addColumn<QStringList>("adapters");  // MadeUpSystem::addAdapter
    QTest::addColumn<QStringList>("processes"); // MadeUpSystem::addProcess
    QTest::addColumn<QString>("groupFile");     // the made-up /etc/group
    QTest::addColumn<bool>("asUser");           // checked as alice (uid 1000, groups 1000), else as root
    QTest::addColumn<QString>("openRefused");   // the opener's reason, empty: it opens
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("says"); // each a part of one line, its kind first
    QTest::addColumn<int>("problems");

#ifdef Q_OS_WIN
    QSKIP("a made-up /sys, /dev and /proc are Linux's; windowsChecks checks Windows'");
#endif
    const QString ftdi = u"ttyUSB0 ftdi_sio 0403:6001 1 FT232R USB UART"_qs;
    const QStringList none;
    QTest::newRow("adapter as expected")
        << u"COM1"_qs << QStringList{ftdi} << none << QString() << false << QString() << Language::Eng
        << QStringList{u"ok: COM1 is @/dev/ttyUSB0 (COM1 to COM8"_qs,
                       u"ok: @/dev/ttyUSB0 is present: FT232R USB UART (0403:6001, ftdi_sio). Its stable name is "
                       u"@/dev/serial/by-id/usb-FT232R_USB_UART-if00"_qs,
                       u"ok: @/dev/ttyUSB0 opens for reading and writing"_qs,
                       u"ok: No service"_qs,
                       u"ok: The FTDI latency timer of @/dev/ttyUSB0 is 1 ms"_qs,
                       u"ok: The radio answered: identification 4B 44 57 34 31 37 01 00 (\"KDW417..\")"_qs,
                       u"note: No problems found."_qs}
        << 0;
    QTest::newRow("device missing, other adapter present")
        << u"COM1"_qs << QStringList{u"ttyUSB1 pl2303 067b:2303 1 USB-Serial Controller"_qs} << none << QString()
        << false << QString() << Language::Eng
        << QStringList{u"problem: @/dev/ttyUSB0 does not exist: plug the cable in"_qs,
                       u"note: USB serial adapters present: @/dev/serial/by-id/usb-USB-Serial_Controller-if00 "
                       u"USB-Serial Controller (067b:2303, pl2303)"_qs,
                       u"note: The radio was not checked"_qs, u"note: 1 problem found."_qs}
        << 1;
    QTest::newRow("device missing, no adapter, in Simplified Chinese")
        << u"COM1"_qs << none << none << QString() << false << QString() << Language::Chs
        << texts(u"problem: @/dev/ttyUSB0 不存在|note: 没有 USB 串口转换器。|note: 发现 1 个问题。") << 1;
    QTest::newRow("not in the device's group")
        << u"COM1"_qs << QStringList{ftdi} << none << u"root:x:0:\nusers:x:1000:alice\n"_qs << true << QString()
        << Language::Eng
        << QStringList{u"problem: @/dev/ttyUSB0 belongs to root:root with mode -rw-rw----, and you are not in the "
                       u"group root: add yourself (sudo usermod -aG root $USER)"_qs,
                       u"note: The radio was not checked: the port did not open."_qs}
        << 1;
    QTest::newRow("added to the group, not logged in again")
        << u"COM1"_qs << QStringList{ftdi} << none << u"dialout:x:0:bob,alice\n"_qs << true << QString()
        << Language::Cht
        << QStringList{u"problem: @/dev/ttyUSB0 屬於 root:dialout，權限 -rw-rw----；您已被加入 dialout 群組"_qs} << 1;
    QTest::newRow("held by another program")
        << u"COM1"_qs << QStringList{ftdi} << texts(u"4242 minicom dev/ttyUSB0|77 bash") << QString() << false
        << QString() << Language::Eng
        << QStringList{u"problem: @/dev/ttyUSB0 is open in another program, minicom (pid 4242)"_qs} << 1;
    QTest::newRow("open refused") << u"COM1"_qs << QStringList{ftdi} << none << QString() << false
                                  << u"in use by another program"_qs << Language::Eng
                                  << QStringList{u"problem: @/dev/ttyUSB0 does not open: in use by another program."_qs,
                                                 u"note: The radio was not checked: the port did not open."_qs}
                                  << 1;
    QTest::newRow("brltty, no adapter present")
        << u"COM1"_qs << none << QStringList{u"310 brltty"_qs} << QString() << false << QString() << Language::Eng
        << QStringList{u"problem: brltty (the Braille display service) is running and no USB serial adapter is "
                       u"present"_qs,
                       u"Remove the package (sudo apt remove brltty) or mask its udev rules "
                       u"(sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules)"_qs}
        << 2;
    QTest::newRow("brltty, named adapter missing")
        << u"COM2"_qs << QStringList{ftdi} << QStringList{u"310 brltty"_qs} << QString() << false << QString()
        << Language::Eng
        << QStringList{u"problem: brltty (the Braille display service) is running and "
                       u"@/dev/ttyUSB1 is missing"_qs,
                       u"note: 2 problems found."_qs}
        << 2;
    QTest::newRow("brltty beside a present adapter")
        << u"COM1"_qs << QStringList{ftdi} << QStringList{u"310 brltty"_qs} << QString() << false << QString()
        << Language::Eng << QStringList{u"ok: No service known to take serial adapters is in the way."_qs} << 0;
    QTest::newRow("ModemManager and a ttyACM")
        << u"@/dev/ttyACM0"_qs << QStringList{u"ttyACM0 cdc_acm 1a86:55d4 0 USB Single Serial"_qs}
        << QStringList{u"800 ModemManager"_qs} << QString() << false << QString() << Language::Eng
        << QStringList{u"ok: The port @/dev/ttyACM0 is opened as it stands."_qs,
                       u"problem: ModemManager is running and probes @/dev/ttyACM0 as a modem: add this line to "
                       u"/etc/udev/rules.d/99-kdw-cable.rules, then plug the cable in again: "
                       u"ATTRS{idVendor}==\"1a86\", "
                       u"ATTRS{idProduct}==\"55d4\", ENV{ID_MM_DEVICE_IGNORE}=\"1\""_qs}
        << 1;
    QTest::newRow("ModemManager leaves a ttyUSB alone")
        << u"COM1"_qs << QStringList{ftdi} << QStringList{u"800 ModemManager"_qs} << QString() << false << QString()
        << Language::Eng << QStringList{u"ok: No service"_qs} << 0;
    QTest::newRow("FTDI latency timer at 16 ms")
        << u"COM1"_qs << QStringList{u"ttyUSB0 ftdi_sio 0403:6001 16 FT232R USB UART"_qs} << none << QString() << false
        << QString() << Language::Eng
        << QStringList{u"note: The FTDI latency timer of @/dev/ttyUSB0 is 16 ms: each answer of the radio can wait "
                       u"that long, up to 10.2 s more for a read."_qs,
                       u"echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer"_qs}
        << 0;
    QTest::newRow("pseudo-terminal")
        << u"@/dev/pts/7"_qs << none << none << QString() << false << QString() << Language::Eng
        << QStringList{u"ok: @/dev/pts/7 is a pseudo-terminal (a simulated radio or another program), not a USB "
                       u"adapter."_qs}
        << 0;
    QTest::newRow("port through a link")
        << u"COM3"_qs << none << none << QString() << false << QString() << Language::Eng
        << QStringList{u"ok: COM3 is @/dev/pts/7, through the link @/program/ports/COM3."_qs} << 0;
    QTest::newRow("no port chosen") << QString() << QStringList{ftdi} << none << QString() << false << QString()
                                    << Language::Cht << QStringList{u"problem: 未選擇連接埠"_qs} << 1;
}

void TestCableDoctor::systemChecks()
{
    QFETCH(QString, port);
    QFETCH(QStringList, adapters);
    QFETCH(QStringList, processes);
    QFETCH(QString, groupFile);
    QFETCH(bool, asUser);
    QFETCH(QString, openRefused);
    QFETCH(Language, language);
    QFETCH(QStringList, says);
    QFETCH(int, problems);

    MadeUpSystem system;
    for (qsizetype i = 0; i < adapters.size(); ++i)
        QVERIFY(system.addAdapter(adapters.at(i), int(i)));
    for (const QString &process : processes)
        QVERIFY(system.addProcess(process));
    QVERIFY(system.addDevice(u"dev/pts/7"_qs, 0620));
    QVERIFY(QFile::link(system.path(u"dev/pts/7"_qs), system.path(u"program/ports/COM3"_qs)));
    QVERIFY(writeFile(system.path(u"etc/group"_qs), groupFile.toUtf8()));

    DoctorIdentity identity;
    identity.groupFile = system.path(u"etc/group"_qs);
    identity.ownPid = 1;
    if (asUser) {
        identity.uid = 1000;
        identity.primaryGroup = 1000;
        identity.processGroups = {1000};
        identity.userName = u"alice"_qs;
    }
    QStringList opened;
    CableDoctor doctor(system.roots(), identity, language, [&](const QString &device) -> DoctorPort {
        opened.append(device);
        if (!openRefused.isEmpty())
            return {nullptr, openRefused};
        return {std::make_unique<AnsweringPort>(), {}};
    });

    QStringList lines;
    const QString name = port.startsWith(u'@') ? system.path(port.mid(2)) : port;
    const int found = doctor.run(name, system.path(u"program/"_qs),
                                 [&](const DoctorLine &line) { lines.append(line.formatted()); });
    const QString all = lines.join(u'\n');
    for (QString part : says) {
        part.replace(u'@', system.path({}).chopped(1));
        QVERIFY2(all.contains(part), qPrintable(u"missing: "_qs + part + u"\nin:\n"_qs + all));
    }
    QCOMPARE(found, problems);
    QVERIFY(lines.last().startsWith(u"note: "_qs));
    for (const QString &line : lines)
        QVERIFY2(line.startsWith(u"ok: ") || line.startsWith(u"problem: ") || line.startsWith(u"note: "),
                 qPrintable(line));
    // The device is opened at most once, for the radio check, and only when it exists.
    QVERIFY(opened.size() <= 1);
    for (const QString &device : opened)
        QVERIFY2(QFileInfo::exists(device), qPrintable(device));
}

void TestCableDoctor::failedStartFinding_data()
{
    QTest::addColumn<QString>("line");      // FaultyLine's kind; empty: the port did not open
    QTest::addColumn<QString>("openError"); // the system's reason when it did not
    QTest::addColumn<QStringList>("processes");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("says"); // a part of the lines below the first; empty: the message as before

    const QStringList none;
    const QStringList holder{u"4242 minicom dev/ttyUSB0"_qs, u"1 kdw-cli dev/ttyUSB0"_qs}; // pid 1: this program
    const QString inUse = u"in use by another program"_qs;
    QTest::newRow("nothing came back") << u"silent"_qs << QString() << none << Language::Eng
                                       << u"No answer at all: the cable or port is not reaching the radio"_qs;
    QTest::newRow("our own bytes came back")
        << u"echo"_qs << QString() << none << Language::Chs << u"只收到我们自己发出的字节（41 41 41 41）"_qs;
    QTest::newRow("other bytes came back")
        << u"noise"_qs << QString() << none << Language::Cht << u"收到了其他位元組（8D 8D 8D 8D"_qs;
#ifndef Q_OS_WIN // who holds a port is read from /proc: Linux's
    QTest::newRow("held while it reads")
        << u"silent"_qs << QString() << holder << Language::Eng
        << u"/dev/ttyUSB0 is open in another program, minicom (pid 4242), which takes the radio's answers: "
           u"close that program."_qs;
    QTest::newRow("held, open refused") << QString() << inUse << holder << Language::Chs
                                        << u"/dev/ttyUSB0 已被另一程序 minicom（pid 4242）打开"_qs;
#endif
    QTest::newRow("open refused, holder unseen")
        << QString() << inUse << none << Language::Cht << u"另一程式已開啟它：請關閉該程式後重試。"_qs;
    QTest::newRow("missing device") << QString() << u"No such file or directory"_qs << none << Language::Eng
                                    << QString();
}

// A transfer that fails at its start says what the cable check would: who
// holds the port, or what came back; a port in use gets no advice about the cable.
void TestCableDoctor::failedStartFinding()
{
    QFETCH(QString, line);
    QFETCH(QString, openError);
    QFETCH(QStringList, processes);
    QFETCH(Language, language);
    QFETCH(QString, says);
    MadeUpSystem system;
    QVERIFY(system.addAdapter(u"ttyUSB0 ftdi_sio 0403:6001 1 FT232R"_qs, 0));
    for (const QString &process : processes)
        QVERIFY(system.addProcess(process));

    TransferOutcome outcome;
    FaultyLine port(line);
    AnswerWatch watch(port);
    if (line.isEmpty()) {
        outcome.status = TransferOutcome::Status::PortNotOpened;
        outcome.detail = openError;
    } else {
        MemoryImage image;
        outcome = readFromPort(watch, TransferDirection::Read, image, {});
    }
    outcome.device = u"/dev/ttyUSB0"_qs;
    outcome.finding = kdw::failedStartFinding(outcome, line.isEmpty() ? nullptr : &watch, language, system.roots(), 1);
    const QString below = failureExplanation(outcome, TransferDirection::Read, u"COM1"_qs, language);
    if (says.isEmpty()) {
        QVERIFY(outcome.finding.isEmpty());
        QVERIFY2(below.contains(u"Plug the cable in"_qs), qPrintable(below));
        return;
    }
    QVERIFY2(below.contains(says), qPrintable(below));
    // One finding, and no guess from the failed step beside it.
    QCOMPARE(below.count(u"pid"_qs), processes.isEmpty() ? 0 : 1);
    for (const QString &guess : {u"Plug the cable in"_qs, u"请插好数据线"_qs, u"請插好傳輸線"_qs, u"wrong answer"_qs,
                                 u"应答错误"_qs, u"應答錯誤"_qs, u"did not answer"_qs})
        QVERIFY2(!below.contains(guess), qPrintable(below));
}

// The Windows doctor: the port's presence from the system's list, the open
// and the radio, and none of Linux's checks.
void TestCableDoctor::windowsChecks_data()
{
    QTest::addColumn<bool>("listed");         // a port of the system's list, else one it lacks
    QTest::addColumn<QString>("openRefused"); // the opener's reason, empty: it opens
    QTest::addColumn<QStringList>("says");    // "@" stands for the port
    QTest::addColumn<int>("problems");
#ifndef Q_OS_WIN
    QSKIP("the system's serial port list is Windows'; systemChecks checks Linux's");
#endif
    QTest::newRow("listed, radio answers")
        << true << QString()
        << QStringList{u"ok: The port @ is opened as it stands."_qs, u"ok: @ is present"_qs,
                       u"ok: @ opens for reading and writing."_qs, u"ok: The radio answered"_qs,
                       u"note: No problems found."_qs}
        << 0;
    QTest::newRow("listed, held by another program")
        << true << u"in use by another program (Access denied.)"_qs
        << QStringList{u"problem: @ does not open: in use by another program (Access denied.)."_qs,
                       u"note: The radio was not checked"_qs}
        << 1;
    QTest::newRow("not listed") << false << QString()
                                << QStringList{u"problem: @ does not exist"_qs, u"note: The radio was not checked"_qs}
                                << 1;
}

void TestCableDoctor::windowsChecks()
{
#ifdef Q_OS_WIN
    QFETCH(bool, listed);
    QFETCH(QString, openRefused);
    QFETCH(QStringList, says);
    QFETCH(int, problems);
    const QList<SerialDevice> ports = systemSerialPorts();
    if (listed && ports.isEmpty())
        QSKIP("this system lists no serial port");
    QString port = u"COM250"_qs;
    if (listed)
        port = ports.first().name;
    else
        QVERIFY(!devicePresent(port));
    // Port names are Windows' device names: any case, with or without \\.\.
    if (listed)
        QVERIFY(devicePresent(port.toLower()) && devicePresent(u"\\\\.\\"_qs + port));

    QStringList opened;
    CableDoctor doctor(SystemRoots{}, DoctorIdentity::ofThisProcess(), Language::Eng,
                       [&](const QString &device) -> DoctorPort {
                           opened.append(device);
                           if (!openRefused.isEmpty())
                               return {nullptr, openRefused};
                           return {std::make_unique<AnsweringPort>(), {}};
                       });
    QStringList lines;
    QTemporaryDir dir;
    const int found
        = doctor.run(port, dir.path() + u'/', [&](const DoctorLine &line) { lines.append(line.formatted()); });
    const QString all = lines.join(u'\n');
    for (QString part : says) {
        part.replace(u'@', port);
        QVERIFY2(all.contains(part), qPrintable(u"missing: "_qs + part + u"\nin:\n"_qs + all));
    }
    QVERIFY2(!all.contains(u"service"_qs) && !all.contains(u"latency"_qs), qPrintable(all));
    QCOMPARE(found, problems);
    QCOMPARE(opened, listed ? QStringList{port} : QStringList{});
#endif
}

QTEST_GUILESS_MAIN(TestCableDoctor)
#include "tst_cabledoctor.moc"
