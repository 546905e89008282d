#pragma once

#include "core/text/localisedtext.h"

#include <QList>
#include <QString>

class QTranslator;

namespace kdw {

// "Eng" -> 0, "Chs" -> 1, "Cht" -> 2 without regard to case; anything else -> 0.
quint8 languageIndexForCode(QStringView code);

// The language code that Program.ini stores for a language index.
QString languageCodeForIndex(quint8 index);

// The bundle's file name: the code exactly as read, followed by ".dll".
QString bundleFileName(const QString &code);

// The directory part of the executable's path, with a trailing separator.
QString programDirectoryOf(const QString &executablePath);

inline constexpr LocalisedText BundleLoadFailed{u"Load language DLL fail", u"加载语言链接库失败",
                                                u"加載語言庫?接庫失敗"};

// The language bundle <code>.dll of the program directory, registered as the
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
    [[nodiscard]] bool load(const QString &directory, const QString &code);
    bool isLoaded() const { return !m_path.isEmpty(); }

private:
    QString m_path;
    QList<QTranslator *> m_translators;
};

struct StartupConfiguration
{
    QString languageCode; // as read
    quint8 languageIndex = 0;
    QString port;
};

// Reads Language and COM from Program.ini (the program directory's, or the
// user's copy for an installed program) and sets the language index.
StartupConfiguration readStartupConfiguration();

// The exit step: writes the port name back to COM (nothing when it is empty).
void writeExitConfiguration(const QString &port);

} // namespace kdw
