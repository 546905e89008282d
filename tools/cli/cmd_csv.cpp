#include "core/channels/csvfile.h"
#include "core/channels/frequencyrules.h"
#include "core/image/regions.h"
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

// import only: --place numbered|in-order, --first N (with in-order), --skip-unfit.
const ValueOption PlaceOption{QStringLiteral("--place"), QString()};
const ValueOption FirstOption{QStringLiteral("--first"), QString()};
const QString SkipUnfitFlag = QStringLiteral("--skip-unfit");

// The placement the options ask for; nullopt when they are refused.
std::optional<GenericCsvOptions> placementOptions(const Invocation &invocation)
{
    const QString place = invocation.option(PlaceOption.name);
    const QString first = invocation.option(FirstOption.name);
    GenericCsvOptions options;
    if (place == u"in-order")
        options.place = GenericPlacement::InOrder;
    else if (!place.isEmpty() && place != u"numbered")
        return std::nullopt;
    if (!first.isEmpty()) {
        bool ok = false;
        options.first = first.toInt(&ok);
        if (!ok || options.place != GenericPlacement::InOrder || options.first < 1
            || options.first > region::ChannelCount)
            return std::nullopt;
    }
    return options;
}

// export and import: [--format grid|generic] [--lang eng|chs|cht] FILE.sin CSV,
// FILE.sin loaded; import also takes the placement options.
Prepared prepareCsv(const CliContext &context, const QStringList &args, bool import)
{
    QList<ValueOption> options{FormatOption, LanguageOption};
    QStringList flags;
    if (import) {
        options += {PlaceOption, FirstOption};
        flags.append(SkipUnfitFlag);
    }
    return prepare(context, args,
                   {.options = options,
                    .flags = flags,
                    .minArguments = 2,
                    .maxArguments = 2,
                    .sinFiles = 1,
                    .check = [&context](const Invocation &invocation) -> std::optional<QString> {
                        if (!formatOption(invocation.option(FormatOption.name)).valid || !placementOptions(invocation))
                            return context.usage;
                        return std::nullopt;
                    }});
}

} // namespace

// kdw-cli export [--format grid|generic] [--lang eng|chs|cht] FILE.sin OUT.csv:
// the channels of FILE.sin as CSV, OUT.csv replaced whole.
int cmdExport(const CliContext &context, const QStringList &args)
{
    auto run = prepareCsv(context, args, false);
    if (!run)
        return run.exitCode();
    const QString csvPath = run->arguments.at(1);
    const ChannelCsvFormat format
        = formatOption(run->option(FormatOption.name)).format.value_or(ChannelCsvFormat::Grid);
    if (const auto failed = writeUtf8File(csvPath, exportChannelCsv(run->images.first(), format, run->language)))
        return usageError(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(csvPath), *failed));
    return Ok;
}

// kdw-cli import [--format grid|generic] [--lang eng|chs|cht] [--place
// numbered|in-order [--first N]] [--skip-unfit] FILE.sin IN.csv: the channels
// of FILE.sin replaced by those of IN.csv, in the format given or the one its
// first line names. A file refused as a whole is named (the first 20 lines)
// and FILE.sin is left as it was, exit 2. A generic row the radio cannot hold
// does the same, unless --skip-unfit takes the others: then the rows left out
// are listed and the exit status is 1. Each frequency clamp or snap changed,
// each name cut, the columns ignored and the channels in use that the file
// leaves empty are named on standard error.
int cmdImport(const CliContext &context, const QStringList &args)
{
    auto run = prepareCsv(context, args, true);
    if (!run)
        return run.exitCode();
    const QString sinPath = run->arguments.at(0);
    const QString csvPath = run->arguments.at(1);
    const auto format = formatOption(run->option(FormatOption.name)).format;
    const TextFileRead csv = readChannelCsvFile(csvPath, Language::Eng);
    if (!csv.text)
        return usageError(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(csvPath), csv.reason));
    // Grid frequencies are clamped to the range the file chooses, as the window
    // clamps them; generic rows outside it are left out.
    const MemoryImage &image = run->images.first();
    const GenericCsvOptions placement = *placementOptions(*run);
    const ChannelCsvImport imported
        = importChannelCsv(image, *csv.text, format, run->language, chosenFrequencyRange(image), placement);
    const QString shownCsv = QDir::toNativeSeparators(csvPath);
    const QString shownSin = QDir::toNativeSeparators(sinPath);
    const bool placementGiven = run->flag(SkipUnfitFlag) || !run->option(PlaceOption.name).isEmpty()
                                || !run->option(FirstOption.name).isEmpty();
    if (imported && imported.format == ChannelCsvFormat::Grid && placementGiven)
        return usageError(QStringLiteral("%1 is a channel table: --place, --first and --skip-unfit are for the "
                                         "generic format")
                              .arg(shownCsv));
    const bool skipUnfit = run->flag(SkipUnfitFlag) && imported.taken > 0;
    if (!imported || (!imported.leftOut.isEmpty() && !skipUnfit)) {
        printLines(shownCsv, imported ? imported.leftOut : imported.refusals, run->language);
        err() << shownSin << " was not changed" << Qt::endl;
        return BadInput;
    }
    printLines(shownCsv, imported.leftOut, run->language);
    printLines(shownCsv, imported.changes, run->language);
    if (!imported.ignoredColumns.isEmpty())
        err() << shownCsv << ": " << ignoredColumnsText(imported.ignoredColumns, run->language) << Qt::endl;
    if (!imported.emptied.isEmpty())
        err() << shownSin << ": " << emptiedChannelsText(imported.emptied, run->language) << Qt::endl;
    const int saved = saveSinFile(sinPath, imported.image);
    return saved == Ok && !imported.leftOut.isEmpty() ? Failed : saved;
}

} // namespace kdw::cli
