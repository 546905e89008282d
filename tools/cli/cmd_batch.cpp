#include "core/image/backups.h"
#include "core/link/batchrun.h"
#include "core/link/portnames.h"
#include "core/link/serialport.h"
#include "core/link/transfermessages.h"
#include "core/settings/unitvariations.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QDir>
#include <QTextStream>

#include <csignal>
#include <cstdio>

namespace kdw::cli {

namespace {

const ValueOption UnitsOption{QStringLiteral("--units"), QString()};
const ValueOption VaryOption{QStringLiteral("--vary"), QString()};
const ValueOption LogOption{QStringLiteral("--log"), QString()};

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl+C stops the run where it is, so the radio under way is still logged.
void stopOnInterrupt()
{
    struct sigaction action
    {
    };
    action.sa_handler = onInterrupt;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

std::optional<QString> checkBatchArguments(const Invocation &invocation, const QString &usage)
{
    if (auto refused = checkTransferArguments(invocation, usage))
        return refused;
    const QString units = invocation.option(UnitsOption.name);
    bool ok = true;
    if (!units.isEmpty() && (units.toInt(&ok) <= 0 || !ok))
        return QStringLiteral("--units takes a number of radios from 1, not \"%1\"").arg(units);
    return std::nullopt;
}

QString stepText(BatchStep step)
{
    switch (step) {
    case BatchStep::WaitingForRadio: return QStringLiteral("waiting for a radio to answer");
    case BatchStep::Identifying: return QStringLiteral("identifying");
    case BatchStep::BackingUp: return QStringLiteral("reading a backup");
    case BatchStep::Writing: return QStringLiteral("writing");
    case BatchStep::Verifying: return QStringLiteral("verifying");
    case BatchStep::WaitingForSwap: return QStringLiteral("waiting for the next radio (take this one away)");
    }
    return {};
}

// The line of a finished radio on standard output.
QString unitLine(const UnitRecord &record)
{
    QString line = QStringLiteral("unit %1: %2").arg(record.unit).arg(unitResultName(record.result));
    if (!record.reason.isEmpty())
        line += QStringLiteral(": ") + record.reason;
    if (!record.identification.isEmpty())
        line += QStringLiteral(" [identification %1]").arg(QString::fromLatin1(record.identification.toHex()));
    if (!record.changes.isEmpty())
        line += u' ' + record.changes.join(u';');
    return line;
}

QString summaryLine(const BatchSummary &summary, bool verify)
{
    QStringList parts;
    parts << (verify ? QStringLiteral("%1 verified").arg(summary.count(UnitResult::Verified))
                     : QStringLiteral("%1 written").arg(summary.count(UnitResult::Written)));
    parts << QStringLiteral("%1 failed").arg(summary.count(UnitResult::Failed))
          << QStringLiteral("%1 skipped").arg(summary.count(UnitResult::Skipped));
    return parts.join(QStringLiteral(", "));
}

// Without --auto: the prompt on standard error, the answer from standard
// input. The end of input stops the run, as "q" does.
bool askForRadio(int unit)
{
    err() << "Connect radio " << unit << ", switch it on and press Enter (q to stop)\n";
    err().flush();
    char buffer[256];
    if (g_interrupted || !std::fgets(buffer, sizeof buffer, stdin))
        return false;
    return QString::fromLocal8Bit(buffer).trimmed() != u"q";
}

} // namespace

// kdw-cli batch: the document written to one radio after another, each with
// its row of --vary, backed up, verified and logged. The variations file is
// checked whole before the port is opened.
int cmdBatch(const CliContext &context, const QStringList &args)
{
    auto run = prepare(context, args,
                       {.options = {PortOption, LanguageOption, UnitsOption, VaryOption, LogOption},
                        .flags = {QStringLiteral("--auto"), QStringLiteral("--no-verify"),
                                  QStringLiteral("--no-backup"), NoResumeFlag},
                        .minArguments = 1,
                        .maxArguments = 1,
                        .sinFiles = 1,
                        .check = [&context](const Invocation &i) { return checkBatchArguments(i, context.usage); }});
    if (!run)
        return run.exitCode();
    const quint8 language = run->language;
    const QString portName = run->option(PortOption.name);

    BatchPlan plan;
    plan.document = run->images.first();
    plan.units = run->option(UnitsOption.name).toInt();
    plan.verify = !run->flag(QStringLiteral("--no-verify"));
    plan.backup = !run->flag(QStringLiteral("--no-backup"));
    plan.autoSwap = run->flag(QStringLiteral("--auto"));
    plan.maxResumes = maxResumes(*run);
    plan.programDirectory = context.programDirectory;
    plan.backupDirectory = backupDirectory(context.programDirectory);
    if (const QString vary = run->option(VaryOption.name); !vary.isEmpty()) {
        VariationsRead variations = readVariationsFile(vary);
        if (!variations)
            return usageError(*variations.error);
        if (variations.units.isEmpty())
            return usageError(QStringLiteral("%1: no rows below the settings' line").arg(vary));
        plan.variations = variations.units;
    }

    SerialPort port;
    TransferOutcome opening;
    opening.device = devicePathFor(portName, context.programDirectory);
    if (const SerialPort::OpenResult opened = port.open(opening.device); !opened) {
        opening.status = TransferOutcome::Status::PortNotOpened;
        opening.detail = opened.why;
        err() << failureMessage(opening, TransferDirection::Write, portName, language) << '\n';
        err().flush();
        return Failed;
    }

    const QString logPath = run->option(LogOption.name).isEmpty()
                                ? plan.backupDirectory + batchStem(plan.started) + QStringLiteral(".csv")
                                : run->option(LogOption.name);
    QString logError;
    const auto log = BatchLog::create(logPath, &logError);
    if (!log)
        return usageError(logError);

    BatchObserver observer;
    observer.step = [](int unit, BatchStep step) {
        err() << "unit " << unit << ": " << stepText(step) << '\n';
        err().flush();
    };
    observer.resuming = [language](int block, int resume) {
        err() << resumingNotice(TransferDirection::Write, block, resume, language) << '\n';
        err().flush();
    };
    observer.unitDone = [](const UnitRecord &record) {
        out() << unitLine(record) << '\n';
        out().flush();
    };
    observer.stopRequested = [] { return g_interrupted != 0; };
    if (!plan.autoSwap)
        observer.nextConnected = askForRadio;

    stopOnInterrupt();
    const BatchSummary summary = BatchRun(port, plan, log.get(), observer).run();
    out() << summaryLine(summary, plan.verify) << '\n' << "log: " << QDir::toNativeSeparators(log->path()) << '\n';
    out().flush();
    if (!summary.logError.isEmpty())
        err() << "kdw-cli: " << summary.logError << '\n';
    if (summary.lineLost)
        err() << "kdw-cli: the port went away; the run ends here\n";
    err().flush();
    return summary.allGood() ? Ok : Failed;
}

} // namespace kdw::cli
