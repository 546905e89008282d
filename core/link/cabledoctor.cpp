#include "core/link/cabledoctor.h"

#include "core/image/identification.h"
#include "core/image/transferranges.h"
#include "core/link/portnames.h"
#include "core/link/protocol.h"
#include "core/link/serialport.h"
#include "core/text/localisedtext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

namespace kdw {

namespace {

constexpr LocalisedText NoPortText{u"No port is chosen: choose one in the Port menu.",
                                   u"未选择串口：请在“端口”菜单中选择。", u"未選擇連接埠：請在「連接埠」選單中選擇。"};
constexpr LocalisedText RuleText{
    u"%1 is %2 (COM1 to COM8 are /dev/ttyUSB0 to /dev/ttyUSB7 unless ports/COMn is a link).",
    u"%1 即 %2（COM1 至 COM8 即 /dev/ttyUSB0 至 /dev/ttyUSB7，除非 ports/COMn 是链接）。",
    u"%1 即 %2（COM1 至 COM8 即 /dev/ttyUSB0 至 /dev/ttyUSB7，除非 ports/COMn 是連結）。"};
constexpr LocalisedText LinkText{u"%1 is %2, through the link %3.", u"%1 即 %2，经由链接 %3。",
                                 u"%1 即 %2，經由連結 %3。"};
constexpr LocalisedText AsGivenText{u"The port %1 is opened as it stands.", u"串口 %1 按原名打开。",
                                    u"連接埠 %1 按原名開啟。"};
constexpr LocalisedText MissingText{
    u"%1 does not exist: plug the cable in, or choose the port of its adapter (Port > Choose Device...).",
    u"%1 不存在：请插好数据线，或选择其转换器所在的串口（端口 > 选择设备...）。",
    u"%1 不存在：請插好傳輸線，或選擇其轉換器所在的連接埠（連接埠 > 選擇裝置...）。"};
constexpr LocalisedText AdaptersPresentText{u"USB serial adapters present: %1.", u"现有的 USB 串口转换器：%1。",
                                            u"現有的 USB 連接埠轉換器：%1。"};
constexpr LocalisedText NoAdapterText{u"No USB serial adapter is present.", u"没有 USB 串口转换器。",
                                      u"沒有 USB 連接埠轉換器。"};
#ifdef Q_OS_WIN
// Windows lists every serial port, USB or not.
constexpr LocalisedText PortsPresentText{u"Serial ports present: %1.", u"现有的串口：%1。", u"現有的連接埠：%1。"};
constexpr LocalisedText NoPortsText{u"No serial port is present.", u"没有串口。", u"沒有連接埠。"};
#endif
constexpr LocalisedText AdapterText{u"%1 is present: %2.", u"%1 存在：%2。", u"%1 存在：%2。"};
constexpr LocalisedText ByIdText{u"Its stable name is %1.", u"其固定名称为 %1。", u"其固定名稱為 %1。"};
constexpr LocalisedText PresentText{u"%1 is present.", u"%1 存在。", u"%1 存在。"};
constexpr LocalisedText PseudoTerminalText{
    u"%1 is a pseudo-terminal (a simulated radio or another program), not a USB adapter.",
    u"%1 是伪终端（模拟对讲机或其他程序），不是 USB 转换器。",
    u"%1 是虛擬終端（模擬對講機或其他程式），不是 USB 轉換器。"};
constexpr LocalisedText NotInGroupText{
    u"%1 belongs to %2:%3 with mode %4, and you are not in the group %3: add yourself "
    u"(sudo usermod -aG %3 $USER), then log out and in again.",
    u"%1 属于 %2:%3，权限 %4，而您不在 %3 组中：请将自己加入该组（sudo usermod -aG %3 $USER），然后注销并重新登录。",
    u"%1 屬於 %2:%3，權限 %4，而您不在 %3 群組中：請將自己加入該群組（sudo usermod -aG %3 "
    u"$USER），然後登出並重新登入。"};
constexpr LocalisedText LogInAgainText{
    u"%1 belongs to %2:%3 with mode %4; you were added to the group %3 but this session started before: "
    u"log out and in again.",
    u"%1 属于 %2:%3，权限 %4；您已被加入 %3 组，但本次登录早于此：请注销并重新登录。",
    u"%1 屬於 %2:%3，權限 %4；您已被加入 %3 群組，但本次登入早於此：請登出並重新登入。"};
constexpr LocalisedText NoAccessText{u"%1 belongs to %2:%3 with mode %4, which does not let you read and write it: "
                                     u"ask the administrator to give the group %3 access.",
                                     u"%1 属于 %2:%3，权限 %4，您不能读写它：请管理员给 %3 组读写权限。",
                                     u"%1 屬於 %2:%3，權限 %4，您不能讀寫它：請管理員給 %3 群組讀寫權限。"};
constexpr LocalisedText OpensText{u"%1 opens for reading and writing.", u"%1 可以读写打开。", u"%1 可以讀寫開啟。"};
constexpr LocalisedText OpenFailedText{u"%1 does not open: %2.", u"%1 无法打开：%2。", u"%1 無法開啟：%2。"};
constexpr LocalisedText HolderText{u"%1 is open in another program, %2 (pid %3), which takes the radio's answers: "
                                   u"close that program.",
                                   u"%1 已被另一程序 %2（pid %3）打开，它会取走对讲机的应答：请关闭该程序。",
                                   u"%1 已被另一程式 %2（pid %3）開啟，它會取走對講機的應答：請關閉該程式。"};
constexpr LocalisedText BrlttyText{
    u"brltty (the Braille display service) is running and %1: it takes USB serial adapters as they are plugged in. "
    u"Remove the package (sudo apt remove brltty) or mask its udev rules "
    u"(sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules), then plug the adapter in again.",
    u"brltty（盲文显示服务）正在运行且%1：它会在 USB 串口转换器插入时占用它。请卸载该软件包（sudo apt remove brltty）"
    u"或屏蔽其 udev 规则（sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules），然后重新插入转换器。",
    u"brltty（點字顯示服務）正在執行且%1：它會在 USB 連接埠轉換器插入時佔用它。請移除該套件（sudo apt remove brltty）"
    u"或遮蔽其 udev 規則（sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules），然後重新插入轉換器。"};
constexpr LocalisedText BrlttyNoAdapterText{u"no USB serial adapter is present", u"没有 USB 串口转换器",
                                            u"沒有 USB 連接埠轉換器"};
constexpr LocalisedText BrlttyMissingText{u"%1 is missing", u"%1 不存在", u"%1 不存在"};
constexpr LocalisedText ModemManagerText{
    u"ModemManager is running and probes %1 as a modem: add this line to "
    u"/etc/udev/rules.d/99-kdw-cable.rules, then plug the cable in again: %2",
    u"ModemManager 正在运行，会把 %1 当作调制解调器探测：请将下面这行加入 /etc/udev/rules.d/99-kdw-cable.rules，"
    u"然后重新插入数据线：%2",
    u"ModemManager 正在執行，會把 %1 當作數據機探測：請將下面這行加入 /etc/udev/rules.d/99-kdw-cable.rules，"
    u"然後重新插入傳輸線：%2"};
constexpr LocalisedText NoServiceText{u"No service known to take serial adapters is in the way.",
                                      u"没有已知会占用串口转换器的服务在妨碍。",
                                      u"沒有已知會佔用連接埠轉換器的服務在妨礙。"};
constexpr LocalisedText LatencyHighText{
    u"The FTDI latency timer of %1 is %2 ms: each answer of the radio can wait that long, up to %3 s more for a read. "
    u"The program asks the driver for low latency when it opens the port; to set 1 ms for good: echo 1 | sudo tee %4",
    u"%1 的 FTDI 延迟计时器为 %2 毫秒：对讲机的每个应答都可能等这么久，一次读取最多多花 %3 秒。"
    u"程序打开串口时会要求驱动使用低延迟；要长期设为 1 毫秒：echo 1 | sudo tee %4",
    u"%1 的 FTDI 延遲計時器為 %2 毫秒：對講機的每個應答都可能等這麼久，一次讀取最多多花 %3 秒。"
    u"程式開啟連接埠時會要求驅動使用低延遲；要長期設為 1 毫秒：echo 1 | sudo tee %4"};
constexpr LocalisedText LatencyLowText{u"The FTDI latency timer of %1 is %2 ms.", u"%1 的 FTDI 延迟计时器为 %2 毫秒。",
                                       u"%1 的 FTDI 延遲計時器為 %2 毫秒。"};
constexpr LocalisedText AnsweredText{u"The radio answered: identification %1 (\"%2\"), wake-up round trip %3 ms.",
                                     u"对讲机已应答：识别码 %1（“%2”），唤醒往返 %3 毫秒。",
                                     u"對講機已應答：識別碼 %1（「%2」），喚醒往返 %3 毫秒。"};
constexpr LocalisedText NoAnswerText{
    u"No answer at all: the cable or port is not reaching the radio: is the radio on, the plug fully in?",
    u"完全没有应答：数据线或串口没有连到对讲机：对讲机是否已开机？插头是否已插到底？",
    u"完全沒有應答：傳輸線或連接埠沒有連到對講機：對講機是否已開機？插頭是否已插到底？"};
constexpr LocalisedText EchoText{
    u"Only our own bytes came back (%1): the cable is connected to the computer, the radio is not answering: "
    u"seat the plug fully in the radio and switch the radio on.",
    u"只收到我们自己发出的字节（%1）：数据线已连到电脑，但对讲机没有应答：请把插头插到底并打开对讲机。",
    u"只收到我們自己發出的位元組（%1）：傳輸線已連到電腦，但對講機沒有應答：請把插頭插到底並打開對講機。"};
constexpr LocalisedText OtherBytesText{
    u"Other bytes came back (%1): a different radio, a wrong cable or noise: check that this is a KDW417 "
    u"and its programming cable.",
    u"收到了其他字节（%1）：可能是别的对讲机、不对的数据线或干扰：请确认这是 KDW417 及其写频线。",
    u"收到了其他位元組（%1）：可能是別的對講機、不對的傳輸線或干擾：請確認這是 KDW417 及其寫頻線。"};
constexpr LocalisedText NoIdentifyAckText{
    u"The radio answered the wake-up but not after its identification (%1): switch the radio off and on, then try "
    u"again.",
    u"对讲机应答了唤醒，但识别之后没有应答（%1）：请关闭再打开对讲机后重试。",
    u"對講機應答了喚醒，但識別之後沒有應答（%1）：請關閉再打開對講機後重試。"};
constexpr LocalisedText NotCheckedText{u"The radio was not checked: the port did not open.",
                                       u"未检查对讲机：串口未能打开。", u"未檢查對講機：連接埠未能開啟。"};
constexpr LocalisedText NoProblemsText{u"No problems found.", u"未发现问题。", u"未發現問題。"};
constexpr LocalisedText ProblemText{u"1 problem found.", u"发现 1 个问题。", u"發現 1 個問題。"};
constexpr LocalisedText ProblemsText{u"%1 problems found.", u"发现 %1 个问题。", u"發現 %1 個問題。"};

#ifndef Q_OS_WIN
// The permissions of a device node; Windows has none of these.

// "crw-rw----" from a stat mode.
QString modeText(uint mode)
{
    QString text = S_ISCHR(mode) ? QStringLiteral("c") : S_ISDIR(mode) ? QStringLiteral("d") : QStringLiteral("-");
    const char *letters = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit)
        text += mode & (0400u >> bit) ? QChar::fromLatin1(letters[bit]) : u'-';
    return text;
}

struct GroupEntry
{
    QString name;
    bool lists = false; // the user is a member by the group file
};

// The group `gid` in the group file: its name and whether it lists `user`.
GroupEntry groupEntry(const QString &groupFile, uint gid, const QString &user)
{
    QFile file(groupFile);
    if (file.open(QIODevice::ReadOnly)) {
        while (!file.atEnd()) {
            const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(u':');
            if (fields.size() < 4 || fields.at(2).toUInt() != gid || fields.at(2).isEmpty())
                continue;
            return {fields.at(0), fields.at(3).split(u',').contains(user)};
        }
    }
    return {QString::number(gid), false};
}

QString ownerName(uint uid)
{
    if (const passwd *entry = getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(uid);
}
#endif

#ifndef Q_OS_WIN
// The programs running, by pid and name.
QList<std::pair<qint64, QString>> processes(const QString &procRoot)
{
    QList<std::pair<qint64, QString>> found;
    const QDir proc(procRoot);
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (numeric)
            found.append({pid, readAttribute(proc.filePath(entry) + QStringLiteral("/comm"))});
    }
    return found;
}
#endif

// What the radio check shows of the bytes that came back.
constexpr int ShownBytes = 24;
// What AnswerWatch keeps of each direction.
constexpr qsizetype WatchedBytes = 1024;
// SerialPort's reason for an open refused because another program has the device.
constexpr QLatin1StringView InUseReason("in use by another program");

constexpr LocalisedText InUseText{u"Another program has it open: close that program, then try again.",
                                  u"另一程序已打开它：请关闭该程序后重试。", u"另一程式已開啟它：請關閉該程式後重試。"};

// The verdict on a radio that did not acknowledge the wake-up: what else is
// on its way is read first, to show what answers instead of the radio.
DoctorLine silenceVerdict(AnswerWatch &watched, const ProtocolResult &woken, Language language)
{
    if (!woken.lineLost)
        (void)watched.read(1);
    if (!watched.lastRead().isEmpty())
        (void)watched.read(ShownBytes);
    const QByteArray received = watched.received().left(ShownBytes);
    if (received.isEmpty())
        return {DoctorLine::Kind::Problem, NoAnswerText.text(language)};
    if (watched.onlyEcho())
        return {DoctorLine::Kind::Problem, EchoText.text(language).arg(hexText(received))};
    return {DoctorLine::Kind::Problem, OtherBytesText.text(language).arg(hexText(received))};
}

// The bytes of an answer as the findings show them; a dash for none.
QString answerText(const QByteArray &answer)
{
    return answer.isEmpty() ? QStringLiteral("\u2014") : hexText(answer);
}

QString holderFinding(const QList<PortHolder> &holders, const QString &device, Language language)
{
    QStringList lines;
    for (const PortHolder &holder : holders)
        lines.append(HolderText.text(language).arg(device, holder.name).arg(holder.pid));
    return lines.join(u'\n');
}

} // namespace

