#include "core/image/builtindefaults.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

namespace kdw::cli {

// kdw-cli new OUT.sin: the image a new document holds. The folder of kdw-cli is
// its program directory, so its Default.sin applies as it does for Program.
int cmdNew(const CliContext &context, const QStringList &args)
{
    auto run = prepare(context, args, {.minArguments = 1, .maxArguments = 1});
    if (!run)
        return run.exitCode();
    MemoryImage image;
    makeNewImage(image, context.programDirectory);
    return saveSinFile(run->arguments.first(), image);
}

} // namespace kdw::cli
