#pragma once

#include "core/image/memoryimage.h"
#include "core/text/localisedtext.h"

#include <QStringList>

#include <vector>

namespace kdw {

// A setting chosen from a drop-down list and kept in a bit field of one image
// byte (a whole byte when the mask is 0xFF). Each item stores its own code;
// an image value that no item stores shows the fall-back item, so closing a
// dialog writes the fall-back's code over it.
struct ChoiceField
{
    int offset;
    quint8 mask;                      // the field's bits within the byte
    std::vector<LocalisedText> items; // in list order; the position is the index
    std::vector<quint8> codes;        // the value each item stores, in the field's own bits
    int fallback;                     // item shown for a value no item stores

    // The field's value, shifted down to bit 0.
    quint8 value(const MemoryImage &image) const;
    // The item the dialog selects for the image's value.
    int shownIndex(const MemoryImage &image) const;
    // Writes item `index`'s code into the field; the byte's other bits stay.
    void store(MemoryImage &image, int index) const;

    QStringList itemTexts(Language language) const;
    // The item whose text in any language is `text`; -1 when none is.
    int indexOfText(QStringView text) const;
};

} // namespace kdw
