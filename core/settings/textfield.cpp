#include "core/settings/textfield.h"

#include <algorithm>

namespace kdw {

QString TextField::shown(const MemoryImage &image) const
{
    QString text;
    for (int i = 0; i < length; ++i) {
        const quint8 b = image.byte(offset + i);
        if (encoding == Encoding::DigitValues) {
            if (b > 9)
                break;
            text.append(QChar(u'0' + b));
        } else {
            if (b == 0xFF || b == 0x00)
                break;
            text.append(QChar(char16_t(b)));
        }
    }
    return text;
}

void TextField::store(MemoryImage &image, QStringView text) const
{
    for (int i = 0; i < length; ++i) {
        quint8 b = 0xFF;
        if (i < text.size()) {
            const char16_t c = text.at(i).unicode();
            b = encoding == Encoding::DigitValues ? quint8(c - u'0') : quint8(c);
        }
        image.setByte(offset + i, b);
    }
}

TextField::Edit TextField::filter(QStringView text, int cursor) const
{
    Edit edit{{}, 0};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!allowed.contains(c))
            continue;
        // Only ASCII letters are ever allowed, so toUpper stays in ASCII.
        edit.text.append(c.toUpper());
        if (i < cursor)
            ++edit.cursor;
    }
    int excess = int(edit.text.size()) - length;
    if (excess > 0) {
        const int beforeCursor = std::min(excess, edit.cursor);
        edit.text.remove(edit.cursor - beforeCursor, beforeCursor);
        edit.cursor -= beforeCursor;
        excess -= beforeCursor;
        edit.text.chop(excess);
    }
    return edit;
}

bool TextField::accepts(QStringView text) const
{
    return filter(text, int(text.size())).text.size() == text.size();
}

} // namespace kdw