struct CableDoctor::Device
{
    QString path; // inside the roots
    bool exists = false;
    SerialDevice facts;
};

DoctorIdentity DoctorIdentity::ofThisProcess()
{
    DoctorIdentity identity;
#ifndef Q_OS_WIN
    identity.uid = ::geteuid();
    identity.primaryGroup = ::getegid();
    identity.processGroups.append(identity.primaryGroup);
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(std::size_t(count), 0);
        const int got = ::getgroups(count, groups.data());
        for (int i = 0; i < got; ++i)
            identity.processGroups.append(groups[std::size_t(i)]);
    }
    if (const passwd *entry = getpwuid(identity.uid)) {
        identity.userName = QString::fromLocal8Bit(entry->pw_name);
        identity.primaryGroup = entry->pw_gid;
    }
#endif
    identity.ownPid = QCoreApplication::applicationPid();
    return identity;
}

QString DoctorLine::formatted() const
{
    switch (kind) {
    case Kind::Ok: return QStringLiteral("ok: ") + text;
    case Kind::Problem: return QStringLiteral("problem: ") + text;
    case Kind::Note: return QStringLiteral("note: ") + text;
    }
    return text;
}

DoctorPort openSerialPort(const QString &devicePath)
{
    auto port = std::make_unique<SerialPort>();
    const SerialPort::OpenResult opened = port->open(devicePath);
    if (!opened)
        return {nullptr, opened.why};
    return {std::move(port), {}};
}

