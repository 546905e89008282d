#include "channels/channelcsv.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

// kdw-cli channels [--lang eng|chs|cht] FILE.sin: the channel table as the grid
// shows it, as UTF-8 CSV on standard output.
int cmdChannels(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missingValue = false;
    const int lang = languageOption(takeOption(args, QStringLiteral("--lang"), QStringLiteral("eng"), &missingValue));
    if (missingValue || lang < 0 || args.size() != 1)
        return usageError(QStringLiteral("usage: kdw-cli channels [--lang eng|chs|cht] FILE.sin"));
    const QString path = args.first();
    auto loaded = loadSinFile(path);
    if (!loaded)
        return BadInput;
    MemoryImage &image = *loaded;
    out() << channelTableCsv(channelTable(image, quint8(lang)), quint8(lang));
    out().flush();
    return Ok;
}

} // namespace kdw::cli
