#include "core/link/cabledoctor.h"
#include "core/program/userfiles.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

namespace {

// The port Program.ini names, as the window would use it.
QString configuredPort(const QString &programDirectory)
{
    CIniFile config;
    config.setPath(lookUpUserFile(programDirectory, programini::FileName.toString()));
    return config.ReadString(programini::Section.toString(), programini::Port.toString());
}

} // namespace

// kdw-cli doctor [--lang eng|chs|cht] [--port NAME]: the cable check, a line
// per finding on standard output as it is known. Exit 0 without problems,
// 1 with any. Nothing is written to the radio.
int cmdDoctor(const CliContext &context, const QStringList &args)
{
    auto run = prepare(context, args, {.options = {LanguageOption, PortOption}});
    if (!run)
        return run.exitCode();
    QString port = run->option(PortOption.name);
    if (port.isEmpty())
        port = configuredPort(context.programDirectory);

    CableDoctor doctor(SystemRoots{}, DoctorIdentity::ofThisProcess(), run->language);
    const int problems = doctor.run(port, context.programDirectory, [](const DoctorLine &line) {
        out() << printable(line.formatted()) << '\n';
        out().flush();
    });
    return problems == 0 ? Ok : Failed;
}

} // namespace kdw::cli
