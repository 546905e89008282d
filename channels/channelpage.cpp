#include "channels/channelpage.h"

#include "channels/msflexgrid.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace kdw {

namespace {

// Left edge of each printed column, in average character widths.
constexpr int ColumnX[] = {2, 8, 20, 32, 42, 52, 62, 72, 82, 94};
constexpr int PrintedColumns = 10;

} // namespace

int channelPageFontPixels(int dotsPerInchY)
{
    return int((12LL * dotsPerInchY + 36) / 72);
}

void paintChannelPage(QPainter &painter, const CMSFlexGrid &grid, int page)
{
    painter.save();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(1, channelPageFontPixels(painter.device()->logicalDpiY())));
    font.setWeight(QFont::Normal);
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const int lineHeight = metrics.height() + metrics.leading();
    const int charWidth = metrics.averageCharWidth();

    const int first = page == 1 ? 0 : FirstRowOfPage2;
    const int last = page == 1 ? FirstRowOfPage2 - 1 : int(grid.GetRows()) - 1;
    int line = 1;
    for (int row = first; row <= last; ++row, ++line) {
        // Two empty lines above the first; y is the top of the text.
        const int top = (line + 1) * lineHeight;
        for (int col = 0; col < PrintedColumns; ++col) {
            const QString text = grid.GetTextMatrix(row, col);
            if (!text.isEmpty())
                painter.drawText(QPoint(ColumnX[col] * charWidth, top + metrics.ascent()), text);
        }
    }
    painter.restore();
}

} // namespace kdw
