#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace kdw {

// Starts another program detached from this one (the help viewer, the
// program itself after a language change). Tests install a starter that
// records the call, so no program really starts.
using ProcessStarter = std::function<bool(const QString &program, const QStringList &arguments)>;

// An empty starter restores the real one.
void setProcessStarter(ProcessStarter starter);
// True when the program was started.
bool startDetached(const QString &program, const QStringList &arguments = {});

// Ends the running program's event loop at once, without the main window's
// close handling; the exit step still runs. Tests replace it, since a real
// quit would end every event loop that follows in the test.
void setQuitRequest(std::function<void()> quit);
void requestQuit();

} // namespace kdw
