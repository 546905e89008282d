#pragma once

#include <QString>

namespace kdw::test {

// Makes `code` ("Eng", "Chs", "Cht") the running language: the language index
// and the bundle <code>.dll of `directory` with its translation. The bundle
// of an earlier call is unloaded first, so one test can visit every language.
[[nodiscard]] bool useLanguage(const QString &directory, const QString &code);

} // namespace kdw::test