CableDoctor::CableDoctor(SystemRoots roots, DoctorIdentity identity, Language language, DoctorOpener opener)
    : m_roots(std::move(roots))
    , m_identity(std::move(identity))
    , m_language(language)
    , m_opener(std::move(opener))
{
}

QString CableDoctor::text(const LocalisedText &localised) const
{
    return localised.text(m_language);
}

void CableDoctor::report(DoctorLine::Kind kind, const QString &text)
{
    if (kind == DoctorLine::Kind::Problem)
        ++m_problems;
    if (m_sink && *m_sink)
        (*m_sink)({kind, text});
}

int CableDoctor::run(const QString &portName, const QString &programDirectory, const Sink &sink)
{
    m_sink = &sink;
    m_problems = 0;
    Device device;
    checkDevice(portName, programDirectory, device);
    std::unique_ptr<BytePort> port;
    if (device.exists) {
        // A device the permissions keep closed is not tried: its refusal
        // would only say the same again.
        if (checkAccess(device)) {
            DoctorPort opened = m_opener(device.path);
            port = std::move(opened.port);
            if (port)
                report(DoctorLine::Kind::Ok, text(OpensText).arg(device.path));
            else
                report(DoctorLine::Kind::Problem, text(OpenFailedText).arg(device.path, opened.reason));
        }
#ifndef Q_OS_WIN
        checkHolders(device);
#endif
    }
#ifndef Q_OS_WIN
    // Processes holding the device, services claiming adapters and driver
    // timers are Linux's; on Windows a held port shows in the open's reason.
    checkServices(device);
    checkLatency(device);
#endif
    if (port) {
        const DoctorLine radio = checkRadio(*port);
        port.reset(); // closed before the verdict is shown
        report(radio.kind, radio.text);
    } else if (!portName.isEmpty()) {
        report(DoctorLine::Kind::Note, text(NotCheckedText));
    }
    const int problems = m_problems;
    if (sink)
        sink({DoctorLine::Kind::Note, problems == 0   ? text(NoProblemsText)
                                      : problems == 1 ? text(ProblemText)
                                                      : text(ProblemsText).arg(problems)});
    m_sink = nullptr;
    return problems;
}

