#pragma once

#include <QString>
#include <QStringView>

namespace kdw {

class CIniFile;

// The colours of every window: the desktop's own, or the program's light or
// dark palette whatever the desktop uses.
enum class Theme {
    System,
    Light,
    Dark,
};

// "System", "Light" or "Dark" without regard to case; anything else is System.
Theme themeFromText(QStringView text);
// The text Program.ini keeps for a theme.
QString themeText(Theme theme);

// The theme Program.ini keeps; System when none is kept.
Theme readTheme(const CIniFile &file);
// False when Program.ini could not be written; the choice then lasts this run.
[[nodiscard]] bool writeTheme(CIniFile &file, Theme theme);

} // namespace kdw
