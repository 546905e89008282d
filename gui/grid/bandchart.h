#pragma once

#include "core/channels/plancheck.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"
#include "gui/grid/bandchartgeometry.h"

#include <QColor>
#include <QWidget>

class QPainter;

namespace kdw {

// The colours of a chart: its lines and texts, the marks of channels the
// plan check found something about, and the ground under the numbers.
struct ChartInk
{
    QColor ink;
    QColor flagged;
    QColor paper;
};

// The used channels of `image` in channel order, those named by a finding
// flagged.
[[nodiscard]] QList<ChartChannel> chartChannels(const MemoryImage &image, const QList<PlanFinding> &findings);

// Draws the band chart into `area` with the painter's font: the axis with its
// MHz ticks along the bottom, each channel a stem at its Rx frequency under
// its number, and a Tx frequency that differs as a ring on the axis joined to
// the stem. Flagged channels are drawn in their colour with heavier lines.
void paintBandChart(QPainter &painter, const QRectF &area, const QList<ChartChannel> &channels,
                    const FrequencyRange &range, const ChartInk &ink);

// The printed page of the chart, black on white: a heading naming the range,
// the chart across the page's width in the upper half.
void paintBandChartPage(QPainter &painter, const QList<ChartChannel> &channels, const FrequencyRange &range,
                        Language language);

// The chart in a window, drawn with the palette.
class CBandChart : public QWidget
{
    Q_OBJECT

public:
    explicit CBandChart(Language language, QWidget *parent = nullptr);

    void setChannels(const QList<ChartChannel> &channels, const FrequencyRange &range);
    const QList<ChartChannel> &channels() const { return m_channels; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Language m_language;
    QList<ChartChannel> m_channels;
    FrequencyRange m_range;
};

} // namespace kdw
