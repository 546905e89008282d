#pragma once

#include "settings/settingtable.h"

#include <QString>

#include <optional>
#include <variant>

namespace kdw {

// A setting's value as its control holds it: the selected item of a list, or
// the text of an edit field.
using SettingValue = std::variant<int, QString>;

// What the setting's control shows for the image.
SettingValue shownValue(const Setting &setting, const MemoryImage &image);
QString shownText(const Setting &setting, const MemoryImage &image, quint8 languageIndex);

// The value that `text` chooses: an item's text in any of the three
// languages, or a text the field takes whole. Nothing for any other text.
std::optional<SettingValue> valueFromText(const Setting &setting, QStringView text);

// Writes the value by the setting's stored rule.
void storeValue(const Setting &setting, MemoryImage &image, const SettingValue &value);

} // namespace kdw
