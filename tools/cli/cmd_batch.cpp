#include "core/image/backups.h"
#include "core/link/batchrun.h"
#include "core/link/portnames.h"
#include "core/link/serialport.h"
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

// False, after saying why, when the port does not open.
bool openBatchPort(SerialPort &port, const QString &portName, const QString &programDirectory, Language language)
{
    const TransferOutcome opened = openPort(port, portName, programDirectory);
    if (opened)
        return true;
    err() << failureMessage(opened, TransferDirection::Write, portName, language) << '\n';
    err().flush();
    return false;
}

// Each step and resumption on standard error, each finished radio on
// standard output; without --auto the next radio is asked for.
BatchObserver consoleObserver(Language language, bool autoSwap)
{
    BatchObserver observer;
    observer.step = [language](int unit, BatchStep step) {
        err() << UnitText.text(language).arg(unit).arg(batchStepText(step, language)) << '\n';
        err().flush();
    };
    // A resume names its block among the blocks of the transfer under way.
    observer.resuming = [language](int block, int blocks, int resume) {
        err() << resumingNotice(block, blocks, resume, language) << '\n';
        err().flush();
    };
    observer.unitDone = [language](const UnitRecord &record) {
        out() << unitLine(record, language) << '\n';
        out().flush();
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
    if (summary.lineLost)
        err() << "kdw-cli: " << BatchLineLostText.text(language) << '\n';
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
    SerialPort port;
    if (!openBatchPort(port, run->option(PortOption.name), context.programDirectory, language))
        return Failed;

    const QString logPath = run->option(LogOption.name).isEmpty()
                                ? plan.backupDirectory + batchStem(plan.started) + QStringLiteral(".csv")
                                : run->option(LogOption.name);
    QString logError;
    const auto log = BatchLog::create(logPath, &logError, language);
    if (!log)
        return usageError(logError);

    stopOnInterrupt();
    const BatchSummary summary = BatchRun(port, plan, log.get(), consoleObserver(language, plan.autoSwap)).run();
    reportSummary(summary, plan.verify, log->path(), language);
    return summary.allGood() ? Ok : Failed;
}

} // namespace kdw::cli
