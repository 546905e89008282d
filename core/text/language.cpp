#include "core/text/language.h"

namespace kdw {

namespace {

struct LanguageNames
{
    Language language;
    QStringView code;
    QStringView iniText;
};

constexpr std::array<LanguageNames, 3> Names{{
    {Language::Eng, u"eng", u"Eng"},
    {Language::Chs, u"chs", u"Chs"},
    {Language::Cht, u"cht", u"Cht"},
}};

const LanguageNames &namesOf(Language language)
{
    for (const auto &names : Names) {
        if (names.language == language)
            return names;
    }
    return Names.front();
}

} // namespace

QString languageCode(Language language)
{
    return namesOf(language).code.toString();
}

std::optional<Language> languageOfCode(QStringView code)
{
    for (const auto &names : Names) {
        if (code == names.code)
            return names.language;
    }
    return std::nullopt;
}

QString languageIniText(Language language)
{
    return namesOf(language).iniText.toString();
}

Language languageOfIniText(QStringView text)
{
    for (const auto &names : Names) {
        if (text.compare(names.iniText, Qt::CaseInsensitive) == 0)
            return names.language;
    }
    return Language::Eng;
}

} // namespace kdw
