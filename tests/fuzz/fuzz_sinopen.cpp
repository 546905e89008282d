// Opens arbitrary bytes as a .sin file the way File Open does, then shows the
// image as the grid load and the settings dialogs do and stores it back as
// the grid store and the dialogs do. A file shorter than an image is refused
// and changes nothing; a longer one gives its first 8192 bytes; whatever the
// bytes, a stored image reads back as texts and values that store the same
// image.
#include "core/channels/channeltable.h"
#include "core/image/programdoc.h"
#include "core/settings/settingtable.h"
#include "core/settings/settingvalues.h"
#include "tests/fuzz/fuzzinput.h"

using namespace kdw;
using kdw::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::inputFile(QStringLiteral("channels.sin"), data, size);
    MemoryImage image;
    image.fill(0xA5);
    const MemoryImage before = image;
    CProgramDoc doc(image, {}, Language::Eng);
    const DocumentResult opened = doc.OnOpenDocument(path);
    if (size < std::size_t(MemoryImage::Size)) {
        check(!opened && !opened.message.isEmpty() && image == before && doc.GetPathName().isEmpty());
        return 0;
    }
    check(opened && doc.GetPathName() == path && !doc.IsModified());
    check(image.bytes() == QByteArray(reinterpret_cast<const char *>(data), MemoryImage::Size));

    const Language language = AllLanguages.at(data[0] % AllLanguages.size());
    MemoryImage stored = image;
    storeChannelTable(stored, channelTable(image, language), 0, 0);
    MemoryImage again = stored;
    storeChannelTable(again, channelTable(stored, language), 0, 0);
    check(again == stored);

    // The settings dialogs show every value and store them all on OK; a
    // second round of showing and storing changes nothing.
    MemoryImage first = image;
    for (const Setting &setting : settingTable()) {
        (void)shownText(setting, image, language);
        storeValue(setting, first, shownValue(setting, image));
    }
    MemoryImage second = first;
    for (const Setting &setting : settingTable())
        storeValue(setting, second, shownValue(setting, first));
    check(second == first);
    return 0;
}
