#include "app/globals.h"
#include "image/builtindefaults.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"


namespace kdw::cli {

// kdw-cli new OUT.sin: the image a new document holds. The folder of kdw-cli is
// its program directory, so its Default.sin applies as it does for Program.
int cmdNew(const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("usage: kdw-cli new OUT.sin"));
    MemoryImage image;
    makeNewImage(image, programDirectory());
    return saveSinFile(args.first(), image);
}

} // namespace kdw::cli
