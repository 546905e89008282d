#include "languagebundle.h"

#include "app/globals.h"
#include "app/startup.h"

#include <QCoreApplication>
#include <QResource>
#include <QTranslator>

namespace kdw::test {

bool useLanguage(const QString &directory, const QString &code)
{
    static QString loaded;
    if (!loaded.isEmpty())
        QResource::unregisterResource(loaded);
    loaded.clear();
    // loadLanguageBundle parents its translators to the application object.
    const auto translators = QCoreApplication::instance()->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly);
    for (QTranslator *translator : translators) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    setLanguageIndex(languageIndexForCode(code));
    if (!loadLanguageBundle(directory, code))
        return false;
    loaded = directory + bundleFileName(code);
    return true;
}

} // namespace kdw::test
