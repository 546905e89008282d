#pragma once

#include "core/program/theme.h"

#include <QPalette>

namespace kdw {

// The program's own palettes, drawn with the Fusion style, which paints every
// control from the palette alone. Each colour group holds text readable on
// its backgrounds, disabled text included.
QPalette lightPalette();
QPalette darkPalette();

// Gives every window, open or still to come, the theme's style and palette at
// once. System brings back the style and palette the desktop gave at start.
void applyTheme(Theme theme);

} // namespace kdw
