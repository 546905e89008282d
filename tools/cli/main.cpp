#include "core/program/startup.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"
#include "tools/cli/prologue.h"

#include <QCoreApplication>
#include <QTextStream>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

using namespace kdw::cli;

namespace {

struct Command
{
    const char *name;
    const char *synopsis;
    int (*run)(const CliContext &context, const QStringList &args);
};

const Command Commands[] = {
    {"new", "new OUT.sin", cmdNew},
    {"channels", "channels [--lang eng|chs|cht] FILE.sin", cmdChannels},
    {"apply", "apply [--lang eng|chs|cht] FILE.sin GRID.csv", cmdApply},
    {"export", "export [--format grid|generic] [--lang eng|chs|cht] FILE.sin OUT.csv", cmdExport},
    {"import",
     "import [--format grid|generic] [--lang eng|chs|cht] [--place numbered|in-order [--first N]] [--skip-unfit] "
     "FILE.sin IN.csv",
     cmdImport},
    {"settings", "settings [--lang eng|chs|cht] FILE.sin [LABEL=ITEM ...]", cmdSettings},
    {"read", "read --port NAME OUT.sin [--backup|--no-backup] [--expect HEX] [--no-resume]", cmdRead},
    {"write",
     "write [--lang eng|chs|cht] --port NAME FILE.sin [--verify] [--backup|--no-backup] [--all-blocks] [--expect HEX] "
     "[--no-resume]",
     cmdWrite},
    {"batch",
     "batch [--lang eng|chs|cht] --port NAME [--port NAME ...] FILE.sin [--units N] [--vary UNITS.csv] [--log LOG.csv] "
     "[--auto] "
     "[--no-verify] [--no-backup] [--all-blocks] [--no-resume]",
     cmdBatch},
    {"ports", "ports", cmdPorts},
    {"doctor", "doctor [--lang eng|chs|cht] [--port NAME]", cmdDoctor},
    {"diff", "diff [--lang eng|chs|cht] A.sin B.sin", cmdDiff},
    {"check", "check [--lang eng|chs|cht] FILE.sin", cmdCheck},
};

// The list of commands: on standard output when asked for, else on standard
// error as the answer to a command line that names none.
int usage(QTextStream &stream = err(), int exitCode = BadInput)
{
    stream << "usage: kdw-cli COMMAND [ARGS]\ncommands:\n";
    for (const auto &c : Commands)
        stream << "  kdw-cli " << c.synopsis << '\n';
    stream << "kdw-cli COMMAND --help: the command's options\n";
    stream.flush();
    return exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // The bytes as written: text mode would turn the CSV's CRLF into CR CR LF.
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
#endif
    QCoreApplication app(argc, argv);
    const QString programDirectory = kdw::programDirectoryOf(QCoreApplication::applicationFilePath());
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString name = args.takeFirst();
    if (name == u"--version") {
        out() << "kdw-cli " << KDW_VERSION << Qt::endl;
        return Ok;
    }
    if (name == u"--help")
        return usage(out(), Ok);
    QStringList names;
    for (const auto &c : Commands) {
        if (name == QLatin1String(c.name))
            return c.run({programDirectory, QStringLiteral("usage: kdw-cli %1").arg(QLatin1String(c.synopsis))}, args);
        names.append(QLatin1String(c.name));
    }
    err() << "kdw-cli: " << unknownNameText(QStringLiteral("command"), name, names) << '\n';
    return usage();
}
