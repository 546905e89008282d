#include "core/program/languagechange.h"

#include "core/program/processstarter.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"

namespace kdw {

bool storeLanguageChoice(CIniFile &file, Language language, const QString &port)
{
    const QString section = programini::Section.toString();
    if (!port.isEmpty())
        (void)file.WriteString(section, programini::Port.toString(), port);
    return file.WriteString(section, programini::Language.toString(), languageIniText(language));
}

QString restartProgramPath(const QString &programDirectory)
{
#ifdef Q_OS_WIN
    return programDirectory + QStringLiteral("Program.exe");
#else
    return programDirectory + QStringLiteral("Program");
#endif
}

LanguageChange changeLanguage(CIniFile &file, Language language, const QString &port, const QString &programDirectory)
{
    if (!storeLanguageChoice(file, language, port))
        return LanguageChange::NotStored;
    // No arguments and no working directory of its own: the new instance
    // finds Program.ini next to its executable and starts with a new document.
    if (!startDetached(restartProgramPath(programDirectory)))
        return LanguageChange::NotStarted;
    return LanguageChange::Restarting;
}

} // namespace kdw
