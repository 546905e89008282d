#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <array>

namespace kdw {

// A text the program holds itself, in English, Simplified Chinese and
// Traditional Chinese, chosen by the language index.
struct LocalisedText
{
    QStringView eng;
    QStringView chs;
    QStringView cht;

    QStringView in(quint8 languageIndex) const
    {
        switch (languageIndex) {
        case 1: return chs;
        case 2: return cht;
        default: return eng;
        }
    }
    // The member of the running program's language. For windows only: it is
    // defined beside the application object, which holds the language; core
    // code is given the language index.
    QString text() const;
    QString text(quint8 languageIndex) const { return in(languageIndex).toString(); }

    // True when `value` equals the member of any language.
    bool matchesAny(QStringView value) const { return value == eng || value == chs || value == cht; }
};

// A list filled by code: one item per position, each item in three languages.
// An item's position, not its text, carries its meaning.
template <std::size_t N>
using LocalisedList = std::array<LocalisedText, N>;

template <std::size_t N>
QStringList itemsIn(const LocalisedList<N> &list, quint8 languageIndex)
{
    QStringList items;
    items.reserve(qsizetype(N));
    for (const auto &item : list)
        items.append(item.text(languageIndex));
    return items;
}

} // namespace kdw
