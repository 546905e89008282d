#include "core/program/processstarter.h"

#include <QCoreApplication>
#include <QProcess>

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
