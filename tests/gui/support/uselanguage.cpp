#include "uselanguage.h"

#include "core/program/startup.h"

#include <QTest>

#include <memory>

namespace kdw::test {

namespace {
Language g_used = Language::Eng;
} // namespace

bool useLanguage(const QString &code)
{
    static std::unique_ptr<LanguageBundle> bundle;
    bundle.reset(); // unloads the earlier bundle and its translations
    g_used = languageOfIniText(code);
    bundle = std::make_unique<LanguageBundle>();
    return bundle->load(QStringLiteral(KDW_PROGRAM_DIR "/"), code);
}

Language usedLanguage()
{
    return g_used;
}

BackToEnglish::~BackToEnglish()
{
    if (!useLanguage(QStringLiteral("Eng")))
        QTest::qFail("English could not be loaded again", __FILE__, __LINE__);
}

} // namespace kdw::test
