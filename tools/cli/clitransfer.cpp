#include "tools/cli/clitransfer.h"

#include "core/link/transfermessages.h"
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

TransferOutcome CliLink::run(TransferDirection direction, MemoryImage &image, int maxResumes, const WriteScope &scope)
{
    if (!m_port.isOpen()) {
        const TransferOutcome opened = openPort(m_port, m_portName, m_context.programDirectory);
        m_device = opened.device;
        if (!opened)
            return opened;
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
    TransferOutcome outcome = direction == TransferDirection::Write
                                  ? writeToPort(m_port, image, observer, maxResumes, scope)
                                  : readFromPort(m_port, direction, image, observer, maxResumes, scope);
    outcome.device = m_device;
    if (terminal && shown >= 0)
        err() << '\n';
    return outcome;
}

TransferOutcome CliLink::transfer(TransferDirection direction, MemoryImage &image, int maxResumes,
                                  const WriteScope &scope)
{
    const QString &portName = m_portName;
    const TransferOutcome outcome = run(direction, image, maxResumes, scope);
    if (direction == TransferDirection::Verify && !outcome) {
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
