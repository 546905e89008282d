#include "core/channels/channeltexts.h"

namespace kdw {

using namespace channeltext;

QStringList gridHeaderTexts(Language language)
{
    return itemsIn(GridHeaders, language);
}

QStringList choiceItems(ChannelField field, Language language)
{
    switch (field) {
    case BusyLockField: return itemsIn(BusyLockChoices, language);
    case PowerField: return itemsIn(PowerChoices, language);
    case ScanAddField: return itemsIn(ScanAddChoices, language);
    case BandwidthField: return itemsIn(BandwidthChoices, language);
    default: return {};
    }
}

bool isChoiceText(ChannelField field, QStringView text)
{
    const auto anyOf = [text](std::initializer_list<LocalisedText> texts) {
        for (const auto &t : texts) {
            if (t.matchesAny(text))
                return true;
        }
        return false;
    };
    switch (field) {
    case BusyLockField: return anyOf({BusyLockOffChoice, Off, Carrier, Qdt});
    case PowerField: return anyOf({High, Low});
    case ScanAddField: return anyOf({Add, Del});
    case BandwidthField: return anyOf({Wide, Narrow});
    default: return false;
    }
}

QString newChannelText(ChannelField field, Language language)
{
    switch (field) {
    case RxToneField:
    case TxToneField:
    case BusyLockField: return Off.text(language);
    case PowerField: return High.text(language);
    case ScanAddField: return Add.text(language);
    case BandwidthField: return Wide.text(language);
    default: return {};
    }
}

} // namespace kdw
