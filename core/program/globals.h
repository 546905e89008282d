#pragma once

#include <QString>
#include <QtGlobal>

namespace kdw {

class CIniFile;

// Set once at start-up: the directory of the running executable, with a
// trailing separator.
QString programDirectory();
void setProgramDirectory(const QString &directory);

// Program.ini in the program directory once start-up has pointed it there.
CIniFile &configFile();

// The busy flag: set while a session with the radio runs (Read, Write,
// Verify, Compare with Radio), so that a second one cannot start. Only a
// guard sets it, and the guard gives it back on every way out of its scope.
class [[nodiscard]] BusyGuard
{
public:
    // Takes the flag; the guard holds nothing when a session already has it.
    BusyGuard();
    ~BusyGuard();
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

    explicit operator bool() const { return m_held; }

    // True while any guard holds the flag.
    static bool held();

private:
    const bool m_held;
};

inline constexpr QStringView ApplicationTitle = u"KDW PC Encoder";

} // namespace kdw
