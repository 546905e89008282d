#include "app/globals.h"

#include "app/inifile.h"

#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace kdw {

namespace {
quint8 g_languageIndex = 0;
// The transfer worker reads the port name while the GUI thread may not write
// it (the modal transfer dialog blocks the Port commands); the mutex keeps the
// QString copy itself well defined.
QMutex g_portMutex;
QString g_portName = QStringLiteral("COM1");
QString g_programDirectory;
} // namespace

quint8 languageIndex() { return g_languageIndex; }
void setLanguageIndex(quint8 index) { g_languageIndex = index <= 2 ? index : 0; }

QString portName()
{
    QMutexLocker lock(&g_portMutex);
    return g_portName;
}

void setPortName(const QString &name)
{
    QMutexLocker lock(&g_portMutex);
    g_portName = name;
}

QString programDirectory() { return g_programDirectory; }
void setProgramDirectory(const QString &directory) { g_programDirectory = directory; }

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
