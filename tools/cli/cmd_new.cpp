#include "app/globals.h"
#include "image/builtindefaults.h"
#include "image/sinfile.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QDir>

namespace kdw::cli {

// kdw-cli new OUT.sin: the image a new document holds. The folder of kdw-cli is
// its program directory, so its Default.sin applies as it does for Program.
int cmdNew(const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("usage: kdw-cli new OUT.sin"));
    MemoryImage image;
    makeNewImage(image, programDirectory());
    const SinSaveResult saved = writeSinFile(args.first(), image);
    if (!saved) {
        return usageError(QStringLiteral("cannot write %1: %2")
                              .arg(QDir::toNativeSeparators(args.first()), saved.systemReason));
    }
    return Ok;
}

} // namespace kdw::cli
