#include "gui/grid/bandchart.h"

#include "core/channels/channelcodec.h"
#include "core/image/regions.h"
#include "core/text/localisedtext.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

namespace kdw {

namespace {

constexpr LocalisedText ChartName{u"Band chart", u"频段图", u"頻段圖"};
constexpr LocalisedText ChartLegend{
    u"Each channel's number stands over its Rx frequency; a ring on the axis is its Tx frequency when that differs.",
    u"每个信道号位于其接收频率上方；发射频率不同时，轴上的圆圈为其发射频率。",
    u"每個信道號位於其接收頻率上方；發射頻率不同時，軸上的圓圈為其發射頻率。"};
constexpr LocalisedText ChartSummary{u"%1 channels from %2 to %3 MHz; with findings: %4",
                                     u"%1 个信道，%2 至 %3 MHz；有检查结果的：%4",
                                     u"%1 個信道，%2 至 %3 MHz；有檢查結果的：%4"};
constexpr LocalisedText NoneFlagged{u"none", u"无", u"無"};

const QString Unit = QStringLiteral("MHz");

QString mhz(quint32 value)
{
    return QString::number(double(value) / 100000, 'f', value % 100000 == 0 ? 0 : 2);
}

// The chart's fixed sizes in the painter's units, from its font.
struct ChartFrame
{
    qreal left = 0;    // of the axis
    qreal axisY = 0;   // the axis line
    qreal rowTop0 = 0; // top of label row 0
    qreal rowHeight = 0;
    qreal dot = 0; // radius of a mark on the axis
    ChartMetrics metrics;
};

ChartFrame frameOf(const QFontMetricsF &fm, const QRectF &area)
{
    ChartFrame f;
    f.rowHeight = fm.height();
    f.dot = std::max<qreal>(1.5, fm.height() / 6);
    const qreal tickLength = fm.height() / 3;
    f.axisY = area.bottom() - fm.height() - tickLength;
    // A stem of at least one line under the lowest label, room for the joins.
    f.rowTop0 = f.axisY - fm.height() - f.rowHeight;
    f.metrics.tickLabelWidth = fm.horizontalAdvance(QStringLiteral("0000")) + fm.averageCharWidth();
    f.metrics.labelWidth = fm.horizontalAdvance(QStringLiteral("99")) + fm.averageCharWidth();
    // Half a tick label beyond each end of the axis; on the right also the unit.
    f.left = area.left() + f.metrics.tickLabelWidth / 2;
    const qreal right = f.metrics.tickLabelWidth / 2 + fm.horizontalAdvance(Unit) + fm.averageCharWidth();
    f.metrics.width = std::max<qreal>(1, area.width() - f.metrics.tickLabelWidth / 2 - right);
    f.metrics.maxRows = std::max(1, int((f.rowTop0 + f.rowHeight - area.top()) / f.rowHeight));
    return f;
}

void paintAxis(QPainter &painter, const ChartFrame &f, const ChartGeometry &geometry, const QFontMetricsF &fm)
{
    painter.drawLine(QPointF(f.left, f.axisY), QPointF(f.left + f.metrics.width, f.axisY));
    const qreal tickLength = fm.height() / 3;
    for (const ChartTick &tick : geometry.ticks) {
        const qreal x = f.left + tick.x;
        painter.drawLine(QPointF(x, f.axisY), QPointF(x, f.axisY + tickLength));
        const QString text = mhz(tick.value);
        const qreal w = fm.horizontalAdvance(text);
        painter.drawText(QPointF(x - w / 2, f.axisY + tickLength + fm.ascent()), text);
    }
    painter.drawText(QPointF(f.left + f.metrics.width + f.metrics.tickLabelWidth / 2 + fm.averageCharWidth(),
                             f.axisY + tickLength + fm.ascent()),
                     Unit);
}

qreal rowTopOf(const ChartFrame &f, const ChartMark &mark)
{
    return f.rowTop0 - mark.row * f.rowHeight;
}

// The stem, the Rx dot and the Tx ring with its join.
void paintMarkLines(QPainter &painter, const ChartFrame &f, const ChartMark &mark)
{
    const qreal rowTop = rowTopOf(f, mark);
    const QPointF rx(f.left + mark.rxX, f.axisY);
    // Under the label's centre: straight up, or slanting to a label moved aside.
    const QPointF stemTop(f.left + mark.labelLeft + f.metrics.labelWidth / 2, rowTop + f.rowHeight);
    painter.drawLine(rx, stemTop);
    painter.setBrush(painter.pen().color());
    painter.drawEllipse(rx, f.dot, f.dot);
    if (mark.hasTx) {
        const QPointF tx(f.left + mark.txX, f.axisY);
        painter.drawLine(tx, stemTop);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(tx, f.dot * 1.6, f.dot * 1.6);
    }
}

// The number on paper of its own: no stem or join of another channel runs
// over it.
void paintMarkLabel(QPainter &painter, const ChartFrame &f, const ChartMark &mark, const QFontMetricsF &fm,
                    const QColor &paper)
{
    const qreal rowTop = rowTopOf(f, mark);
    const QString number = QString::number(mark.channel);
    const qreal textWidth = fm.horizontalAdvance(number);
    const qreal left = f.left + mark.labelLeft + (f.metrics.labelWidth - textWidth) / 2;
    painter.fillRect(QRectF(left - 1, rowTop, textWidth + 2, f.rowHeight), paper);
    painter.drawText(QPointF(left, rowTop + fm.ascent()), number);
}

} // namespace

QList<ChartChannel> chartChannels(const MemoryImage &image, const QList<PlanFinding> &findings)
{
    QList<ChartChannel> channels;
    for (int channel = 1; channel <= region::ChannelCount; ++channel) {
        if (isEmptyChannel(image, channel))
            continue;
        const int at = region::channelRecord(channel);
        const bool flagged = std::any_of(findings.begin(), findings.end(),
                                         [channel](const PlanFinding &f) { return f.channels.contains(channel); });
        channels.append({channel, readFrequency(image, at + record::RxFrequency),
                         readFrequency(image, at + record::TxFrequency), flagged});
    }
    return channels;
}

void paintBandChart(QPainter &painter, const QRectF &area, const QList<ChartChannel> &channels,
                    const FrequencyRange &range, const ChartInk &ink)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(painter.font(), painter.device());
    const ChartFrame f = frameOf(fm, area);
    const ChartGeometry geometry = layoutBandChart(channels, range, f.metrics);
    const qreal line = std::max<qreal>(1, fm.height() / 14);
    painter.setPen(QPen(ink.ink, line));
    paintAxis(painter, f, geometry, fm);
    QFont bold = painter.font();
    bold.setBold(true);
    const QFont normal = painter.font();
    // Lines before numbers, so that none crosses a number; flagged marks
    // after the others, so they stand over them.
    for (const bool labels : {false, true}) {
        for (const bool flagged : {false, true}) {
            painter.setPen(QPen(flagged ? ink.flagged : ink.ink, flagged ? 2 * line : line));
            painter.setFont(flagged ? bold : normal);
            const QFontMetricsF markFm(painter.font(), painter.device());
            for (const ChartMark &mark : geometry.marks) {
                if (mark.flagged != flagged)
                    continue;
                if (labels)
                    paintMarkLabel(painter, f, mark, markFm, ink.paper);
                else
                    paintMarkLines(painter, f, mark);
            }
        }
    }
    painter.restore();
}

