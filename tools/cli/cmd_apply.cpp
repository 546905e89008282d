#include "core/channels/channelcsv.h"
#include "core/channels/csvfile.h"
#include "core/image/sinfile.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QDir>

namespace kdw::cli {

// kdw-cli apply [--lang eng|chs|cht] FILE.sin GRID.csv: types GRID.csv into an
// empty grid, runs the grid store over FILE.sin's image and replaces FILE.sin.
// Nothing is written unless the file is whole and every line is good. Each
// frequency that clamp or snap changed is named on standard error, and so are
// the channels in use that the file leaves empty; the exit status stays 0.
int cmdApply(const CliContext &context, const QStringList &args)
{
    auto run
        = prepare(context, args, {.options = {LanguageOption}, .minArguments = 2, .maxArguments = 2, .sinFiles = 1});
    if (!run)
        return run.exitCode();
    const QString sinPath = run->arguments.at(0);
    const QString csvPath = run->arguments.at(1);
    MemoryImage &image = run->images.first();

    const TextFileRead csv = readChannelCsvFile(csvPath, Language::Eng);
    if (!csv.text)
        return usageError(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(csvPath), csv.reason));
    const GridCsvResult grid = channelTableFromCsv(*csv.text, image, run->language);
    const QString shownCsv = QDir::toNativeSeparators(csvPath);
    if (!grid) {
        err() << shownCsv << ": "
              << lineFaultText(grid.error->line, grid.error->column, GridFileRxFreqColumn, grid.error->message,
                               run->language)
              << Qt::endl;
        return BadInput;
    }
    QStringList changes;
    for (const CsvLineChange &change : grid.changes)
        changes.append(lineChangeText(change.line, change.change, run->language));
    printLines(shownCsv, changes, run->language);

    const MemoryImage before = image;
    storeChannelTable(image, grid.table, 0, 0);
    if (const QList<int> emptied = emptiedChannels(before, image); !emptied.isEmpty())
        err() << QDir::toNativeSeparators(sinPath) << ": " << emptiedChannelsText(emptied, run->language) << Qt::endl;
    return saveSinFile(sinPath, image);
}

} // namespace kdw::cli
