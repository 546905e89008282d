#pragma once

#include "core/image/memoryimage.h"

#include <QString>
#include <QStringView>

namespace kdw {

// A text of up to `length` characters kept one character per byte; the bytes
// after the text hold 0xFF.
struct TextField
{
    enum class Encoding {
        DigitValues,    // each byte holds a digit's value 0..9
        CharacterCodes, // each byte holds the character's code; 0xFF or 0x00 ends the text
    };

    int offset;
    int length;
    Encoding encoding;
    QStringView allowed; // the characters the field accepts; letters among them become capitals

    // The text the field shows for the image's bytes.
    QString shown(const MemoryImage &image) const;
    // Writes `text` (at most `length` characters are kept) and 0xFF after it.
    void store(MemoryImage &image, QStringView text) const;

    struct Edit
    {
        QString text;
        int cursor;
    };
    // The field's text after an edit, typed or pasted alike: characters the
    // field does not accept are dropped, letters become capitals, and when
    // the text is too long the characters just before the cursor (those just
    // inserted) give way, so a paste is cut to the room that is left.
    Edit filter(QStringView text, int cursor) const;
    // True when the field takes `text` whole: no character dropped or cut
    // (letters may still become capitals).
    bool accepts(QStringView text) const;
};

} // namespace kdw
