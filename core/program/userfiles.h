#pragma once

#include <QString>

namespace kdw {

// Where the files a user changes live. A writable program directory (the build
// folder, a copied portable folder) keeps them beside the program. An installed
// program directory keeps Program.ini, Default.sin and ports/ in
// $XDG_CONFIG_HOME/kdw-pc-encoder/ and backups in $XDG_DATA_HOME/kdw-pc-encoder/.
// Every directory returned ends with '/'.

// The file that marks a program directory as installed system-wide: it holds
// per-user files out even when the user (root, say) could write there.
inline constexpr QStringView InstalledMarkerFile = u"installed";

// True when files can be created in the directory.
bool isWritableDirectory(const QString &directory);

// True when the program directory keeps the user's files elsewhere: it cannot
// be written, or it carries the installed marker.
bool usesPerUserFiles(const QString &programDirectory);

// Program.ini, Default.sin and ports/: the program directory, or the per-user
// configuration folder.
QString userConfigDirectory(const QString &programDirectory);

// Backups: the program directory, or the per-user data folder.
QString userDataDirectory(const QString &programDirectory);

// A file the user may provide (Default.sin, ports/COMn): the one in the
// configuration folder when it exists there, otherwise the program directory's.
QString lookUpUserFile(const QString &programDirectory, const QString &name);

// The Program.ini to read and write. For an installed program it is the
// per-user copy, made from the program directory's template the first time;
// when that copy cannot be made, the template itself (read only in effect).
QString prepareConfigFile(const QString &programDirectory, const QString &name);

} // namespace kdw
