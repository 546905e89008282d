#pragma once

#include "tools/sim/radiomodel.h"

#include <QByteArray>
#include <QMap>
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
    int baud = 0;                          // 0: unpaced
    int radios = 1;                        // a box of radios, served one after another
    int swapMs = 2500;                     // between two radios of a box nothing answers
    QMap<int, QByteArray> identifications; // by radio, from 1
    Faults faults;
};

// "wakeup", "identify" or a block index (0 = the first block of a transfer).
std::optional<Stage> parseStage(const QString &text);

// Parses the command line (without the program name). On bad use returns
// nothing and sets *error.
std::optional<SimOptions> parseSimOptions(const QStringList &arguments, QString *error);

QString simUsage();

} // namespace kdw::sim
