#include "channels/csvfile.h"
#include "image/sinfile.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QDir>

namespace kdw::cli {

namespace {

// --format grid|generic; nullopt for anything else.
std::optional<ChannelCsvFormat> formatOption(const QString &value)
{
    if (value == u"grid")
        return ChannelCsvFormat::Grid;
    if (value == u"generic")
        return ChannelCsvFormat::Generic;
    return std::nullopt;
}

struct CsvArguments
{
    ChannelCsvFormat format = ChannelCsvFormat::Grid;
    quint8 lang = 0;
    QString sinPath;
    QString csvPath;
};

std::optional<CsvArguments> csvArguments(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const auto format = formatOption(takeOption(args, QStringLiteral("--format"), QStringLiteral("grid"), &missing));
    const int lang = languageOption(takeOption(args, QStringLiteral("--lang"), QStringLiteral("eng"), &missing));
    if (missing || !format || lang < 0 || args.size() != 2)
        return std::nullopt;
    return CsvArguments{*format, quint8(lang), args.at(0), args.at(1)};
}

} // namespace

// kdw-cli export [--format grid|generic] [--lang eng|chs|cht] FILE.sin OUT.csv:
// the channels of FILE.sin as CSV, OUT.csv replaced whole.
int cmdExport(const QStringList &arguments)
{
    const auto args = csvArguments(arguments);
    if (!args)
        return usageError(
            QStringLiteral("usage: kdw-cli export [--format grid|generic] [--lang eng|chs|cht] FILE.sin OUT.csv"));
    auto loaded = loadSinFile(args->sinPath);
    if (!loaded)
        return BadInput;
    MemoryImage &image = *loaded;
    if (const auto failed = writeUtf8File(args->csvPath, exportChannelCsv(image, args->format, args->lang)))
        return usageError(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(args->csvPath), *failed));
    return Ok;
}

// kdw-cli import [--format grid|generic] [--lang eng|chs|cht] FILE.sin IN.csv:
// the channels of FILE.sin replaced by those of IN.csv. Every refused line is
// listed and FILE.sin is left as it was.
int cmdImport(const QStringList &arguments)
{
    const auto args = csvArguments(arguments);
    if (!args)
        return usageError(
            QStringLiteral("usage: kdw-cli import [--format grid|generic] [--lang eng|chs|cht] FILE.sin IN.csv"));
    auto loaded = loadSinFile(args->sinPath);
    if (!loaded)
        return BadInput;
    MemoryImage &image = *loaded;
    const TextFileRead csv = readUtf8File(args->csvPath, 0);
    if (!csv.text)
        return usageError(
            QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(args->csvPath), csv.reason));
    const ChannelCsvImport imported = importChannelCsv(image, *csv.text, args->format, args->lang);
    if (!imported) {
        for (const QString &refusal : imported.refusals)
            err() << QDir::toNativeSeparators(args->csvPath) << ": " << refusal << Qt::endl;
        err() << QDir::toNativeSeparators(args->sinPath) << " was not changed" << Qt::endl;
        return BadInput;
    }
    return saveSinFile(args->sinPath, imported.image);
}

} // namespace kdw::cli
