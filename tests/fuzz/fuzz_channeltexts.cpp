// Feeds arbitrary text to every conversion from a typed or stored cell text to
// channel bytes; the sanitizers catch undefined behaviour, the check catches a
// committed frequency outside the range or off the channel steps.
#include "core/channels/cellcommit.h"
#include "core/channels/channelcodec.h"
#include "core/channels/decimalscale.h"
#include "core/channels/frequencyrules.h"
#include "fuzzinput.h"

#include <QString>

#include <cstdint>

using namespace kdw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    (void)decimalScale(text, 1);

    const FrequencyRange range;
    const quint32 committed = committedFrequency(text, range);
    fuzz::check(
        committed == 0
        || (committed >= range.lower && committed <= range.upper && (committed % 500 == 0 || committed % 625 == 0)));

    (void)frequencyRangeFromItem(text);

    MemoryImage image;
    ChannelTexts row;
    row.fill(text);
    storeChannelTexts(image, 1 + int(size % 99), row);
    (void)channelTexts(image, 1 + int(size % 99), Language::Cht);

    ChannelTexts edited;
    commitFrequencyCell(edited, RxFreqField, text, range, Language::Chs);
    commitFrequencyCell(edited, TxFreqField, text, range, Language::Chs);
    return 0;
}
