#include "core/program/startup.h"

#include "core/program/globals.h"
#include "core/program/userfiles.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QResource>
#include <QTranslator>

namespace kdw {

QString bundleFileName(const QString &languageText)
{
    return languageText + QStringLiteral(".dll");
}

QString programDirectoryOf(const QString &executablePath)
{
    const auto slash = executablePath.lastIndexOf(u'/');
    return slash < 0 ? QString() : executablePath.left(slash + 1);
}

bool LanguageBundle::load(const QString &directory, const QString &languageText)
{
    // The bundle is looked up in the program directory only: a Language value
    // with a path separator in it (such as "../x") would reach elsewhere.
    if (isLoaded() || languageText.contains(u'/') || languageText.contains(u'\\'))
        return false;
    const QString path = directory + bundleFileName(languageText);
    if (!QFileInfo(path).isFile() || !QResource::registerResource(path))
        return false;
    m_path = path;
    // kdw.qm holds the bundle's menu, string and template texts; qtbase.qm
    // the texts of Qt's own standard buttons and file dialogs.
    for (const auto *name : {":/bundle/i18n/qtbase.qm", ":/bundle/i18n/kdw.qm"}) {
        auto *translator = new QTranslator;
        if (translator->load(QString::fromLatin1(name)) && QCoreApplication::installTranslator(translator))
            m_translators.append(translator);
        else
            delete translator;
    }
    return true;
}

LanguageBundle::~LanguageBundle()
{
    for (auto *translator : std::as_const(m_translators)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    if (isLoaded())
        QResource::unregisterResource(m_path);
}

StartupConfiguration readStartupConfiguration()
{
    const QString section = programini::Section.toString();
    configFile().setPath(prepareConfigFile(programDirectory(), programini::FileName.toString()));
    const QString text = configFile().ReadString(section, programini::Language.toString());
    const Language language = languageOfIniText(text);
    return {text, language, configFile().ReadString(section, programini::Port.toString())};
}

void writeExitConfiguration(const QString &port)
{
    if (!port.isEmpty())
        (void)configFile().WriteString(programini::Section.toString(), programini::Port.toString(), port);
}

} // namespace kdw
