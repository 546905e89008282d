#include "core/settings/settingvalues.h"

#include "core/text/localisedtext.h"

namespace kdw {

namespace {

constexpr LocalisedText NotValidText{u"%1: \"%2\" is not a valid text (at most %3 of \"%4\")",
                                     u"%1：“%2”不是有效的文字（最多 %3 个“%4”中的字符）",
                                     u"%1：「%2」不是有效的文字（最多 %3 個「%4」中的字元）"};
constexpr LocalisedText UnknownItemText{u"%1: unknown item \"%2\"", u"%1：未知的选项“%2”", u"%1：未知的選項「%2」"};

} // namespace

SettingValue shownValue(const Setting &setting, const MemoryImage &image)
{
    if (const ChoiceField *choice = setting.choice())
        return choice->shownIndex(image);
    return setting.text()->shown(image);
}

QString shownText(const Setting &setting, const MemoryImage &image, Language language)
{
    if (const ChoiceField *choice = setting.choice())
        return choice->items.at(std::size_t(choice->shownIndex(image))).text(language);
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

QString refusedValueText(const Setting &setting, QStringView label, QStringView item, Language language)
{
    if (const TextField *field = setting.text()) {
        return NotValidText.text(language).arg(label, item).arg(field->length).arg(field->allowed);
    }
    return UnknownItemText.text(language).arg(label, item);
}

void storeChosenSettings(MemoryImage &image, const ChosenSettings &chosen)
{
    const MemoryImage shown = image;
    for (const Setting &setting : settingTable())
        storeValue(setting, image, chosen.value(&setting, shownValue(setting, shown)));
}

} // namespace kdw
