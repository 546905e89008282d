#include "settings/settingvalues.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QHash>
#include <QTextStream>

namespace kdw::cli {

namespace {

const QString Usage = QStringLiteral("usage: kdw-cli settings [--lang eng|chs|cht] FILE.sin [LABEL=ITEM ...]");

} // namespace

// kdw-cli settings: prints the Option, PTT ID and PCBA settings of a file as
// the dialogs show them, or sets some of them as choosing the items in the
// dialogs and closing them would (the Option and PTT ID dialogs store every
// setting when they close, PCBA as on OK) and replaces the file.
int cmdSettings(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const int language = languageOption(takeOption(args, QStringLiteral("--lang"), QStringLiteral("eng"), &missing));
    if (missing || language < 0 || args.isEmpty())
        return usageError(Usage);
    const QString path = args.takeFirst();

    QHash<const Setting *, SettingValue> chosen;
    for (const QString &assignment : std::as_const(args)) {
        const auto equals = assignment.indexOf(u'=');
        if (equals < 0)
            return usageError(QStringLiteral("expected LABEL=ITEM, got \"%1\"\n%2").arg(assignment, Usage));
        const QString label = assignment.left(equals);
        const QString item = assignment.mid(equals + 1);
        const Setting *setting = findSetting(label);
        if (!setting)
            return usageError(QStringLiteral("unknown setting \"%1\"").arg(label));
        if (chosen.contains(setting))
            return usageError(QStringLiteral("%1: given more than once").arg(label));
        const auto value = valueFromText(*setting, item);
        if (!value && setting->text()) {
            const TextField &field = *setting->text();
            return usageError(QStringLiteral("%1: \"%2\" is not a valid text (at most %3 of \"%4\")")
                                  .arg(label, item)
                                  .arg(field.length)
                                  .arg(field.allowed));
        }
        if (!value)
            return usageError(QStringLiteral("%1: unknown item \"%2\"").arg(label, item));
        chosen.insert(setting, *value);
    }

    auto loaded = loadSinFile(path);
    if (!loaded)
        return BadInput;
    MemoryImage &image = *loaded;

    if (chosen.isEmpty()) {
        for (const Setting &setting : settingTable())
            out() << setting.label << ": " << printable(shownText(setting, image, quint8(language))) << '\n';
        out().flush();
        return Ok;
    }

    const MemoryImage shown = image;
    for (const Setting &setting : settingTable())
        storeValue(setting, image, chosen.value(&setting, shownValue(setting, shown)));
    return saveSinFile(path, image);
}

} // namespace kdw::cli
