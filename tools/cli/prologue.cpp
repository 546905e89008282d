#include "tools/cli/prologue.h"

#include "core/text/language.h"
#include "tools/cli/clicommon.h"

namespace kdw::cli {

namespace {

// Removes "--name VALUE" from args; nullopt when the option is given without
// a value, which then is removed too.
std::optional<QString> takeOption(QStringList &args, const ValueOption &option)
{
    const auto at = args.indexOf(option.name);
    if (at < 0)
        return option.fallback;
    if (at + 1 >= args.size()) {
        args.removeAt(at);
        return std::nullopt;
    }
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

// The options, flags and arguments of `args`; nullopt when they do not fit `line`.
std::optional<Invocation> parse(QStringList args, const CommandLine &line)
{
    Invocation invocation;
    bool fits = true;
    for (const ValueOption &option : line.options) {
        const auto value = takeOption(args, option);
        fits = fits && value.has_value();
        invocation.options.insert(option.name, value.value_or(option.fallback));
    }
    for (const QString &flag : line.flags) {
        if (args.removeAll(flag) > 0)
            invocation.flags.append(flag);
    }
    if (invocation.options.contains(LanguageOption.name)) {
        const auto language = languageOfCode(invocation.options.value(LanguageOption.name));
        fits = fits && language.has_value();
        invocation.language = language.value_or(Language::Eng);
    }
    fits = fits && args.size() >= line.minArguments && (line.maxArguments < 0 || args.size() <= line.maxArguments);
    if (!fits)
        return std::nullopt;
    invocation.arguments = std::move(args);
    return invocation;
}

} // namespace

Prepared prepare(const CliContext &context, const QStringList &args, const CommandLine &line)
{
    auto invocation = parse(args, line);
    if (!invocation)
        return Prepared::refused(usageError(context.usage));
    if (line.check) {
        if (const auto refusal = line.check(*invocation))
            return Prepared::refused(usageError(*refusal));
    }
    for (qsizetype i = 0; i < line.sinFiles; ++i) {
        const auto image = loadSinFile(invocation->arguments.at(i));
        if (!image)
            return Prepared::refused(BadInput);
        invocation->images.append(*image);
    }
    return std::move(*invocation);
}

} // namespace kdw::cli