void paintBandChartPage(QPainter &painter, const QList<ChartChannel> &channels, const FrequencyRange &range,
                        Language language)
{
    painter.save();
    const QRect page = painter.viewport();
    QFont font(QStringLiteral("Arial"));
    // 10 points at the device's resolution.
    font.setPixelSize(std::max(1, qRound(10.0 * painter.device()->logicalDpiY() / 72)));
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    const qreal margin = 2 * fm.height();
    QFont heading = font;
    heading.setPixelSize(font.pixelSize() * 3 / 2);
    painter.setPen(Qt::black);
    painter.setFont(heading);
    const qreal headingHeight = QFontMetricsF(heading, painter.device()).height();
    painter.drawText(QPointF(margin, margin + QFontMetricsF(heading, painter.device()).ascent()),
                     QStringLiteral("%1  %2–%3 MHz").arg(ChartName.text(language), mhz(range.lower), mhz(range.upper)));
    painter.setFont(font);
    const QRectF legend(margin, margin + headingHeight, page.width() - 2 * margin, 3 * fm.height());
    painter.drawText(legend, Qt::TextWordWrap, ChartLegend.text(language));
    // As tall as the rows of labels need, at most half the page.
    QRectF area(margin, legend.bottom() + fm.height(), page.width() - 2 * margin, page.height() / 2.0);
    const ChartFrame full = frameOf(fm, area);
    const int rows = layoutBandChart(channels, range, full.metrics).rows;
    area.setTop(full.rowTop0 - (rows - 1) * full.rowHeight - fm.height());
    area.moveTop(legend.bottom() + fm.height());
    paintBandChart(painter, area, channels, range, {Qt::black, Qt::black, Qt::white});
    painter.restore();
}

CBandChart::CBandChart(Language language, QWidget *parent)
    : QWidget(parent)
    , m_language(language)
{
    setObjectName(QStringLiteral("bandChart"));
    setAccessibleName(ChartName.text(language));
    setToolTip(ChartLegend.text(language));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void CBandChart::setChannels(const QList<ChartChannel> &channels, const FrequencyRange &range)
{
    m_channels = channels;
    m_range = range;
    // What the picture shows, for a screen reader.
    QStringList flagged;
    for (const ChartChannel &c : channels) {
        if (c.flagged)
            flagged.append(QString::number(c.channel));
    }
    setAccessibleDescription(
        ChartSummary.text(m_language)
            .arg(QString::number(channels.size()), mhz(range.lower), mhz(range.upper),
                 flagged.isEmpty() ? NoneFlagged.text(m_language) : flagged.join(QStringLiteral(", "))));
    update();
}

QSize CBandChart::sizeHint() const
{
    return {480, 8 * fontMetrics().height()};
}

QSize CBandChart::minimumSizeHint() const
{
    return {160, 5 * fontMetrics().height()};
}

void CBandChart::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const qreal pad = fontMetrics().averageCharWidth();
    paintBandChart(
        painter, QRectF(rect()).adjusted(pad, pad / 2, -pad, -pad / 2), m_channels, m_range,
        {palette().color(QPalette::Text), palette().color(QPalette::Highlight), palette().color(QPalette::Base)});
}

} // namespace kdw
