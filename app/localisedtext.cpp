#include "app/localisedtext.h"

#include "app/globals.h"

namespace kdw {

QString LocalisedText::text() const
{
    return text(languageIndex());
}

} // namespace kdw
