#include "core/program/recentfiles.h"

#include "core/text/inifile.h"
#include "core/text/programini.h"

#include <QFileInfo>

namespace kdw {

namespace {

QString slotKey(int slot)
{
    return programini::RecentFile.toString() + QString::number(slot);
}

} // namespace

QStringList readRecentFiles(const CIniFile &config)
{
    QStringList files;
    for (int slot = 1; slot <= RecentFileCount; ++slot) {
        const QString path = config.ReadString(programini::RecentSection.toString(), slotKey(slot));
        if (!path.isEmpty() && !files.contains(path))
            files.append(path);
    }
    return files;
}

QStringList withRecentFile(const QStringList &files, const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList result{absolute};
    for (const QString &file : files) {
        if (file != absolute && result.size() < RecentFileCount)
            result.append(file);
    }
    return result;
}

bool writeRecentFiles(CIniFile &config, const QStringList &files)
{
    const QString section = programini::RecentSection.toString();
    bool written = true;
    for (int slot = 1; slot <= RecentFileCount; ++slot) {
        written = (slot <= files.size() ? config.WriteString(section, slotKey(slot), files.at(slot - 1))
                                        : config.RemoveKey(section, slotKey(slot)))
                  && written;
    }
    return written;
}

} // namespace kdw
