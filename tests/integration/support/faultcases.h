#pragma once

#include "link/radiotransfer.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kdw::test {

// One way the simulated radio can misbehave, at one stage of one direction.
struct FaultCase
{
    QString name;        // "nak at block 250"
    QStringList simArgs; // the options of kdw-radio-sim
    bool transferFails;  // the faulted transfer ends with "Communication error"
    bool radioStaysOff;  // the next transfer fails too (the radio never answers)
};

// Every fault the simulator offers at every stage: the wake-up, the
// identification, the first block, a middle block of each range and the last
// block of the direction.
QList<FaultCase> faultCases(TransferDirection direction);

} // namespace kdw::test
