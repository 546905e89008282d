#include "channels/channelcsv.h"
#include "channels/csvfile.h"
#include "image/sinfile.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QDir>

namespace kdw::cli {


// kdw-cli apply [--lang eng|chs|cht] FILE.sin GRID.csv: types GRID.csv into an
// empty grid, runs the grid store over FILE.sin's image and replaces FILE.sin.
// Nothing is written unless every line is good.
int cmdApply(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missingValue = false;
    const int lang = languageOption(takeOption(args, QStringLiteral("--lang"), QStringLiteral("eng"), &missingValue));
    if (missingValue || lang < 0 || args.size() != 2)
        return usageError(QStringLiteral("usage: kdw-cli apply [--lang eng|chs|cht] FILE.sin GRID.csv"));
    const QString sinPath = args.at(0);
    const QString csvPath = args.at(1);

    auto loaded = loadSinFile(sinPath);
    if (!loaded)
        return BadInput;
    MemoryImage &image = *loaded;

    const TextFileRead csv = readUtf8File(csvPath, 0);
    if (!csv.text)
        return usageError(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(csvPath), csv.reason));
    const GridCsvResult grid = channelTableFromCsv(*csv.text, image, quint8(lang));
    if (!grid) {
        err() << QDir::toNativeSeparators(csvPath) << ':' << grid.error->line << ':' << grid.error->column
              << ": " << grid.error->message << Qt::endl;
        return BadInput;
    }

    storeChannelTable(image, grid.table, 0, 0);
    return saveSinFile(sinPath, image);
}

} // namespace kdw::cli
