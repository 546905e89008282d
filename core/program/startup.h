#pragma once

#include "core/text/language.h"
#include "core/text/localisedtext.h"

#include <QList>
#include <QString>

class QTranslator;

namespace kdw {

// The bundle's file name: Program.ini's Language text exactly as read,
// followed by ".dll".
QString bundleFileName(const QString &languageText);

// The directory part of the executable's path, with a trailing separator.
QString programDirectoryOf(const QString &executablePath);

inline constexpr LocalisedText BundleLoadFailed{u"Load language DLL fail", u"加载语言链接库失败",
                                                u"加載語言庫?接庫失敗"};

// The language bundle <Language>.dll of the program directory, registered as the
// source of every resource (templates, art, the menu and string texts) with
// its translations installed, for as long as the object lives.
class LanguageBundle
{
public:
    LanguageBundle() = default;
    ~LanguageBundle();
    LanguageBundle(const LanguageBundle &) = delete;
    LanguageBundle &operator=(const LanguageBundle &) = delete;

    // False when the file is missing or is not a bundle.
    [[nodiscard]] bool load(const QString &directory, const QString &languageText);
    bool isLoaded() const { return !m_path.isEmpty(); }

private:
    QString m_path;
    QList<QTranslator *> m_translators;
};

struct StartupConfiguration
{
    QString languageText; // as read
    Language language = Language::Eng;
    QString port;
};

// Reads Language and COM from Program.ini (the program directory's, or the
// user's copy for an installed program).
StartupConfiguration readStartupConfiguration();

// The exit step: writes the port name back to COM (nothing when it is empty).
void writeExitConfiguration(const QString &port);

} // namespace kdw
