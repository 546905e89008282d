#include "core/channels/channeltexts.h"

namespace kdw {

using namespace channeltext;

QStringList gridHeaderTexts(quint8 languageIndex)
{
    return itemsIn(GridHeaders, languageIndex);
}

QStringList choiceItems(ChannelField field, quint8 languageIndex)
{
    switch (field) {
    case BusyLockField: return itemsIn(BusyLockChoices, languageIndex);
    case PowerField: return itemsIn(PowerChoices, languageIndex);
    case ScanAddField: return itemsIn(ScanAddChoices, languageIndex);
    case BandwidthField: return itemsIn(BandwidthChoices, languageIndex);
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

QString newChannelText(ChannelField field, quint8 languageIndex)
{
    switch (field) {
    case RxToneField:
    case TxToneField:
    case BusyLockField: return Off.text(languageIndex);
    case PowerField: return High.text(languageIndex);
    case ScanAddField: return Add.text(languageIndex);
    case BandwidthField: return Wide.text(languageIndex);
    default: return {};
    }
}

} // namespace kdw
