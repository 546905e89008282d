#include "core/program/theme.h"

#include "core/text/inifile.h"
#include "core/text/programini.h"

namespace kdw {

namespace {

constexpr std::pair<Theme, QStringView> ThemeTexts[] = {
    {Theme::System, u"System"},
    {Theme::Light, u"Light"},
    {Theme::Dark, u"Dark"},
};

} // namespace

Theme themeFromText(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    for (const auto &[theme, name] : ThemeTexts) {
        if (trimmed.compare(name, Qt::CaseInsensitive) == 0)
            return theme;
    }
    return Theme::System;
}

QString themeText(Theme theme)
{
    for (const auto &[each, name] : ThemeTexts) {
        if (each == theme)
            return name.toString();
    }
    return ThemeTexts[0].second.toString();
}

Theme readTheme(const CIniFile &file)
{
    return themeFromText(file.ReadString(programini::Section.toString(), programini::Theme.toString()));
}

bool writeTheme(CIniFile &file, Theme theme)
{
    return file.WriteString(programini::Section.toString(), programini::Theme.toString(), themeText(theme));
}

} // namespace kdw
