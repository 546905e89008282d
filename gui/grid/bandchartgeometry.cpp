#include "gui/grid/bandchartgeometry.h"

#include <algorithm>
#include <numeric>

namespace kdw {

namespace {

constexpr quint64 OneMHz = 100000; // in units of 10 Hz

quint64 spanOf(const FrequencyRange &range)
{
    // A range whose bounds are reversed or equal still gives an axis.
    return range.upper > range.lower ? quint64(range.upper - range.lower) : 1;
}

QList<ChartTick> ticksOf(const FrequencyRange &range, qreal width, qreal labelWidth)
{
    const qreal perUnit = width / qreal(spanOf(range));
    const qreal room = std::max<qreal>(labelWidth, 1);
    quint64 step = OneMHz;
    for (quint64 decade = OneMHz; perUnit * qreal(step) < room && decade < OneMHz * 1000000; decade *= 10) {
        for (quint64 factor : {1, 2, 5}) {
            step = decade * factor;
            if (perUnit * qreal(step) >= room)
                break;
        }
    }
    QList<ChartTick> ticks;
    const quint64 upper = std::max(range.upper, range.lower);
    for (quint64 value = (range.lower + step - 1) / step * step; value <= upper; value += step)
        ticks.append({quint32(value), frequencyX(quint32(value), range, width)});
    return ticks;
}

} // namespace

qreal frequencyX(quint32 value, const FrequencyRange &range, qreal width)
{
    const quint32 clamped = std::clamp(value, range.lower, std::max(range.lower, range.upper));
    return qreal(clamped - range.lower) * width / qreal(spanOf(range));
}

ChartGeometry layoutBandChart(const QList<ChartChannel> &channels, const FrequencyRange &range,
                              const ChartMetrics &metrics)
{
    ChartGeometry geometry;
    geometry.ticks = ticksOf(range, metrics.width, metrics.tickLabelWidth);
    const qreal furthest = std::max<qreal>(0, metrics.width - metrics.labelWidth); // a label's left edge
    for (const ChartChannel &c : channels) {
        ChartMark mark{c.channel,
                       frequencyX(c.rx, range, metrics.width),
                       frequencyX(c.tx, range, metrics.width),
                       c.tx != c.rx,
                       0,
                       0,
                       c.flagged};
        mark.labelLeft = std::clamp(mark.rxX - metrics.labelWidth / 2, qreal(0), furthest);
        geometry.marks.append(mark);
    }

    // Rows are filled from the left: each label goes where it fits first.
    QList<qsizetype> order(geometry.marks.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return geometry.marks.at(a).labelLeft < geometry.marks.at(b).labelLeft;
    });
    QList<qreal> rowEnds; // the right edge of each row's last label
    const int maxRows = std::max(1, metrics.maxRows);
    for (qsizetype i : order) {
        ChartMark &mark = geometry.marks[i];
        auto row = std::find_if(rowEnds.begin(), rowEnds.end(), [&](qreal end) { return end <= mark.labelLeft; });
        if (row == rowEnds.end() && rowEnds.size() < maxRows)
            row = rowEnds.insert(rowEnds.end(), 0);
        else if (row == rowEnds.end()) {
            // Every row is taken here: the label moves right, past the row
            // ending furthest left, rather than over another number; its stem
            // slants to it. Only at the axis' right end can labels still meet.
            row = std::min_element(rowEnds.begin(), rowEnds.end());
            mark.labelLeft = std::min(std::max(mark.labelLeft, *row), furthest);
        }
        mark.row = int(row - rowEnds.begin());
        *row = mark.labelLeft + metrics.labelWidth;
    }
    geometry.rows = int(rowEnds.size());
    return geometry;
}

} // namespace kdw
