#pragma once

#include "core/text/language.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <array>

// Where a text lives. The language bundles (resources/i18n/<code>/*.ts, built
// into Chs.dll and Cht.dll) hold the texts of the resource templates: the menu
// bar, the dialog templates (captions, labels, buttons), the string table
// (status-bar prompts, tool tips) and Qt's own standard buttons. English is the
// source text in the code that builds the window; code reads a translation
// only through the bundle loaded for the running language
// (QCoreApplication::translate with the template's context), so these texts
// are the windows' own, and a core table that names a template's control
// (settingLabel, dialogCaption) gives the bundle's words. Every other text
// the program shows is a LocalisedText in the code, beside the rule that uses
// it: the grid's header and cells, list items that code fills in, messages,
// reports, file formats and the command line's output; it is chosen by a
// language the caller passes. Each text is written once: a second user takes
// the owner's constant, and a text of several tables lives in the lowest
// layer that shows it (sharedtext below).

namespace kdw {

// A text the program holds itself, in English, Simplified Chinese and
// Traditional Chinese.
struct LocalisedText
{
    QStringView eng;
    QStringView chs;
    QStringView cht;

    QStringView in(Language language) const
    {
        switch (language) {
        case Language::Chs: return chs;
        case Language::Cht: return cht;
        case Language::Eng: break;
        }
        return eng;
    }
    QString text(Language language) const { return in(language).toString(); }

    // True when `value` equals the member of any language.
    bool matchesAny(QStringView value) const { return value == eng || value == chs || value == cht; }
};

// A list filled by code: one item per position, each item in three languages.
// An item's position, not its text, carries its meaning.
template <std::size_t N>
using LocalisedList = std::array<LocalisedText, N>;

// Texts that tables of more than one subject show.
namespace sharedtext {
// Tone off, Busy Lock 0, the Option dialog's On/Off lists and PTT ID Display.
inline constexpr LocalisedText Off{u"Off", u"关", u"關"};
} // namespace sharedtext

template <std::size_t N>
QStringList itemsIn(const LocalisedList<N> &list, Language language)
{
    QStringList items;
    items.reserve(qsizetype(N));
    for (const auto &item : list)
        items.append(item.text(language));
    return items;
}

} // namespace kdw
