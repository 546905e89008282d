#pragma once

#include <QString>
#include <QStringList>

namespace kdw {

class CIniFile;

// File's recent files: the channel files last opened or saved, the newest
// first, kept in Program.ini's [Recent] section as File1..File4.
inline constexpr int RecentFileCount = 4;

// The list as Program.ini holds it: no empty entry, each file once.
[[nodiscard]] QStringList readRecentFiles(const CIniFile &config);
// `files` with `path` (made absolute) first and once, at most RecentFileCount.
[[nodiscard]] QStringList withRecentFile(const QStringList &files, const QString &path);
// Replaces the list in Program.ini; false when the file could not be written
// (the list then lasts this run).
[[nodiscard]] bool writeRecentFiles(CIniFile &config, const QStringList &files);

} // namespace kdw
