#include "gui/grid/bandchartgeometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

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

// True when a label of width `w` at `left` touches none of `row`'s labels.
bool freeAt(const QList<qreal> &row, qreal left, qreal w)
{
    return std::none_of(row.begin(), row.end(), [&](qreal other) { return left < other + w && other < left + w; });
}

// True when `a` is nearer `wanted` than `b`, or as near and to its right.
bool nearer(qreal a, qreal b, qreal wanted)
{
    const qreal da = std::abs(a - wanted);
    const qreal db = std::abs(b - wanted);
    return da < db || (da == db && a > b);
}

// The free left edge nearest `wanted` in `row` between 0 and `furthest`, if
// the axis has one: beside one of the row's labels, if not at `wanted`.
std::optional<qreal> nearestFree(const QList<qreal> &row, qreal wanted, qreal w, qreal furthest)
{
    std::optional<qreal> best;
    const auto consider = [&](qreal left) {
        if (left >= 0 && left <= furthest && freeAt(row, left, w) && (!best || nearer(left, *best, wanted)))
            best = left;
    };
    consider(wanted);
    for (qreal other : row) {
        consider(other + w);
        consider(other - w);
    }
    return best;
}

// Gives each mark its label's row and left edge; returns the rows used.
int placeLabels(QList<ChartMark> &marks, qreal w, qreal furthest, int maxRows)
{
    // Labels are placed from the left, each in the lowest row where it fits
    // over its mark, else where it moves least (to the right when both ways
    // are as far, so the numbers keep the order of their frequencies); a
    // label with no room in any row opens another.
    QList<qsizetype> order(marks.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return marks.at(a).labelLeft < marks.at(b).labelLeft; });
    QList<QList<qreal>> rows; // each row's labels, by left edge
    maxRows = std::max(1, maxRows);
    for (qsizetype i : order) {
        ChartMark &mark = marks[i];
        const qreal wanted = mark.labelLeft;
        int chosen = -1;
        qreal left = wanted;
        for (int r = 0; r < int(rows.size()) && chosen < 0; ++r) {
            if (freeAt(rows.at(r), wanted, w))
                chosen = r;
        }
        if (chosen < 0 && rows.size() < maxRows) {
            chosen = int(rows.size());
            rows.append(QList<qreal>());
        }
        if (chosen < 0) {
            // Every row is taken over the mark: the label moves aside, its
            // stem slanting to it, rather than over another number.
            std::optional<qreal> best;
            for (int r = 0; r < int(rows.size()); ++r) {
                const std::optional<qreal> at = nearestFree(rows.at(r), wanted, w, furthest);
                if (at && (!best || nearer(*at, *best, wanted))) {
                    best = at;
                    chosen = r;
                }
            }
            if (best)
                left = *best;
        }
        if (chosen < 0) {
            chosen = int(rows.size());
            rows.append(QList<qreal>());
        }
        mark.labelLeft = left;
        mark.row = chosen;
        rows[chosen].append(left);
    }
    return int(rows.size());
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

    geometry.rows = placeLabels(geometry.marks, metrics.labelWidth, furthest, metrics.maxRows);
    return geometry;
}

} // namespace kdw
