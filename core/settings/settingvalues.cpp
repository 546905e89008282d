#include "core/settings/settingvalues.h"

namespace kdw {

SettingValue shownValue(const Setting &setting, const MemoryImage &image)
{
    if (const ChoiceField *choice = setting.choice())
        return choice->shownIndex(image);
    return setting.text()->shown(image);
}

QString shownText(const Setting &setting, const MemoryImage &image, quint8 languageIndex)
{
    if (const ChoiceField *choice = setting.choice())
        return choice->items.at(std::size_t(choice->shownIndex(image))).text(languageIndex);
    return setting.text()->shown(image);
}

std::optional<SettingValue> valueFromText(const Setting &setting, QStringView text)
{
    if (const ChoiceField *choice = setting.choice()) {
        const int index = choice->indexOfText(text);
        if (index < 0)
            return std::nullopt;
        return index;
    }
    const TextField &field = *setting.text();
    if (!field.accepts(text))
        return std::nullopt;
    return field.filter(text, int(text.size())).text;
}

void storeValue(const Setting &setting, MemoryImage &image, const SettingValue &value)
{
    if (const ChoiceField *choice = setting.choice())
        choice->store(image, std::get<int>(value));
    else
        setting.text()->store(image, std::get<QString>(value));
}

QString refusedValueText(const Setting &setting, QStringView label, QStringView item)
{
    if (const TextField *field = setting.text()) {
        return QStringLiteral("%1: \"%2\" is not a valid text (at most %3 of \"%4\")")
            .arg(label, item)
            .arg(field->length)
            .arg(field->allowed);
    }
    return QStringLiteral("%1: unknown item \"%2\"").arg(label, item);
}

void storeChosenSettings(MemoryImage &image, const ChosenSettings &chosen)
{
    const MemoryImage shown = image;
    for (const Setting &setting : settingTable())
        storeValue(setting, image, chosen.value(&setting, shownValue(setting, shown)));
}

} // namespace kdw
