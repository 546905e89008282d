#pragma once

#include "core/image/memoryimage.h"

#include <QString>

namespace kdw {

// Writes the built-in defaults over an image (every other byte is left as it
// is; a new document has set them to 0xFF first).
void applyBuiltInDefaults(MemoryImage &image);

// What a new document holds: 0xFF everywhere, then up to 8192 bytes of
// Default.sin (the user's own, else the program directory's), or the built-in
// defaults when that file cannot be opened. The size of Default.sin is not checked.
void makeNewImage(MemoryImage &image, const QString &programDirectory);

inline constexpr QStringView DefaultFileName = u"Default.sin";

} // namespace kdw
