#pragma once

#include <QStringList>

// The subcommands of kdw-cli, one file each.
namespace kdw::cli {

int cmdNew(const QStringList &args);
int cmdChannels(const QStringList &args);
int cmdApply(const QStringList &args);
int cmdSettings(const QStringList &args);
int cmdRead(const QStringList &args);
int cmdWrite(const QStringList &args);
int cmdPorts(const QStringList &args);

} // namespace kdw::cli
