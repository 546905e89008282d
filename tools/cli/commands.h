#pragma once

#include <QList>
#include <QStringList>

namespace kdw {
struct DiffRow;
class MemoryImage;
enum class BackupKind;
}

// The subcommands of kdw-cli, one file each.
namespace kdw::cli {

int cmdNew(const QStringList &args);
int cmdChannels(const QStringList &args);
int cmdApply(const QStringList &args);
int cmdExport(const QStringList &args);
int cmdImport(const QStringList &args);
int cmdSettings(const QStringList &args);
int cmdRead(const QStringList &args);
int cmdWrite(const QStringList &args);
int cmdPorts(const QStringList &args);
int cmdDiff(const QStringList &args);

// Saves a backup of what a read brought and names it on standard error;
// false, with the reason, when it could not be saved.
bool backUpRadio(const MemoryImage &read, BackupKind kind);

// The rows of a diff on standard output, a tab-separated line each.
void printDiffRows(const QList<DiffRow> &rows);

} // namespace kdw::cli
