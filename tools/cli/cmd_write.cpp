#include "core/channels/imagediff.h"
#include "core/image/backups.h"
#include "core/image/builtindefaults.h"
#include "core/image/transferranges.h"
#include "core/link/transfermessages.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

namespace {

// Every differing address, a line each, after the channels and settings.
void printAddresses(const MemoryImage &written, const MemoryImage &readBack)
{
    for (const TransferRange &range : WriteRanges) {
        for (int a = range.start; a < range.end; ++a) {
            if (written.byte(a) == readBack.byte(a))
                continue;
            out() << QStringLiteral("0x%1: wrote %2, read %3\n")
                         .arg(a, 4, 16, QLatin1Char('0'))
                         .arg(written.byte(a), 2, 16, QLatin1Char('0'))
                         .arg(readBack.byte(a), 2, 16, QLatin1Char('0'));
        }
    }
    out().flush();
}

// Reads the radio and keeps a backup of it; false, having said that nothing
// was written, when either failed.
bool backUpFirst(const CliContext &context, const QString &port, int resumes, int *resumed)
{
    MemoryImage radio;
    makeNewImage(radio, context.programDirectory);
    const TransferOutcome read = transferWithProgress(context, port, TransferDirection::Read, radio, resumes);
    *resumed += read.protocol.resumes;
    if (read && backUpRadio(context, radio, BackupKind::BeforeWrite))
        return true;
    err() << "the write was not started: the radio's memory could not be backed up first\n";
    err().flush();
    return false;
}

// Reads the written ranges back and lists what differs: Ok when nothing does.
int verifyWritten(const CliContext &context, const QString &port, const MemoryImage &image, Language language,
                  int resumes, int *resumed)
{
    MemoryImage readBack = image;
    const TransferOutcome verify = transferWithProgress(context, port, TransferDirection::Verify, readBack, resumes);
    *resumed += verify.protocol.resumes;
    if (!verify)
        return Failed;
    const ImageDiff diff = diffImages(image, readBack, language);
    if (diff.isEmpty()) {
        err() << WriteVerifiedText.text(language) << '\n';
        err().flush();
        return Ok;
    }
    useLanguageBundle(context.programDirectory, language);
    printDiffRows(diffRows(diff, image, readBack, language));
    printAddresses(image, readBack);
    err() << RadioDiffersText.text(language) << '\n' << WriteAgainText.text(language) << '\n';
    err().flush();
    return Failed;
}

} // namespace

// kdw-cli write --port NAME FILE.sin [--verify] [--backup] [--no-resume]:
// sends the file's bytes as they are. --backup first reads the radio and
// keeps a backup of it, and writes nothing when that fails. --verify then
// reads the written ranges back in a second session and lists what differs as
// kdw-cli diff does, then every differing address. Each transfer is resumed
// after a fault on the line unless --no-resume.
int cmdWrite(const CliContext &context, const QStringList &args)
{
    auto run = prepare(
        context, args,
        {.options = {PortOption, LanguageOption},
         .flags = {QStringLiteral("--verify"), QStringLiteral("--no-backup"), QStringLiteral("--backup"), NoResumeFlag},
         .minArguments = 1,
         .maxArguments = 1,
         .sinFiles = 1,
         .check = [&context](const Invocation &i) { return checkTransferArguments(i, context.usage); }});
    if (!run)
        return run.exitCode();
    const QString port = run->option(PortOption.name);
    const int resumes = maxResumes(*run);
    int resumed = 0;
    if (run->flag(QStringLiteral("--backup")) && !backUpFirst(context, port, resumes, &resumed))
        return Failed;
    const TransferOutcome write
        = transferWithProgress(context, port, TransferDirection::Write, run->images.first(), resumes);
    resumed += write.protocol.resumes;
    if (!write)
        return Failed;
    const int status = run->flag(QStringLiteral("--verify"))
                           ? verifyWritten(context, port, run->images.first(), run->language, resumes, &resumed)
                           : Ok;
    if (status == Ok)
        reportResumes(resumed);
    return status;
}

} // namespace kdw::cli
