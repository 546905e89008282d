#pragma once

#include "core/text/language.h"

class QPrintPreviewDialog;

namespace kdw {

// Names the controls of the toolkit's print preview that carry no name of
// their own, in `language`: the zoom list and its editor, the page
// number, the page view (by the dialog's caption) and its pages.
void namePreviewControls(QPrintPreviewDialog *dialog, Language language);

} // namespace kdw
