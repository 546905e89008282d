#pragma once

#include "tools/cli/prologue.h"

#include <QList>
#include <QStringList>

namespace kdw {
struct DiffRow;
class MemoryImage;
enum class BackupKind;
} // namespace kdw

// The subcommands of kdw-cli, one file each.
namespace kdw::cli {

int cmdNew(const CliContext &context, const QStringList &args);
int cmdChannels(const CliContext &context, const QStringList &args);
int cmdApply(const CliContext &context, const QStringList &args);
int cmdExport(const CliContext &context, const QStringList &args);
int cmdImport(const CliContext &context, const QStringList &args);
int cmdSettings(const CliContext &context, const QStringList &args);
int cmdRead(const CliContext &context, const QStringList &args);
int cmdWrite(const CliContext &context, const QStringList &args);
int cmdPorts(const CliContext &context, const QStringList &args);
int cmdDoctor(const CliContext &context, const QStringList &args);
int cmdDiff(const CliContext &context, const QStringList &args);
int cmdBatch(const CliContext &context, const QStringList &args);
int cmdCheck(const CliContext &context, const QStringList &args);

// Saves a backup of what a read brought, with the identification of the
// radio, and names it on standard error; false, with the reason, when it
// could not be saved.
bool backUpRadio(const CliContext &context, const MemoryImage &read, BackupKind kind, const QByteArray &identification);

// The rows of a diff on standard output, a tab-separated line each.
void printDiffRows(const QList<DiffRow> &rows);

} // namespace kdw::cli
