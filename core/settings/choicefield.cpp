#include "core/settings/choicefield.h"

#include <algorithm>
#include <bit>

namespace kdw {

quint8 ChoiceField::value(const MemoryImage &image) const
{
    return quint8((image.byte(offset) & mask) >> std::countr_zero(mask));
}

int ChoiceField::shownIndex(const MemoryImage &image) const
{
    const auto at = std::find(codes.begin(), codes.end(), value(image));
    return at == codes.end() ? fallback : int(at - codes.begin());
}

void ChoiceField::store(MemoryImage &image, int index) const
{
    const quint8 code = codes.at(std::size_t(index));
    image.setBits(offset, mask, quint8(code << std::countr_zero(mask)));
}

QStringList ChoiceField::itemTexts(Language language) const
{
    QStringList texts;
    texts.reserve(qsizetype(items.size()));
    for (const auto &item : items)
        texts.append(item.text(language));
    return texts;
}

int ChoiceField::indexOfText(QStringView text) const
{
    const auto at
        = std::find_if(items.begin(), items.end(), [text](const LocalisedText &item) { return item.matchesAny(text); });
    return at == items.end() ? -1 : int(at - items.begin());
}

} // namespace kdw
