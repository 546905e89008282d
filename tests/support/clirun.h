#pragma once

// kdw-cli run as a user runs it, in a process of its own.
#include <QString>
#include <QStringList>

namespace kdw::test {

struct CliRun
{
    int exitCode = -1; // -1 when the tool crashed or did not finish
    QString out;
    QString err;
};

// Runs the build's kdw-cli, or `program`, in `workingDirectory` (default: the
// current one). A run that does not finish within a minute is killed.
CliRun runCli(const QStringList &arguments, const QString &program = {}, const QString &workingDirectory = {});

} // namespace kdw::test
