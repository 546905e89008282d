#pragma once

#include <QString>
#include <QStringView>

namespace kdw {

// One private profile (INI) file with the semantics of the Windows profile
// functions: section and key names compare without regard to case, values are
// at most 255 characters, and a missing file, section or key reads as "".
// Writing keeps every other line of the file as it was and replaces the file
// atomically, so a failed write never leaves a half-written file.
class CIniFile
{
public:
    static constexpr int MaxValueLength = 255;

    CIniFile();
    virtual ~CIniFile();

    // m_strPath becomes program directory + name.
    void setPath(const QString &path) { m_strPath = path; }
    QString path() const { return m_strPath; }

    QString ReadString(const QString &section, const QString &key) const;
    // Returns false without writing when key or value is empty, or when the
    // file cannot be written.
    [[nodiscard]] bool WriteString(const QString &section, const QString &key, const QString &value);
    // Removes the key from the section (every line of it); true when it is
    // gone or was never there, false when the file cannot be read or written.
    [[nodiscard]] bool RemoveKey(const QString &section, const QString &key);

private:
    QString m_strPath;
};

// A check item's value: "1" is on, "0" off; another value or none gives `fallback`.
[[nodiscard]] bool readFlag(const CIniFile &file, QStringView section, QStringView key, bool fallback);
// False when the file could not be written; the choice then lasts this run.
[[nodiscard]] bool writeFlag(CIniFile &file, QStringView section, QStringView key, bool on);

} // namespace kdw
