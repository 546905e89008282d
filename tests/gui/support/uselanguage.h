#pragma once

#include "core/text/language.h"

#include <QString>

namespace kdw::test {

// Makes `code` ("Eng", "Chs", "Cht") the running language: the build's bundle
// <code>.dll with its translation, and usedLanguage(). The bundle of an
// earlier call is unloaded first, so one test can visit every language.
[[nodiscard]] bool useLanguage(const QString &code);

// The language of the last useLanguage call, for the windows a test builds.
Language usedLanguage();

// Makes English the running language again when it goes out of scope; a
// failure fails the running test.
struct BackToEnglish
{
    ~BackToEnglish();
};

} // namespace kdw::test
