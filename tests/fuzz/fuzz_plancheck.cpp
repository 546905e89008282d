// Makes a memory image of arbitrary bytes and runs the plan check over it in
// every language. An input whose first byte is even patches a dealer's plan
// (three bytes a patch: a 13-bit offset and the byte written there), so the
// near misses a plan check is for (one byte from a duplicate, a gap, an empty
// Priority Channel) are a mutation away; an odd first byte is followed by the
// image itself (0xFF past the input, as a new document holds). A finding names
// channels 1 to 99 in ascending order, has a code and a text without control
// characters, the findings come by first channel then code, and the language
// changes the texts only: English against one Chinese script, chosen by the
// input's length, so each input costs two checks rather than three. Inputs
// longer than 512 bytes reach no further code and only cost more (each holds
// more channels to report), so long runs pass -max_len=512.
#include "core/channels/channelcodec.h"
#include "core/channels/frequencyrules.h"
#include "core/channels/plancheck.h"
#include "core/image/regions.h"
#include "core/settings/settingtable.h"
#include "fuzzinput.h"

#include <algorithm>
#include <cstdint>

using namespace kdw;

namespace {

// Repeaters, simplex pairs sharing a frequency with other tones, narrow and
// wide channels, names and a Priority Channel, as a dealer's plan holds them.
MemoryImage dealerPlan()
{
    MemoryImage image;
    image.fill(0xFF);
    const char16_t *rows[] = {
        u"442.50000|447.50000|Off|151.4|Carrier|High|Add|Wide|RPT1",
        u"442.50000|447.50000|Off|D023N|Carrier|High|Add|Wide|RPT2",
        u"446.00625|446.00625|67.0|67.0|Off|Low|Add|Narrow|PMR1",
        u"446.00625|446.00625|D754I|D754I|QDT|Low|Add|Narrow|PMR1B",
        u"446.01875|446.01875|Off|Off|Off|Low|Del|Narrow|PMR2",
        u"462.56250|467.56250|254.1|254.1|Off|High|Add|Wide|GMRS1",
        u"455.00000|445.00000|88.5|88.5|Off|High|Add|Wide|SITE",
        u"409.00000|409.00000|Off|Off|Off|High|Add|Wide|CH 8  ",
    };
    int channel = 1;
    for (const char16_t *row : rows) {
        const QStringList cells = QString::fromUtf16(row).split(u'|');
        ChannelTexts texts;
        std::copy(cells.begin(), cells.end(), texts.begin());
        storeChannelTexts(image, channel++, texts);
    }
    const ChoiceField *priority = findSetting(u"Priority Channel")->choice();
    priority->store(image, 3);
    image.setByte(region::FrequencyRangeIndex, 0);
    return image;
}

MemoryImage imageOf(const uint8_t *data, size_t size)
{
    static const MemoryImage plan = dealerPlan();
    if (size > 0 && data[0] % 2 == 1) {
        MemoryImage image;
        image.fill(0xFF);
        image.copyIn(QByteArrayView(reinterpret_cast<const char *>(data + 1),
                                    qsizetype(std::min<size_t>(size - 1, MemoryImage::Size))));
        return image;
    }
    MemoryImage image = plan;
    for (size_t i = 1; i + 2 < size; i += 3)
        image.setByte(((data[i] << 8) | data[i + 1]) % MemoryImage::Size, data[i + 2]);
    return image;
}

void checkFinding(const PlanFinding &finding)
{
    fuzz::check(!finding.channels.isEmpty() && !finding.code.isEmpty() && !finding.text.isEmpty());
    fuzz::check(finding.channels.first() >= 1 && finding.channels.last() <= region::ChannelCount);
    fuzz::check(std::is_sorted(finding.channels.begin(), finding.channels.end())
                && std::adjacent_find(finding.channels.begin(), finding.channels.end()) == finding.channels.end());
    fuzz::check(std::none_of(finding.text.begin(), finding.text.end(),
                             [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const MemoryImage image = imageOf(data, size);
    const FrequencyRange range = chosenFrequencyRange(image);
    const QList<PlanFinding> eng = checkPlan(image, range, Language::Eng);
    for (qsizetype i = 0; i < eng.size(); ++i) {
        checkFinding(eng.at(i));
        if (i > 0)
            fuzz::check(std::pair(eng.at(i - 1).channels.first(), eng.at(i - 1).code)
                        <= std::pair(eng.at(i).channels.first(), eng.at(i).code));
    }
    const QList<PlanFinding> other = checkPlan(image, range, size % 2 == 0 ? Language::Chs : Language::Cht);
    fuzz::check(other.size() == eng.size());
    for (qsizetype i = 0; i < other.size(); ++i) {
        checkFinding(other.at(i));
        fuzz::check(other.at(i).channels == eng.at(i).channels && other.at(i).code == eng.at(i).code
                    && other.at(i).kind == eng.at(i).kind);
    }
    return 0;
}
