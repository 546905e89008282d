#include "channels/imagediff.h"
#include "image/transferranges.h"
#include "link/transfermessages.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

namespace {

const QString Usage = QStringLiteral("usage: kdw-cli write [--lang eng|chs|cht] --port NAME FILE.sin [--verify]");

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

// kdw-cli write --port NAME FILE.sin [--verify]: sends the file's bytes as
// they are. --verify then reads the written ranges back in a second session
// and lists what differs as kdw-cli diff does, then every differing address.
int cmdWrite(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString port = takeOption(args, QStringLiteral("--port"), {}, &missing);
    const int language = languageOption(takeOption(args, QStringLiteral("--lang"), QStringLiteral("eng"), &missing));
    const bool verify = takeFlag(args, QStringLiteral("--verify"));
    if (missing || language < 0 || port.isEmpty() || args.size() != 1 || args.first().startsWith(u"--"))
        return usageError(Usage);

    MemoryImage image;
    if (!loadSinFile(args.first(), image))
        return BadInput;
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
