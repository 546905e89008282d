#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>

namespace kdw {

class CIniFile;

// Process-wide values. The language index is set once at start-up and never
// changes while the program runs; a language change restarts the program.
quint8 languageIndex();
void setLanguageIndex(quint8 index);

// The serial port name as the Port menu and Program.ini hold it ("COM1".."COM8").
QString portName();
void setPortName(const QString &name);

// The directory of the running executable, with a trailing separator.
QString programDirectory();
void setProgramDirectory(const QString &directory);

// Program.ini in the program directory once start-up has pointed it there.
CIniFile &configFile();

// Set while a session with the radio runs (Read, Write, Verify, Compare
// with Radio); keeps a second one from starting.
std::atomic<bool> &busyFlag();

// Holds the busy flag for as long as it lives. Taking it fails, and the
// guard holds nothing, when another session already holds the flag; on
// every way out of the scope that took it, the flag is given back.
class [[nodiscard]] BusyGuard
{
public:
    BusyGuard()
        : m_held(!busyFlag().exchange(true))
    {
    }
    ~BusyGuard()
    {
        if (m_held)
            busyFlag().store(false);
    }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

    explicit operator bool() const { return m_held; }

private:
    const bool m_held;
};

inline constexpr QStringView ApplicationTitle = u"KDW PC Encoder";

} // namespace kdw
