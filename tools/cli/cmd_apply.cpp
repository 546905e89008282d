#include "channels/channelcsv.h"
#include "image/sinfile.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace kdw::cli {

namespace {

// The whole file as UTF-8 text; nullopt with a reason when it cannot be read
// or is not UTF-8.
std::optional<QString> readUtf8(const QString &path, QString &reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return std::nullopt;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        reason = QStringLiteral("not UTF-8 text");
        return std::nullopt;
    }
    return text;
}

} // namespace

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

    MemoryImage image;
    if (!loadSinFile(sinPath, image))
        return BadInput;

    QString reason;
    const auto csv = readUtf8(csvPath, reason);
    if (!csv)
        return usageError(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(csvPath), reason));
    const GridCsvResult grid = channelTableFromCsv(*csv, image, quint8(lang));
    if (!grid) {
        err() << QDir::toNativeSeparators(csvPath) << ':' << grid.error->line << ':' << grid.error->column
              << ": " << grid.error->message << Qt::endl;
        return BadInput;
    }

    storeChannelTable(image, grid.table, 0, 0);
    return saveSinFile(sinPath, image);
}

} // namespace kdw::cli