void CableDoctor::checkDevice(const QString &portName, const QString &programDirectory, Device &device)
{
    if (portName.isEmpty()) {
        report(DoctorLine::Kind::Problem, text(NoPortText));
        return;
    }
    const PortMapping mapping = mapPort(portName, programDirectory);
    device.path = devicePathIn(m_roots, portName, programDirectory);
    switch (mapping.via) {
    case PortMapping::Via::Rule: report(DoctorLine::Kind::Ok, text(RuleText).arg(portName, device.path)); break;
    case PortMapping::Via::Link:
        report(DoctorLine::Kind::Ok, text(LinkText).arg(portName, device.path, QDir::toNativeSeparators(mapping.link)));
        break;
    case PortMapping::Via::AsGiven: report(DoctorLine::Kind::Ok, text(AsGivenText).arg(portName)); break;
    }

    device.exists = devicePresent(device.path);
    device.facts = describeSerialDevice(m_roots, device.path);
    if (!device.exists) {
        report(DoctorLine::Kind::Problem, text(MissingText).arg(device.path));
        QStringList present;
        for (const SerialDevice &adapter : usbSerialDevices(m_roots))
            present.append(
                QStringLiteral("%1 %2").arg(adapter.byId.isEmpty() ? adapter.path : adapter.byId, adapter.adapter()));
#ifdef Q_OS_WIN
        report(DoctorLine::Kind::Note,
               present.isEmpty() ? text(NoPortsText) : text(PortsPresentText).arg(present.join(u"; ")));
#else
        report(DoctorLine::Kind::Note,
               present.isEmpty() ? text(NoAdapterText) : text(AdaptersPresentText).arg(present.join(u"; ")));
#endif
        return;
    }
    if (device.facts.pseudoTerminal) {
        report(DoctorLine::Kind::Ok, text(PseudoTerminalText).arg(device.path));
        return;
    }
    const QString adapter = device.facts.adapter();
    QString line = adapter.isEmpty() ? text(PresentText).arg(device.path) : text(AdapterText).arg(device.path, adapter);
    if (!device.facts.byId.isEmpty())
        line += u' ' + text(ByIdText).arg(device.facts.byId);
    report(DoctorLine::Kind::Ok, line);
}

