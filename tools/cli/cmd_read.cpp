#include "app/globals.h"
#include "image/backups.h"
#include "image/builtindefaults.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QDir>
#include <QTextStream>

namespace kdw::cli {

bool backUpRadio(const MemoryImage &read, BackupKind kind)
{
    const BackupResult saved = saveReadBackup(read, kind, programDirectory());
    if (saved)
        err() << "backup: " << QDir::toNativeSeparators(saved.path) << '\n';
    else
        err() << "kdw-cli: cannot save a backup in " << QDir::toNativeSeparators(backupDirectory(programDirectory()))
              << ": " << saved.reason << '\n';
    err().flush();
    return saved.ok;
}

// kdw-cli read --port NAME OUT.sin [--backup|--no-backup]: a new document's
// image with the five read ranges from the radio. OUT.sin is written only
// when the whole read worked; a backup of it is kept unless --no-backup.
int cmdRead(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString port = takeOption(args, QStringLiteral("--port"), {}, &missing);
    const bool noBackup = takeFlag(args, QStringLiteral("--no-backup"));
    const bool backup = takeFlag(args, QStringLiteral("--backup"));
    if (missing || port.isEmpty() || (backup && noBackup) || args.size() != 1 || args.first().startsWith(u"--"))
        return usageError(QStringLiteral("usage: kdw-cli read --port NAME OUT.sin [--backup|--no-backup]"));

    MemoryImage image;
    makeNewImage(image, programDirectory());
    if (!transferWithProgress(port, TransferDirection::Read, image))
        return Failed;
    if (!noBackup)
        (void)backUpRadio(image, BackupKind::Read);
    return saveSinFile(args.first(), image);
}

} // namespace kdw::cli
