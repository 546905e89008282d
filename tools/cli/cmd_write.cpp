#include "app/globals.h"
#include "channels/imagediff.h"
#include "image/backups.h"
#include "image/builtindefaults.h"
#include "image/transferranges.h"
#include "link/transfermessages.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

namespace {

const QString Usage = QStringLiteral(
    "usage: kdw-cli write [--lang eng|chs|cht] --port NAME FILE.sin [--verify] [--backup|--no-backup]");

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

} // namespace

// kdw-cli write --port NAME FILE.sin [--verify] [--backup]: sends the file's
// bytes as they are. --backup first reads the radio and keeps a backup of it,
// and writes nothing when that fails. --verify then reads the written ranges
// back in a second session and lists what differs as kdw-cli diff does, then
// every differing address.
int cmdWrite(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString port = takeOption(args, QStringLiteral("--port"), {}, &missing);
    const int language = languageOption(takeOption(args, QStringLiteral("--lang"), QStringLiteral("eng"), &missing));
    const bool verify = takeFlag(args, QStringLiteral("--verify"));
    const bool noBackup = takeFlag(args, QStringLiteral("--no-backup"));
    const bool backup = takeFlag(args, QStringLiteral("--backup"));
    if (missing || language < 0 || port.isEmpty() || (backup && noBackup) || args.size() != 1
        || args.first().startsWith(u"--"))
        return usageError(Usage);

    auto loaded = loadSinFile(args.first());
    if (!loaded)
        return BadInput;
    MemoryImage &image = *loaded;
    if (backup) {
        MemoryImage radio;
        makeNewImage(radio, programDirectory());
        if (!transferWithProgress(port, TransferDirection::Read, radio)
            || !backUpRadio(radio, BackupKind::BeforeWrite)) {
            err() << "the write was not started: the radio's memory could not be backed up first\n";
            err().flush();
            return Failed;
        }
    }
    if (!transferWithProgress(port, TransferDirection::Write, image))
        return Failed;
    if (!verify)
        return Ok;

    MemoryImage readBack = image;
    if (!transferWithProgress(port, TransferDirection::Verify, readBack))
        return Failed;
    const ImageDiff diff = diffImages(image, readBack, quint8(language));
    if (diff.isEmpty()) {
        err() << WriteVerifiedText.text(quint8(language)) << '\n';
        err().flush();
        return Ok;
    }
    useLanguageBundle(language);
    printDiffRows(diffRows(diff, image, readBack, quint8(language)));
    printAddresses(image, readBack);
    err() << RadioDiffersText.text(quint8(language)) << '\n';
    err().flush();
    return Failed;
}

} // namespace kdw::cli
