#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>

namespace kdw {

// The language of the program's texts. It is chosen in Program.ini, fixed for
// a run, and handed to every function that writes a text.
enum class Language : quint8 { Eng, Chs, Cht };

inline constexpr std::array<Language, 3> AllLanguages{Language::Eng, Language::Chs, Language::Cht};

// kdw-cli's --lang value: "eng", "chs" or "cht".
QString languageCode(Language language);
// Exactly one of the codes; nullopt for anything else.
std::optional<Language> languageOfCode(QStringView code);

// Program.ini's Language value: "Eng", "Chs" or "Cht".
QString languageIniText(Language language);
// Read without regard to case; anything else is English.
Language languageOfIniText(QStringView text);

} // namespace kdw
