#include "core/channels/channelcsv.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

// kdw-cli channels [--lang eng|chs|cht] FILE.sin: the channel table as the grid
// shows it, as UTF-8 CSV on standard output.
int cmdChannels(const CliContext &context, const QStringList &args)
{
    auto run
        = prepare(context, args, {.options = {LanguageOption}, .minArguments = 1, .maxArguments = 1, .sinFiles = 1});
    if (!run)
        return run.exitCode();
    out() << channelTableCsv(channelTable(run->images.first(), run->language), run->language);
    out().flush();
    return Ok;
}

} // namespace kdw::cli
