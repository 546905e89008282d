#include "core/image/backups.h"
#include "core/image/builtindefaults.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QDir>
#include <QTextStream>

namespace kdw::cli {

bool backUpRadio(const CliContext &context, const MemoryImage &read, BackupKind kind, const QByteArray &identification)
{
    const BackupResult saved = saveReadBackup(read, kind, context.programDirectory, identification);
    if (saved)
        err() << "backup: " << QDir::toNativeSeparators(saved.path) << '\n';
    else
        err() << "kdw-cli: cannot save a backup in "
              << QDir::toNativeSeparators(backupDirectory(context.programDirectory)) << ": " << saved.reason << '\n';
    err().flush();
    return saved.ok;
}

// kdw-cli read --port NAME OUT.sin [--backup|--no-backup] [--expect HEX]
// [--no-resume]: a new document's image with the five read ranges from the
// radio. OUT.sin is written only when the whole read worked; a backup of it
// is kept unless --no-backup. A fault on the line is resumed unless
// --no-resume. With --expect another radio is refused (exit 2), nothing read.
int cmdRead(const CliContext &context, const QStringList &args)
{
    auto run = prepare(context, args,
                       {.options = {PortOption, ExpectOption},
                        .flags = {QStringLiteral("--no-backup"), QStringLiteral("--backup"), NoResumeFlag},
                        .minArguments = 1,
                        .maxArguments = 1,
                        .check = [&context](const Invocation &i) { return checkTransferArguments(i, context.usage); }});
    if (!run)
        return run.exitCode();

    MemoryImage image;
    makeNewImage(image, context.programDirectory);
    CliLink link(context, run->option(PortOption.name));
    link.expectRadio(*run);
    const TransferOutcome read = link.transfer(TransferDirection::Read, image, maxResumes(*run));
    if (!read)
        return link.refused() ? BadInput : Failed;
    if (!run->flag(QStringLiteral("--no-backup")))
        (void)backUpRadio(context, image, BackupKind::Read, read.protocol.identification);
    const int saved = saveSinFile(run->arguments.first(), image);
    if (saved == Ok)
        reportResumes(read.protocol.resumes);
    return saved;
}

} // namespace kdw::cli
