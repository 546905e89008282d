#include "uselanguage.h"

#include "core/program/globals.h"
#include "core/program/startup.h"

#include <QTest>

#include <memory>

namespace kdw::test {

bool useLanguage(const QString &code)
{
    static std::unique_ptr<LanguageBundle> bundle;
    bundle.reset(); // unloads the earlier bundle and its translations
    setLanguageIndex(quint8(languageOfIniText(code)));
    bundle = std::make_unique<LanguageBundle>();
    return bundle->load(QStringLiteral(KDW_PROGRAM_DIR "/"), code);
}

BackToEnglish::~BackToEnglish()
{
    if (!useLanguage(QStringLiteral("Eng")))
        QTest::qFail("English could not be loaded again", __FILE__, __LINE__);
}

} // namespace kdw::test
