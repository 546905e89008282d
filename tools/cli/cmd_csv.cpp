#include "core/channels/csvfile.h"
#include "core/channels/frequencyrules.h"
#include "core/image/sinfile.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QDir>

namespace kdw::cli {

namespace {

// Without --format, export writes the grid format and import reads the one
// the file's first line names.
const ValueOption FormatOption{QStringLiteral("--format"), QString()};

struct FormatChoice
{
    bool valid = false;
    std::optional<ChannelCsvFormat> format; // nullopt: not given
};

// --format grid|generic, or none.
FormatChoice formatOption(const QString &value)
{
    if (value.isEmpty())
        return {true, std::nullopt};
    if (value == u"grid")
        return {true, ChannelCsvFormat::Grid};
    if (value == u"generic")
        return {true, ChannelCsvFormat::Generic};
    return {};
}

// export and import: [--format grid|generic] [--lang eng|chs|cht] FILE.sin CSV,
// FILE.sin loaded.
Prepared prepareCsv(const CliContext &context, const QStringList &args)
{
    return prepare(context, args,
                   {.options = {FormatOption, LanguageOption},
                    .minArguments = 2,
                    .maxArguments = 2,
                    .sinFiles = 1,
                    .check = [&context](const Invocation &invocation) -> std::optional<QString> {
                        if (!formatOption(invocation.option(FormatOption.name)).valid)
                            return context.usage;
                        return std::nullopt;
                    }});
}

} // namespace

// kdw-cli export [--format grid|generic] [--lang eng|chs|cht] FILE.sin OUT.csv:
// the channels of FILE.sin as CSV, OUT.csv replaced whole.
int cmdExport(const CliContext &context, const QStringList &args)
{
    auto run = prepareCsv(context, args);
    if (!run)
        return run.exitCode();
    const QString csvPath = run->arguments.at(1);
    const ChannelCsvFormat format
        = formatOption(run->option(FormatOption.name)).format.value_or(ChannelCsvFormat::Grid);
    if (const auto failed = writeUtf8File(csvPath, exportChannelCsv(run->images.first(), format, run->language)))
        return usageError(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(csvPath), *failed));
    return Ok;
}

// kdw-cli import [--format grid|generic] [--lang eng|chs|cht] FILE.sin IN.csv:
// the channels of FILE.sin replaced by those of IN.csv, in the format given or
// the one its first line names. Every refused line is listed (the first 20)
// and FILE.sin is left as it was; each frequency clamp or snap changed is
// named, and so are the channels in use that the file leaves empty.
int cmdImport(const CliContext &context, const QStringList &args)
{
    auto run = prepareCsv(context, args);
    if (!run)
        return run.exitCode();
    const QString sinPath = run->arguments.at(0);
    const QString csvPath = run->arguments.at(1);
    const auto format = formatOption(run->option(FormatOption.name)).format;
    const TextFileRead csv = readChannelCsvFile(csvPath, Language::Eng);
    if (!csv.text)
        return usageError(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(csvPath), csv.reason));
    // Frequencies are clamped to the range the file chooses, as the window clamps them.
    const MemoryImage &image = run->images.first();
    const ChannelCsvImport imported
        = importChannelCsv(image, *csv.text, format, run->language, chosenFrequencyRange(image));
    const QString shownCsv = QDir::toNativeSeparators(csvPath);
    if (!imported) {
        printLines(shownCsv, imported.refusals, run->language);
        err() << QDir::toNativeSeparators(sinPath) << " was not changed" << Qt::endl;
        return BadInput;
    }
    printLines(shownCsv, imported.changes, run->language);
    if (!imported.emptied.isEmpty())
        err() << QDir::toNativeSeparators(sinPath) << ": " << emptiedChannelsText(imported.emptied, run->language)
              << Qt::endl;
    return saveSinFile(sinPath, imported.image);
}

} // namespace kdw::cli
