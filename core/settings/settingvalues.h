#pragma once

#include "core/settings/settingtable.h"
#include "core/text/language.h"

#include <QHash>
#include <QString>

#include <optional>
#include <variant>

namespace kdw {

// A setting's value as its control holds it: the selected item of a list, or
// the text of an edit field.
using SettingValue = std::variant<int, QString>;

// What the setting's control shows for the image.
SettingValue shownValue(const Setting &setting, const MemoryImage &image);
QString shownText(const Setting &setting, const MemoryImage &image, Language language);

// The value that `text` chooses: an item's text in any of the three
// languages, or a text the field takes whole. Nothing for any other text.
std::optional<SettingValue> valueFromText(const Setting &setting, QStringView text);

// Writes the value by the setting's stored rule.
void storeValue(const Setting &setting, MemoryImage &image, const SettingValue &value);

// Why valueFromText refused `item` for the setting named `label`: the text
// field's length and characters, or an unknown item.
QString refusedValueText(const Setting &setting, QStringView label, QStringView item,
                         Language language = Language::Eng);

// The settings chosen, each by the setting it is for.
using ChosenSettings = QHash<const Setting *, SettingValue>;

// Stores the chosen values as closing the settings dialogs with them chosen
// does: every other setting is stored as its control shows it.
void storeChosenSettings(MemoryImage &image, const ChosenSettings &chosen);

} // namespace kdw
