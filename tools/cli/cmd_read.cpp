#include "app/globals.h"
#include "image/builtindefaults.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/clitransfer.h"
#include "tools/cli/commands.h"


namespace kdw::cli {

// kdw-cli read --port NAME OUT.sin: a new document's image with the five read
// ranges from the radio. OUT.sin is written only when the whole read worked.
int cmdRead(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const QString port = takeOption(args, QStringLiteral("--port"), {}, &missing);
    if (missing || port.isEmpty() || args.size() != 1 || args.first().startsWith(u"--"))
        return usageError(QStringLiteral("usage: kdw-cli read --port NAME OUT.sin"));

    MemoryImage image;
    makeNewImage(image, programDirectory());
    if (!transferWithProgress(port, TransferDirection::Read, image))
        return Failed;
    return saveSinFile(args.first(), image);
}

} // namespace kdw::cli
