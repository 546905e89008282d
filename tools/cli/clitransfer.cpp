#include "tools/cli/clitransfer.h"

#include "core/image/identification.h"
#include "core/link/transfermessages.h"
#include "core/text/localisedtext.h"
#include "tools/cli/clicommon.h"

#include <QTextStream>

#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace kdw::cli {

namespace {

constexpr LocalisedText ExpectRefusedText{
    u"--expect takes the radio's identification, sixteen hex digits as kdw-cli read and write print it, not \"%1\"",
    u"--expect 需要对讲机的识别码，即 kdw-cli read 和 write 显示的十六个十六进制数字，而不是“%1”",
    u"--expect 需要對講機的識別碼，即 kdw-cli read 和 write 顯示的十六個十六進位數字，而不是「%1」"};
constexpr LocalisedText NotExpectedText{
    u"the radio answers %1, not %2 (--expect): nothing was read from it or written to it",
    u"对讲机的识别码为 %1，而不是 %2（--expect）：没有从它读取或向它写入任何内容",
    u"對講機的識別碼為 %1，而不是 %2（--expect）：沒有從它讀取或向它寫入任何內容"};

// Where to look next: the cable check knows the device, its adapter, its
// permissions and who else holds it.
QString doctorHint(const QString &portName)
{
    return QStringLiteral("hint: kdw-cli doctor --port %1 looks at the cable, the port and the radio")
        .arg(portName.isEmpty() ? QStringLiteral("NAME") : portName);
}

} // namespace

std::optional<QString> checkTransferArguments(const Invocation &invocation, const QString &usage)
{
    if (invocation.option(PortOption.name).isEmpty()
        || (invocation.flag(QStringLiteral("--backup")) && invocation.flag(QStringLiteral("--no-backup")))
        || invocation.arguments.first().startsWith(u"--"))
        return usage;
    if (const QString expect = invocation.option(ExpectOption.name); !expect.isEmpty() && !parseIdentification(expect))
        return ExpectRefusedText.text(invocation.language).arg(expect);
    return std::nullopt;
}

int maxResumes(const Invocation &invocation)
{
    return invocation.flag(NoResumeFlag) ? 0 : ProgrammingProtocol::MaxResumes;
}

void reportResumes(int resumes)
{
    if (resumes <= 0)
        return;
    err() << "resumed " << resumes << (resumes == 1 ? " time" : " times") << " after a fault on the line\n";
    err().flush();
}

CliLink::CliLink(const CliContext &context, QString portName)
    : m_context(context)
    , m_portName(std::move(portName))
{
}

void CliLink::expectRadio(const Invocation &invocation)
{
    m_expected = parseIdentification(invocation.option(ExpectOption.name)).value_or(QByteArray());
    m_language = invocation.language;
}

TransferOutcome CliLink::run(TransferDirection direction, MemoryImage &image, int maxResumes, WriteScope scope)
{
    if (!m_port.isOpen()) {
        const TransferOutcome opened = openPort(m_port, m_portName, m_context.programDirectory);
        m_device = opened.device;
        if (!opened) {
            TransferOutcome failed = opened;
            failed.finding = failedStartFinding(failed, nullptr, Language::Eng);
            return failed;
        }
    }
    const bool terminal = isatty(fileno(stderr));
    const int total = direction == TransferDirection::Read ? ReadBlockCount : int(scope.blocks.size());
    const QString verb = direction == TransferDirection::Write    ? QStringLiteral("writing")
                         : direction == TransferDirection::Verify ? QStringLiteral("verifying")
                                                                  : QStringLiteral("reading");
    int shown = -1;
    TransferObserver observer;
    observer.blockDone = [&](int done) {
        const int percent = done * 100 / total;
        // On a terminal the line is redrawn at every percent; elsewhere a
        // line every tenth keeps logs short.
        if (percent == shown || (!terminal && percent % 10 != 0))
            return;
        shown = percent;
        err() << (terminal ? "\r" : "") << verb << ' ' << percent << '%' << (terminal ? "" : "\n");
        err().flush();
    };
    observer.resuming = [&](int block, int blocks, int resume) {
        // On its own line, below the progress; the bar goes on from there.
        err() << (terminal && shown >= 0 ? "\n" : "") << resumingNotice(block, blocks, resume, Language::Eng) << '\n';
        err().flush();
        if (!terminal)
            shown = -1; // the percentage once more after the notice
    };
    observer.identified = [&](const QByteArray &identification) {
        if (identification != m_shown) {
            err() << (terminal && shown >= 0 ? "\n" : "") << "radio: " << identificationText(identification) << '\n';
            err().flush();
            m_shown = identification;
        }
        return true;
    };
    if (scope.radio.isEmpty())
        scope.radio = m_expected;
    m_watch.restart();
    TransferOutcome outcome = direction == TransferDirection::Write
                                  ? writeToPort(m_watch, image, observer, maxResumes, scope)
                                  : readFromPort(m_watch, direction, image, observer, maxResumes, scope);
    outcome.device = m_device;
    if (!outcome)
        outcome.finding = failedStartFinding(outcome, &m_watch, Language::Eng);
    if (terminal && shown >= 0)
        err() << '\n';
    return outcome;
}

TransferOutcome CliLink::transfer(TransferDirection direction, MemoryImage &image, int maxResumes,
                                  const WriteScope &scope)
{
    const QString &portName = m_portName;
    const TransferOutcome outcome = run(direction, image, maxResumes, scope);
    if (!m_expected.isEmpty() && outcome.protocol.step == ProtocolResult::Step::OtherRadio) {
        m_refused = true;
        err() << "kdw-cli: "
              << NotExpectedText.text(m_language)
                     .arg(identificationText(outcome.protocol.identification), hexText(m_expected))
              << '\n';
    } else if (direction == TransferDirection::Verify && !outcome) {
        // The write before it went through; only the check failed.
        err() << WriteUncheckedText.text(Language::Eng) << '\n';
        if (!outcome.detail.isEmpty())
            err() << outcome.detail << '\n';
    } else if (!outcome) {
        // The message and what to try, as the window says them; then, for
        // a line failure, what exactly went wrong.
        err() << failureMessage(outcome, direction, portName, Language::Eng) << '\n';
        if (outcome.status == TransferOutcome::Status::CommunicationError && !outcome.detail.isEmpty())
            err() << outcome.detail << '\n';
        if (suggestsCableCheck(outcome))
            err() << doctorHint(portName) << '\n';
    }
    err().flush();
    return outcome;
}

} // namespace kdw::cli
