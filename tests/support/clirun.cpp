#include "clirun.h"

#include <QProcess>

namespace kdw::test {

CliRun runCli(const QStringList &arguments, const QString &program, const QString &workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(program.isEmpty() ? QStringLiteral(KDW_PROGRAM_DIR "/kdw-cli") : program, arguments);
    if (!process.waitForFinished(60000)) {
        qWarning("kdw-cli did not finish: %s", qPrintable(process.errorString()));
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace kdw::test
