// Feeds arbitrary bytes to the grid CSV reader of `kdw-cli apply` and stores
// whatever it accepts; an accepted table must survive texts -> image -> texts.
#include "core/channels/channelcsv.h"
#include "fuzzinput.h"

#include <QString>

#include <cstdint>

using namespace kdw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    MemoryImage image;
    image.fill(0xFF);
    const GridCsvResult result = channelTableFromCsv(text, image, Language::Eng);
    if (!result) {
        // Line 0 is the file as a whole; column 0 the channel number or the line
        // as a whole, 1..9 the grid's columns.
        const int line = result.error->line;
        const int column = result.error->column;
        fuzz::check(line >= 0 && column >= 0 && column <= ChannelFieldCount && (line != 0 || column == 0)
                    && !result.error->message.isEmpty());
        return 0;
    }
    storeChannelTable(image, result.table, 0, 0);
    // The stored image reads back as a table that stores the same image.
    MemoryImage again = image;
    storeChannelTable(again, channelTable(image, Language::Eng), 0, 0);
    fuzz::check(again == image);
    return 0;
}
