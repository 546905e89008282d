#include "core/image/backups.h"
#include "core/link/batchlanes.h"
#include "core/link/batchrun.h"
#include "core/link/portnames.h"
#include "core/link/transfermessages.h"
#include "core/settings/unitvariations.h"
#include "core/text/localisedtext.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QDir>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>

namespace kdw::cli {

namespace {

const ValueOption UnitsOption{QStringLiteral("--units"), QString()};
const ValueOption VaryOption{QStringLiteral("--vary"), QString()};
const ValueOption LogOption{QStringLiteral("--log"), QString()};

constexpr LocalisedText ConnectRadioText{u"Connect radio %1, switch it on and press Enter (q to stop)",
                                         u"请连接第 %1 台对讲机，开机后按 Enter（输入 q 停止）",
                                         u"請連接第 %1 台對講機，開機後按 Enter（輸入 q 停止）"};
constexpr LocalisedText UnitText{u"unit %1: %2", u"第 %1 台：%2", u"第 %1 台：%2"};
constexpr LocalisedText ReasonText{u"%1: %2", u"%1：%2", u"%1：%2"};
constexpr LocalisedText IdentificationText{u" [identification %1]", u"（识别码 %1）", u"（識別碼 %1）"};
constexpr LocalisedText BlocksText{u" (%1 blocks written)", u"（写入 %1 块）", u"（寫入 %1 塊）"};
constexpr LocalisedText LogPathText{u"log: %1", u"日志：%1", u"記錄：%1"};
constexpr LocalisedText PortTwiceText{u"--port %1 is given twice: each port is a lane of its own",
                                      u"--port %1 重复：每个串口各自为一路", u"--port %1 重複：每個連接埠各自為一路"};
constexpr LocalisedText UnitsRefusedText{u"--units takes a number of radios from 1, not \"%1\"",
                                         u"--units 需要从 1 起的对讲机台数，而不是“%1”",
                                         u"--units 需要從 1 起的對講機台數，而不是「%1」"};

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl+C stops the run where it is, so the radio under way is still logged.
void stopOnInterrupt()
{
#ifdef Q_OS_WIN
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#else
    // Without SA_RESTART: the wait for Enter returns at once.
    struct sigaction action
    {
    };
    action.sa_handler = onInterrupt;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

std::optional<QString> checkBatchArguments(const Invocation &invocation, const QString &usage)
{
    if (auto refused = checkTransferArguments(invocation, usage))
        return refused;
    const QString units = invocation.option(UnitsOption.name);
    bool ok = true;
    if (!units.isEmpty() && (units.toInt(&ok) <= 0 || !ok))
        return UnitsRefusedText.text(invocation.language).arg(units);
    const QStringList ports = invocation.values(PortOption.name);
    for (qsizetype i = 1; i < ports.size(); ++i) {
        if (ports.indexOf(ports.at(i)) < i)
            return PortTwiceText.text(invocation.language).arg(ports.at(i));
    }
    return std::nullopt;
}

// The line of a finished radio on standard output.
QString unitLine(const UnitRecord &record, Language language)
{
    QString said = unitResultText(record.result, language);
    if (!record.reason.isEmpty())
        said = ReasonText.text(language).arg(said, record.reason.in(language));
    if (!record.identification.isEmpty())
        said += IdentificationText.text(language).arg(QString::fromLatin1(record.identification.toHex()));
    if (!record.changes.isEmpty())
        said += u' ' + record.changes.join(u';');
    if (record.result == UnitResult::Verified || record.result == UnitResult::Written)
        said += BlocksText.text(language).arg(record.blocks);
    return UnitText.text(language).arg(record.unit).arg(said);
}

// Without --auto: the prompt on standard error, the answer from standard
// input. The end of input stops the run, as "q" does.
bool askForRadio(int unit, Language language)
{
    err() << ConnectRadioText.text(language).arg(unit) << '\n';
    err().flush();
    char buffer[256];
    if (g_interrupted || !std::fgets(buffer, sizeof buffer, stdin))
        return false;
    return QString::fromLocal8Bit(buffer).trimmed() != u"q";
}

// The run the command line asks for, without the variations file.
BatchPlan planOf(const CliContext &context, Invocation &run)
{
    BatchPlan plan;
    plan.document = run.images.first();
    plan.units = run.option(UnitsOption.name).toInt();
    plan.verify = !run.flag(QStringLiteral("--no-verify"));
    plan.backup = !run.flag(QStringLiteral("--no-backup"));
    plan.changedOnly = !run.flag(AllBlocksFlag);
    plan.autoSwap = run.flag(QStringLiteral("--auto"));
    plan.maxResumes = maxResumes(run);
    plan.programDirectory = context.programDirectory;
    plan.backupDirectory = backupDirectory(context.programDirectory);
    return plan;
}

// The rows of --vary into the plan; the exit code when the file is refused.
std::optional<int> readVariations(BatchPlan &plan, const QString &vary, Language language)
{
    VariationsRead variations = readVariationsFile(vary, language);
    if (!variations)
        return usageError(*variations.error);
    if (variations.units.isEmpty())
        return usageError(NoVariationRowsText.text(language).arg(vary));
    plan.variations = variations.units;
    return std::nullopt;
}

// Each step and resumption on standard error, each finished radio on
// standard output; without --auto the next radio is asked for. With several
// ports each line begins with its lane's port, and the lanes' lines never
// run into each other.
BatchObserver consoleObserver(Language language, const QStringList &ports, bool autoSwap)
{
    const auto lock = std::make_shared<std::mutex>();
    const bool lanes = ports.size() > 1;
    const auto say = [=](QTextStream &stream, int lane, const QString &text) {
        const std::lock_guard guard(*lock);
        stream << (lanes ? BatchLaneText.text(language).arg(ports.at(lane), text) : text) << '\n';
        stream.flush();
    };
    BatchObserver observer;
    observer.step = [=](int lane, int unit, BatchStep step) {
        const QString text = batchStepText(step, language);
        say(err(), lane, unit > 0 ? UnitText.text(language).arg(unit).arg(text) : text);
    };
    // A resume names its block among the blocks of the transfer under way.
    observer.resuming = [=](int lane, int block, int blocks, int resume) {
        say(err(), lane, resumingNotice(block, blocks, resume, language));
    };
    observer.unitDone = [=](const UnitRecord &record) {
        say(out(), int(std::max<qsizetype>(0, ports.indexOf(record.port))), unitLine(record, language));
    };
    observer.stopRequested = [] { return g_interrupted != 0; };
    if (!autoSwap)
        observer.nextConnected = [language](int unit) { return askForRadio(unit, language); };
    return observer;
}

void reportSummary(const BatchSummary &summary, bool verify, const QString &logPath, Language language)
{
    out() << summary.text(verify, language) << '\n'
          << LogPathText.text(language).arg(QDir::toNativeSeparators(logPath)) << '\n';
    out().flush();
    if (!summary.logError.isEmpty())
        err() << "kdw-cli: " << summary.logErrorText(language) << '\n';
    if (summary.lineLost())
        err() << "kdw-cli: " << summary.lostPortsText(language) << '\n';
    err().flush();
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
                                  QStringLiteral("--no-backup"), NoResumeFlag, AllBlocksFlag},
                        .minArguments = 1,
                        .maxArguments = 1,
                        .sinFiles = 1,
                        .check = [&context](const Invocation &i) { return checkBatchArguments(i, context.usage); }});
    if (!run)
        return run.exitCode();
    const Language language = run->language;
    BatchPlan plan = planOf(context, *run);
    if (const QString vary = run->option(VaryOption.name); !vary.isEmpty()) {
        if (const auto refused = readVariations(plan, vary, language))
            return *refused;
    }
    const QString logPath = run->option(LogOption.name).isEmpty()
                                ? plan.backupDirectory + batchStem(plan.started) + QStringLiteral(".csv")
                                : run->option(LogOption.name);
    const QStringList ports = run->values(PortOption.name);
    stopOnInterrupt();
    const BatchOutcome outcome
        = runBatchOnPorts(ports, context.programDirectory, plan, logPath,
                          consoleObserver(language, ports, plan.autoSwap || ports.size() > 1), language);
    switch (outcome.failure) {
    case BatchOutcome::Failure::Port:
        err() << failureMessage(outcome.opened, TransferDirection::Write, outcome.port, language) << '\n';
        err().flush();
        return Failed;
    case BatchOutcome::Failure::Log: return usageError(outcome.logError);
    case BatchOutcome::Failure::None: break;
    }
    const BatchSummary &summary = outcome.summary;
    reportSummary(summary, plan.verify, outcome.logPath, language);
    return summary.allGood() ? Ok : Failed;
}

} // namespace kdw::cli
