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

// Reads the radio and keeps a backup of it, then says what the write is to
// send; nothing, having said that nothing was written, when either failed.
std::optional<WriteScope> backUpFirst(const CliContext &context, CliLink &link, const MemoryImage &document,
                                      bool changedOnly, int resumes, int *resumed)
{
    MemoryImage radio;
    makeNewImage(radio, context.programDirectory);
    const TransferOutcome read = link.transfer(TransferDirection::Read, radio, resumes);
    *resumed += read.protocol.resumes;
    if (read && backUpRadio(context, radio, BackupKind::BeforeWrite, read.protocol.identification))
        return scopeAfterRead(radio, read.protocol, document, changedOnly);
    if (link.refused()) // said already
        return std::nullopt;
    err() << "the write was not started: the radio's memory could not be backed up first\n";
    err().flush();
    return std::nullopt;
}

// Reads the written blocks back and lists what differs: Ok when nothing does.
int verifyWritten(CliLink &link, const CliContext &context, const MemoryImage &image, const WriteScope &scope,
                  Language language, int resumes, int *resumed)
{
    MemoryImage readBack = image;
    const TransferOutcome verify = link.transfer(TransferDirection::Verify, readBack, resumes, scope);
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

// kdw-cli write --port NAME FILE.sin [--verify] [--backup] [--all-blocks]
// [--expect HEX] [--no-resume]: sends the file's bytes as they are; with
// --expect only to the radio that answers HEX (another: exit 2, nothing sent). --backup first reads the
// radio and keeps a backup of it, and writes nothing when that fails; the
// write then sends only the blocks that differ from what was read (all of
// them with --all-blocks), and nothing when none does. --verify then reads
// the written blocks back in another session and lists what differs as
// kdw-cli diff does, then every differing address. Every session goes over
// the one open port. Each is resumed after a fault on the line unless
// --no-resume.
int cmdWrite(const CliContext &context, const QStringList &args)
{
    auto run = prepare(context, args,
                       {.options = {PortOption, LanguageOption, ExpectOption},
                        .flags = {QStringLiteral("--verify"), QStringLiteral("--no-backup"), QStringLiteral("--backup"),
                                  NoResumeFlag, AllBlocksFlag},
                        .minArguments = 1,
                        .maxArguments = 1,
                        .sinFiles = 1,
                        .check = [&context](const Invocation &i) { return checkTransferArguments(i, context.usage); }});
    if (!run)
        return run.exitCode();
    CliLink link(context, run->option(PortOption.name));
    link.expectRadio(*run);
    const MemoryImage &document = run->images.first();
    const int resumes = maxResumes(*run);
    int resumed = 0;
    WriteScope scope;
    if (run->flag(QStringLiteral("--backup"))) {
        const auto read = backUpFirst(context, link, document, !run->flag(AllBlocksFlag), resumes, &resumed);
        if (!read)
            return link.refused() ? BadInput : Failed;
        scope = *read;
        if (scope.blocks.isEmpty()) {
            err() << NothingToWriteText.text(run->language) << '\n';
            err().flush();
            reportResumes(resumed);
            return Ok;
        }
        if (scope.blocks.size() < WriteBlockCount) {
            err() << "sending the " << scope.blocks.size() << " of " << WriteBlockCount
                  << " blocks that differ from the radio\n";
            err().flush();
        }
    }
    const TransferOutcome write = link.transfer(TransferDirection::Write, run->images.first(), resumes, scope);
    resumed += write.protocol.resumes;
    if (!write)
        return link.refused() ? BadInput : Failed;
    const int status = run->flag(QStringLiteral("--verify"))
                           ? verifyWritten(link, context, document, scope, run->language, resumes, &resumed)
                           : Ok;
    if (status == Ok)
        reportResumes(resumed);
    return status;
}

} // namespace kdw::cli
