#include "core/program/globals.h"

#include "core/text/inifile.h"

#include <atomic>

namespace kdw {

namespace {
QString g_programDirectory;
} // namespace

QString programDirectory()
{
    return g_programDirectory;
}
void setProgramDirectory(const QString &directory)
{
    g_programDirectory = directory;
}

CIniFile &configFile()
{
    static CIniFile file;
    return file;
}

namespace {
std::atomic<bool> g_busy{false};
} // namespace

BusyGuard::BusyGuard()
    : m_held(!g_busy.exchange(true))
{
}

BusyGuard::~BusyGuard()
{
    if (m_held)
        g_busy.store(false);
}

bool BusyGuard::held()
{
    return g_busy.load();
}

} // namespace kdw