bool CableDoctor::checkAccess(const Device &device)
{
#ifndef Q_OS_WIN
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(device.path).constData(), &info) != 0 || m_identity.uid == 0)
        return true;
    const bool owner = info.st_uid == m_identity.uid;
    const bool inGroup = m_identity.processGroups.contains(uint(info.st_gid));
    const uint rw = owner ? (info.st_mode >> 6) & 6u : inGroup ? (info.st_mode >> 3) & 6u : info.st_mode & 6u;
    if (rw == 6u)
        return true;
    const GroupEntry group = groupEntry(m_identity.groupFile, uint(info.st_gid), m_identity.userName);
    const QString facts[] = {device.path, ownerName(uint(info.st_uid)), group.name, modeText(uint(info.st_mode))};
    const LocalisedText *why = &NoAccessText;
    if (!owner && !inGroup && (info.st_mode & 060) == 060)
        why = group.lists || info.st_gid == m_identity.primaryGroup ? &LogInAgainText : &NotInGroupText;
    report(DoctorLine::Kind::Problem, text(*why).arg(facts[0], facts[1], facts[2], facts[3]));
    return false;
#else
    Q_UNUSED(device);
    return true;
#endif
}

#ifndef Q_OS_WIN
void CableDoctor::checkHolders(const Device &device)
{
    for (const PortHolder &holder : portHolders(m_roots, device.path, m_identity.ownPid))
        report(DoctorLine::Kind::Problem, text(HolderText).arg(device.path, holder.name).arg(holder.pid));
}

