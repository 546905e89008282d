#include "core/settings/settingvalues.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QHash>
#include <QTextStream>

namespace kdw::cli {

namespace {

// Each LABEL=ITEM into `chosen`; the message for the first that is refused.
std::optional<QString> takeAssignments(const QStringList &assignments, const QString &usage, ChosenSettings &chosen)
{
    for (const QString &assignment : assignments) {
        const auto equals = assignment.indexOf(u'=');
        if (equals < 0)
            return QStringLiteral("expected LABEL=ITEM, got \"%1\"\n%2").arg(assignment, usage);
        const QString label = assignment.left(equals);
        const QString item = assignment.mid(equals + 1);
        const Setting *setting = findSetting(label);
        if (!setting)
            return QStringLiteral("unknown setting \"%1\"").arg(label);
        if (chosen.contains(setting))
            return QStringLiteral("%1: given more than once").arg(label);
        const auto value = valueFromText(*setting, item);
        if (!value)
            return refusedValueText(*setting, label, item);
        chosen.insert(setting, *value);
    }
    return std::nullopt;
}

} // namespace

// kdw-cli settings: prints the Option, PTT ID and PCBA settings of a file as
// the dialogs show them, or sets some of them as choosing the items in the
// dialogs and closing them would (the Option and PTT ID dialogs store every
// setting when they close, PCBA as on OK) and replaces the file.
int cmdSettings(const CliContext &context, const QStringList &args)
{
    ChosenSettings chosen;
    auto run = prepare(context, args,
                       {.options = {LanguageOption},
                        .minArguments = 1,
                        .maxArguments = -1,
                        .sinFiles = 1,
                        .check = [&context, &chosen](const Invocation &invocation) {
                            return takeAssignments(invocation.arguments.mid(1), context.usage, chosen);
                        }});
    if (!run)
        return run.exitCode();
    const QString path = run->arguments.first();
    MemoryImage &image = run->images.first();

    if (chosen.isEmpty()) {
        for (const Setting &setting : settingTable())
            out() << setting.label << ": " << printable(shownText(setting, image, run->language)) << '\n';
        out().flush();
        return Ok;
    }

    storeChosenSettings(image, chosen);
    return saveSinFile(path, image);
}

} // namespace kdw::cli
