#include "core/program/userfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kdw {

namespace {

QString withSlash(QString directory)
{
    if (!directory.endsWith(u'/'))
        directory += u'/';
    return directory;
}

// $XDG_..._HOME/kdw-pc-encoder/ (or the default under the home folder); on
// Windows %APPDATA%\kdw-pc-encoder\, where a user's program files roam with
// the profile.
QString perUserDirectory(QStandardPaths::StandardLocation location)
{
#ifdef Q_OS_WIN
    const QString appData = qEnvironmentVariable("APPDATA");
    if (!appData.isEmpty())
        return withSlash(QDir::fromNativeSeparators(appData)) + QStringLiteral("kdw-pc-encoder/");
#endif
    return withSlash(QStandardPaths::writableLocation(location)) + QStringLiteral("kdw-pc-encoder/");
}

} // namespace

bool isWritableDirectory(const QString &directory)
{
    const QFileInfo info(directory);
    return info.isDir() && info.isWritable();
}

bool usesPerUserFiles(const QString &programDirectory)
{
    return !isWritableDirectory(programDirectory)
           || QFileInfo::exists(programDirectory + InstalledMarkerFile.toString());
}

QString userConfigDirectory(const QString &programDirectory)
{
    return usesPerUserFiles(programDirectory) ? perUserDirectory(QStandardPaths::GenericConfigLocation)
                                              : programDirectory;
}

QString userDataDirectory(const QString &programDirectory)
{
    return usesPerUserFiles(programDirectory) ? perUserDirectory(QStandardPaths::GenericDataLocation)
                                              : programDirectory;
}

QString lookUpUserFile(const QString &programDirectory, const QString &name)
{
    const QString own = userConfigDirectory(programDirectory) + name;
    const QFileInfo info(own);
    // A dangling ports/COMn link still counts: it names the user's choice.
    return info.exists() || info.isSymLink() ? own : programDirectory + name;
}

QString prepareConfigFile(const QString &programDirectory, const QString &name)
{
    const QString directory = userConfigDirectory(programDirectory);
    const QString path = directory + name;
    if (directory == programDirectory || QFileInfo::exists(path))
        return path;
    const QString templatePath = programDirectory + name;
    if (!QDir().mkpath(directory))
        return templatePath;
    if (!QFileInfo::exists(templatePath))
        return path; // the first write creates it
    // Copy to a temporary name and rename, so a copy cut short is never taken
    // for the user's file.
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(templatePath, partial))
        return templatePath;
    // The template is read-only when installed; the user's copy must not be.
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        // Another instance may have made it first.
        return QFileInfo::exists(path) ? path : templatePath;
    }
    return path;
}

} // namespace kdw
