#pragma once

#include "core/text/language.h"

#include <QString>
#include <QtGlobal>

namespace kdw {

class CIniFile;

// Writes the port name to COM (nothing when it is empty) and the text of
// `language` ("Eng", "Chs", "Cht") to Language, section Setup. False when
// the language could not be written: a new instance would then start in the
// old language.
[[nodiscard]] bool storeLanguageChoice(CIniFile &file, Language language, const QString &port);

// The executable a language change starts: program directory + "Program"
// (".exe" on Windows).
QString restartProgramPath(const QString &programDirectory);

enum class LanguageChange {
    Restarting, // stored and a new instance started: the caller quits
    NotStored,  // Program.ini could not be written; nothing started
    NotStarted, // stored, but the new instance did not start
};

// Stores the choice and the port in `file` (Program.ini) and starts the
// program of `programDirectory` again.
LanguageChange changeLanguage(CIniFile &file, Language language, const QString &port, const QString &programDirectory);

} // namespace kdw
