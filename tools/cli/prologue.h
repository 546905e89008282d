#pragma once

#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kdw::cli {

// What every subcommand is given by main: the values it would otherwise take
// from the process.
struct CliContext
{
    // kdw-cli's own folder, with a trailing separator: its Default.sin, ports/
    // and backups apply as they do for Program.
    QString programDirectory;
    // The message of a refused command line: "usage: kdw-cli " and the
    // command's synopsis as the list of commands shows it.
    QString usage;
};

// "--name VALUE"; `fallback` when the option is absent.
struct ValueOption
{
    QString name;
    QString fallback;
};

// --lang eng|chs|cht: the value is checked and becomes Invocation::language.
inline const ValueOption LanguageOption{QStringLiteral("--lang"), QStringLiteral("eng")};

struct Invocation;

// The shape of one subcommand's command line.
struct CommandLine
{
    // Taken out of the arguments in this order, each once.
    QList<ValueOption> options = {};
    QStringList flags = {};
    // The number of arguments left once options and flags are out; no upper
    // bound when maxArguments is negative.
    qsizetype minArguments = 0;
    qsizetype maxArguments = 0;
    // How many leading arguments are .sin files to load, in order; the first
    // that cannot be read ends the command.
    qsizetype sinFiles = 0;
    // The command's own look at its arguments before any file is read: the
    // message to print when they are refused.
    std::function<std::optional<QString>(const Invocation &)> check = {};
};

struct Invocation
{
    Language language = Language::Eng;
    QHash<QString, QString> options;      // the last value of each option
    QHash<QString, QStringList> repeated; // every value of each option, in order
    QStringList flags;
    QStringList arguments;
    QList<MemoryImage> images;

    QString option(const QString &name) const { return options.value(name); }
    QStringList values(const QString &name) const { return repeated.value(name); }
    bool flag(const QString &name) const { return flags.contains(name); }
};

// An invocation ready to run, or the exit code of a command line already
// refused on standard error.
class Prepared
{
public:
    Prepared(Invocation invocation)
        : m_invocation(std::move(invocation))
    {
    }
    static Prepared refused(int exitCode) { return Prepared(exitCode); }

    explicit operator bool() const { return m_invocation.has_value(); }
    Invocation &operator*() { return *m_invocation; }
    Invocation *operator->() { return &*m_invocation; }
    int exitCode() const { return m_exitCode; }

private:
    explicit Prepared(int exitCode)
        : m_exitCode(exitCode)
    {
    }

    std::optional<Invocation> m_invocation;
    int m_exitCode = 0;
};

// Parses `args` as `line` describes (--name VALUE or --name=VALUE) and loads
// its .sin files. --help prints the usage and the options, in the --lang
// given, and gives Ok. A bad command line prints the context's usage (after
// "unknown option --lnag; did you mean --lang?" for an unknown option, or the
// check's message) and gives BadInput; an unreadable file is named with its
// reason and gives BadInput.
[[nodiscard]] Prepared prepare(const CliContext &context, const QStringList &args, const CommandLine &line);

// "unknown WHAT GIVEN", with "; did you mean NAME?" when one of `known` is
// at most two edits away.
[[nodiscard]] QString unknownNameText(const QString &what, const QString &given, const QStringList &known);

} // namespace kdw::cli
