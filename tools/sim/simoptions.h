#pragma once

#include "tools/sim/radiomodel.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kdw::sim {

struct SimOptions
{
    QString linkPath;
    QString imagePath;
    QString savePath;
    QString logPath;
    int baud = 0; // 0: unpaced
    Faults faults;
};

// "wakeup", "identify" or a block index (0 = the first block of a transfer).
std::optional<Stage> parseStage(const QString &text);

// Parses the command line (without the program name). On bad use returns
// nothing and sets *error.
std::optional<SimOptions> parseSimOptions(const QStringList &arguments, QString *error);

QString simUsage();

} // namespace kdw::sim
