#pragma once

// Helpers of the core tests: grid rows written as text, over the shared ones.
#include "clirun.h"
#include "core/channels/channelcodec.h"
#include "seededrandom.h"
#include "testbytes.h"
#include "testfiles.h"

#include <QString>
#include <QStringList>

namespace kdw::test {

// A grid row from nine texts separated by '|', and back.
ChannelTexts row(QStringView joined);
QStringList cells(const ChannelTexts &row);

} // namespace kdw::test
