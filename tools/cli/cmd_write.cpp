#include "image/transferranges.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

namespace {

// Every write-range address whose byte differs between the two images.
QList<int> differences(const MemoryImage &written, const MemoryImage &readBack)
{
    QList<int> addresses;
    for (const TransferRange &range : WriteRanges) {
        for (int a = range.start; a < range.end; ++a) {
            if (written.byte(a) != readBack.byte(a))
                addresses.append(a);
        }
    }
    return addresses;
}

} // namespace

// kdw-cli write --port NAME FILE.sin [--verify]: sends the file's bytes as
// they are. --verify reads the radio back and lists every differing address.
int cmdWrite(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString port = takeOption(args, QStringLiteral("--port"), {}, &missing);
    const bool verify = takeFlag(args, QStringLiteral("--verify"));
    if (missing || port.isEmpty() || args.size() != 1 || args.first().startsWith(u"--"))
        return usageError(QStringLiteral("usage: kdw-cli write --port NAME FILE.sin [--verify]"));

    MemoryImage image;
    if (!loadSinFile(args.first(), image))
        return BadInput;
    if (!transferWithProgress(port, TransferDirection::Write, image))
        return Failed;
    if (!verify)
        return Ok;

    MemoryImage readBack = image;
    if (!transferWithProgress(port, TransferDirection::Read, readBack))
        return Failed;
    const QList<int> differing = differences(image, readBack);
    for (int a : differing) {
        out() << QStringLiteral("0x%1: wrote %2, read %3\n")
                     .arg(a, 4, 16, QLatin1Char('0'))
                     .arg(image.byte(a), 2, 16, QLatin1Char('0'))
                     .arg(readBack.byte(a), 2, 16, QLatin1Char('0'));
    }
    out().flush();
    if (!differing.isEmpty()) {
        err() << "verify: " << differing.size() << " bytes differ\n";
        err().flush();
        return Failed;
    }
    err() << "verify: the radio holds what was written\n";
    err().flush();
    return Ok;
}

} // namespace kdw::cli
