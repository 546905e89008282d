#pragma once

#include "core/text/language.h"

#include <QString>
#include <QtGlobal>

namespace kdw {

class CIniFile;

// What the application object hands the windows and commands it builds, in
// place of process-wide values: what start-up read, and the port the Port
// menu chooses. The application owns it for as long as its windows live.
struct AppContext
{
    // The directory of the running executable, with a trailing separator.
    QString programDirectory;
    // Fixed for the run: a language change restarts the program.
    Language language = Language::Eng;
    // Program.ini, where the Program menu's check items are kept.
    CIniFile &config;
    // As the Port menu and Program.ini name it ("COM1".."COM8"); any other
    // name is opened as it stands.
    QString port;
};

} // namespace kdw
