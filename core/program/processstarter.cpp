#include "core/program/processstarter.h"

#include <QCoreApplication>
#include <QProcess>

#ifdef Q_OS_WIN
#include <QDir>

#include <windows.h> // with shellapi.h: ShellExecuteW
#endif

namespace kdw {

namespace {

ProcessStarter &starter()
{
    static ProcessStarter s;
    return s;
}

std::function<void()> &quitRequest()
{
    static std::function<void()> q;
    return q;
}

} // namespace

void setProcessStarter(ProcessStarter s)
{
    starter() = std::move(s);
}

bool startDetached(const QString &program, const QStringList &arguments)
{
    if (starter())
        return starter()(program, arguments);
#ifdef Q_OS_WIN
    // A program alone is started as the shell starts it (the language
    // restart); its result above 32 means it started.
    if (arguments.isEmpty()) {
        const QString native = QDir::toNativeSeparators(program);
        const HINSTANCE started = ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(native.utf16()),
                                                nullptr, nullptr, SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(started) > 32;
    }
#endif
    return QProcess::startDetached(program, arguments);
}

void setQuitRequest(std::function<void()> quit)
{
    quitRequest() = std::move(quit);
}

void requestQuit()
{
    if (quitRequest())
        quitRequest()();
    else
        QCoreApplication::exit(0);
}

} // namespace kdw
