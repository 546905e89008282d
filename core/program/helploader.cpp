#include "core/program/helploader.h"

#include "core/program/processstarter.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kdw {

HelpLoader::~HelpLoader() = default;

#ifdef Q_OS_WIN

namespace {
using HtmlHelpEntry = HWND(WINAPI *)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr char HelpControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr WORD HtmlHelpOrdinal = 15;
} // namespace

// The library stays loaded until the process ends.
bool HelpLoader::load()
{
    if (!m_library) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, HelpControlKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            char path[MAX_PATH] = {};
            DWORD size = sizeof path - 1;
            const bool read = RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE *>(path), &size)
                              == ERROR_SUCCESS;
            RegCloseKey(key);
            if (read)
                m_library = LoadLibraryA(path);
        }
        if (!m_library)
            m_library = LoadLibraryA("hhctrl.ocx");
        if (!m_library) {
            m_failed = true;
            return false;
        }
    }
    if (!m_entry) {
        m_entry = reinterpret_cast<void *>(
            GetProcAddress(static_cast<HMODULE>(m_library), MAKEINTRESOURCEA(HtmlHelpOrdinal)));
        if (!m_entry) {
            m_failed = true;
            return false;
        }
        m_viewer = QStringLiteral("hhctrl.ocx");
    }
    return true;
}

quintptr HelpLoader::HtmlHelp(quintptr caller, const QString &file, unsigned command, quintptr data)
{
    if (m_failed || !load())
        return 0;
    const auto entry = reinterpret_cast<HtmlHelpEntry>(m_entry);
    const QString path = QDir::toNativeSeparators(file);
    return reinterpret_cast<quintptr>(
        entry(reinterpret_cast<HWND>(caller), reinterpret_cast<LPCWSTR>(path.utf16()), command, data));
}

#else

bool HelpLoader::load()
{
    if (!m_viewer.isEmpty())
        return true;
    for (const QString &name : {QStringLiteral("xchm"), QStringLiteral("kchmviewer")}) {
        m_viewer = QStandardPaths::findExecutable(name);
        if (!m_viewer.isEmpty())
            return true;
    }
    m_failed = true;
    return false;
}

quintptr HelpLoader::HtmlHelp(quintptr caller, const QString &file, unsigned command, quintptr data)
{
    Q_UNUSED(caller);
    Q_UNUSED(data);
    if (m_failed || !load())
        return 0;
    // The viewers open a file at its default topic; other commands of the
    // help control have no counterpart in them.
    if (command != HH_DISPLAY_TOPIC)
        return 0;
    return startDetached(m_viewer, {file}) ? 1 : 0;
}

#endif

HelpLoader &helpLoader()
{
    static HelpLoader loader;
    return loader;
}

quintptr showHelp(quintptr caller, const QString &programDirectory, Language language)
{
    // The result is not examined: when the help does not open, the program
    // shows nothing of its own.
    return helpLoader().HtmlHelp(caller, programDirectory + HelpFileName.text(language), HH_DISPLAY_TOPIC, 0);
}

} // namespace kdw