void CableDoctor::checkServices(const Device &device)
{
    bool brltty = false;
    bool modemManager = false;
    for (const auto &[pid, name] : processes(m_roots.proc)) {
        brltty = brltty || name == u"brltty";
        modemManager = modemManager || name == u"ModemManager";
    }
    bool inTheWay = false;
    if (brltty) {
        // brltty claims an adapter as it appears, which then vanishes again.
        const bool noAdapter = usbSerialDevices(m_roots).isEmpty();
        const bool named = !device.path.isEmpty() && !device.exists && device.path.contains(u"/ttyUSB");
        if (noAdapter || named) {
            report(
                DoctorLine::Kind::Problem,
                text(BrlttyText).arg(noAdapter ? text(BrlttyNoAdapterText) : text(BrlttyMissingText).arg(device.path)));
            inTheWay = true;
        }
    }
    if (modemManager && device.exists && device.facts.name.startsWith(u"ttyACM")) {
        const QStringList ids = device.facts.vendorProduct.split(u':');
        const QString rule
            = ids.size() == 2 ? QStringLiteral("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                                               "ENV{ID_MM_DEVICE_IGNORE}=\"1\"")
                                    .arg(ids.at(0), ids.at(1))
                              : QStringLiteral("KERNEL==\"%1\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"").arg(device.facts.name);
        report(DoctorLine::Kind::Problem, text(ModemManagerText).arg(device.path, rule));
        inTheWay = true;
    }
    if (!inTheWay)
        report(DoctorLine::Kind::Ok, text(NoServiceText));
}

void CableDoctor::checkLatency(const Device &device)
{
    if (device.facts.driver != u"ftdi_sio")
        return;
    const QString attribute = device.facts.sysDevice + QStringLiteral("/latency_timer");
    bool ok = false;
    const int latency = readAttribute(attribute).toInt(&ok);
    if (!ok)
        return;
    if (latency <= 1) {
        report(DoctorLine::Kind::Ok, text(LatencyLowText).arg(device.path).arg(latency));
        return;
    }
    // Each block of a read waits for two answers: the data and the acknowledge.
    const double cost = double(2 * ReadBlockCount + 2) * latency / 1000.0;
    // The driver's own path, for the command to copy.
    const QString live = QStringLiteral("/sys/bus/usb-serial/devices/%1/latency_timer").arg(device.facts.name);
    report(DoctorLine::Kind::Note, text(LatencyHighText).arg(device.path).arg(latency).arg(cost, 0, 'f', 1).arg(live));
}
#endif

DoctorLine CableDoctor::checkRadio(BytePort &port) const
{
    AnswerWatch watched(port);
    ProgrammingProtocol protocol(watched);
    const ProtocolResult woken = protocol.wakeUp();
    if (!woken)
        return silenceVerdict(watched, woken, m_language);
    const qint64 roundTripNs = watched.roundTripNs();
    const qsizetype before = watched.received().size();
    const ProtocolResult identified = protocol.identify();
    // The identification is what arrived between the wake-up's
    // acknowledge and the one after it.
    if (!identified)
        return {DoctorLine::Kind::Problem, text(NoIdentifyAckText).arg(answerText(watched.lastRead()))};
    QByteArray identification = watched.received().mid(before);
    identification.chop(watched.lastRead().size());
    return {DoctorLine::Kind::Ok, text(AnsweredText)
                                      .arg(hexText(identification), printableText(identification))
                                      .arg(double(roundTripNs) / 1e6, 0, 'f', 1)};
}

AnswerWatch::AnswerWatch(BytePort &port)
    : m_port(port)
{
    m_clock.start();
}

void AnswerWatch::restart()
{
    m_sent.clear();
    m_received.clear();
    m_lastRead.clear();
    m_onlyEcho = true;
}

void AnswerWatch::write(QByteArrayView bytes)
{
    m_port.write(bytes);
    if (m_sent.size() < WatchedBytes)
        m_sent += bytes.toByteArray();
    m_lastWriteNs = m_clock.nsecsElapsed();
}

QByteArray AnswerWatch::read(int count)
{
    const QByteArray answer = m_port.read(count);
    m_roundTripNs = m_clock.nsecsElapsed() - m_lastWriteNs;
    if (!answer.isEmpty() && m_received.size() < WatchedBytes) {
        m_received += answer;
        // An echo is a piece of what the host has sent; a late one can
        // come after the next frame has gone out.
        m_onlyEcho = m_onlyEcho && m_sent.contains(answer);
    }
    m_lastRead = answer;
    return answer;
}

QList<PortHolder> portHolders(const SystemRoots &roots, const QString &devicePath, qint64 ownPid)
{
    QList<PortHolder> holders;
#ifdef Q_OS_WIN
    // Windows names no holder of a port; its open refusal says it is in use.
    Q_UNUSED(roots);
    Q_UNUSED(devicePath);
    Q_UNUSED(ownPid);
#else
    const QString canonical = QFileInfo(devicePath).canonicalFilePath();
    const QDir proc(roots.proc);
    for (const auto &[pid, name] : processes(roots.proc)) {
        if (pid == ownPid)
            continue;
        const QDir fds(proc.filePath(QString::number(pid)) + QStringLiteral("/fd"));
        // Other users' descriptors cannot be listed; those are left out.
        for (const QFileInfo &fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const QString target = fd.symLinkTarget();
            if (!target.isEmpty() && (target == canonical || target == devicePath)) {
                holders.append({pid, name});
                break;
            }
        }
    }
#endif
    return holders;
}

QString failedStartFinding(const TransferOutcome &outcome, AnswerWatch *watched, Language language,
                           const SystemRoots &roots, qint64 ownPid)
{
    using Step = ProtocolResult::Step;
    const ProtocolResult &p = outcome.protocol;
    const bool notOpened = outcome.status == TransferOutcome::Status::PortNotOpened;
    const bool atStart = outcome.status == TransferOutcome::Status::CommunicationError && p.resumes == 0
                         && p.blocks == 0 && (p.step == Step::WakeUp || p.step == Step::IdentifyAck);
    if ((!notOpened && !atStart) || outcome.device.isEmpty())
        return {};
    // Another program that reads the device takes the radio's answers, and
    // the line can look lost when it does: it is named first.
    const QString device = roots.inDev(outcome.device);
    if (const QList<PortHolder> holders
        = portHolders(roots, device, ownPid ? ownPid : QCoreApplication::applicationPid());
        !holders.isEmpty())
        return holderFinding(holders, outcome.device, language);
    if (notOpened)
        return outcome.detail == InUseReason ? InUseText.text(language) : QString();
    if (p.lineLost || !watched)
        return {};
    if (p.step == Step::IdentifyAck)
        return NoIdentifyAckText.text(language).arg(answerText(p.received));
    return silenceVerdict(*watched, p, language).text;
}

TransferOutcome refusedWhenHeld(TransferOutcome opened, Language language, const SystemRoots &roots, qint64 ownPid)
{
    if (!opened || opened.device.isEmpty())
        return opened;
    const QList<PortHolder> holders
        = portHolders(roots, roots.inDev(opened.device), ownPid ? ownPid : QCoreApplication::applicationPid());
    if (holders.isEmpty())
        return opened;
    opened.status = TransferOutcome::Status::PortNotOpened;
    opened.detail = InUseReason;
    opened.finding = holderFinding(holders, opened.device, language);
    return opened;
}

} // namespace kdw
