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

struct SimCommandLine
{
    std::optional<SimOptions> options; // set when the line was understood
    QString error;                     // why not, otherwise
    bool help = false;                 // --help was given
    bool version = false;              // --version was given
};

// Parses the command line (without the program name): --opt VALUE and
// --opt=VALUE alike, --ident as often as there are radios to name.
SimCommandLine parseSimOptions(const QStringList &arguments);

QString simUsage();

} // namespace kdw::sim
