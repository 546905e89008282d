#pragma once

class QPainter;

namespace kdw {

class CMSFlexGrid;

// The printed channel table: two pages, the grid's texts in ten columns, one
// grid row per line, nothing else. Page 1 holds rows 0 to 50 (the header row
// and channels 1 to 50); any other page rows 51 to the last (channels 51 to 99).
inline constexpr int ChannelPageCount = 2;
inline constexpr int FirstRowOfPage2 = 51;

// Paints one page in the painter's device units, from the top left corner of
// the printable area. The font is Arial, 12 points high at the device's
// vertical resolution; line height and column positions follow from its metrics.
void paintChannelPage(QPainter &painter, const CMSFlexGrid &grid, int page);

// The font height in device units for a vertical resolution: 12 points as
// character height, rounded to the nearest unit.
int channelPageFontPixels(int dotsPerInchY);

} // namespace kdw
