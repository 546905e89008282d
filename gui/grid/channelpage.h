#pragma once

#include "core/channels/channeltable.h"
#include "core/text/language.h"

#include <QtGlobal>

class QPainter;

namespace kdw {

// The printed channel table: two pages, the grid's texts in ten columns, one
// grid row per line, nothing else. Page 1 holds rows 0 to 50 (the header row
// and channels 1 to 50); any other page rows 51 to 99 (channels 51 to 99).
inline constexpr int ChannelPageCount = 2;
inline constexpr int FirstRowOfPage2 = 51;

// Paints one page of `table` (the channels as the grid shows them) under the
// header texts of a language, in the painter's device units from the top left
// corner of the printable area. The font is Arial, 12 points high at the
// device's vertical resolution; line height and column positions follow from
// its metrics. A header text wider than its column, less the gap of one
// average character before the next, is drawn in a font shrunk to fit.
void paintChannelPage(QPainter &painter, const ChannelTable &table, Language language, int page);

// The font height in device units for a vertical resolution: 12 points as
// character height, rounded to the nearest unit.
int channelPageFontPixels(int dotsPerInchY);

} // namespace kdw
