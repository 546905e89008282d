#include "uselanguage.h"

#include "app/globals.h"
#include "app/startup.h"

#include <memory>

namespace kdw::test {

bool useLanguage(const QString &directory, const QString &code)
{
    static std::unique_ptr<LanguageBundle> bundle;
    bundle.reset(); // unloads the earlier bundle and its translations
    setLanguageIndex(languageIndexForCode(code));
    bundle = std::make_unique<LanguageBundle>();
    return bundle->load(directory, code);
}

} // namespace kdw::test
