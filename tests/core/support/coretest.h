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

// After a row operation: channel n holds, whole (record and name slot), what
// channel layout[n - 1] of `source` held, 0 standing for a blank channel; the
// channels past the layout and every byte outside the channels are unchanged.
void checkChannelLayout(const MemoryImage &image, const MemoryImage &source, const QList<int> &layout);

} // namespace kdw::test
