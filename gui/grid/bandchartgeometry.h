#pragma once

#include "core/channels/frequencyrules.h"

#include <QList>
#include <QtGlobal>

namespace kdw {

// A used channel as the band chart places it: frequencies in units of 10 Hz.
struct ChartChannel
{
    int channel = 0; // 1..99
    quint32 rx = 0;
    quint32 tx = 0;
    bool flagged = false; // the plan check found something about it
};

// Sizes the chart's layout depends on, in the device units it is drawn in.
struct ChartMetrics
{
    qreal width = 0;          // of the axis
    qreal labelWidth = 0;     // of the widest channel number, with a gap
    qreal tickLabelWidth = 0; // of the widest MHz label, with a gap
    int maxRows = 1;          // label rows the height has room for
};

struct ChartTick
{
    quint32 value = 0; // a whole number of MHz, in units of 10 Hz
    qreal x = 0;
};

struct ChartMark
{
    int channel = 0;
    qreal rxX = 0;
    qreal txX = 0;       // rxX when Tx is Rx
    bool hasTx = false;  // Tx differs from Rx: a second mark joined to the first
    qreal labelLeft = 0; // the label's left edge, kept inside the axis; its stem ends under the label's centre
    int row = 0;         // label row, 0 nearest the axis
    bool flagged = false;
};

struct ChartGeometry
{
    QList<ChartTick> ticks;
    QList<ChartMark> marks; // in the order of the channels given
    int rows = 0;           // label rows used
};

// Where a frequency falls on an axis of `width` spanning `range`; a frequency
// outside the range sits at the nearer end.
[[nodiscard]] qreal frequencyX(quint32 value, const FrequencyRange &range, qreal width);

// The chart's layout, shared by the window and the printed page: MHz ticks
// at the finest step of 1, 2 or 5 times a power of ten whose labels do not
// touch; each channel's label centred over its Rx mark (moved inside the
// axis at its ends) in the lowest row where it overlaps no other label, or,
// when all `maxRows` are taken there, in the row and at the place nearest
// its mark where it does; when the axis has no room left in those rows, in
// a row above them. Numbers never cover one another.
[[nodiscard]] ChartGeometry layoutBandChart(const QList<ChartChannel> &channels, const FrequencyRange &range,
                                            const ChartMetrics &metrics);

} // namespace kdw
