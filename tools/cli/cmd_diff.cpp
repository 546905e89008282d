#include "core/channels/imagediff.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

void printDiffRows(const QList<DiffRow> &rows)
{
    for (const DiffRow &row : rows)
        out() << row.place << '\t' << row.name << '\t' << printable(row.a) << '\t' << printable(row.b) << '\n';
    out().flush();
}

// kdw-cli diff [--lang eng|chs|cht] A.sin B.sin: what differs, a line each
// (tab-separated: where, what, text in A, text in B). Exit 0 when the files
// are equal, 1 when they differ, 2 on bad input.
int cmdDiff(const CliContext &context, const QStringList &args)
{
    auto run
        = prepare(context, args, {.options = {LanguageOption}, .minArguments = 2, .maxArguments = 2, .sinFiles = 2});
    if (!run)
        return run.exitCode();
    const MemoryImage &a = run->images.at(0);
    const MemoryImage &b = run->images.at(1);
    useLanguageBundle(context.programDirectory, run->language);
    const ImageDiff diff = diffImages(a, b, run->language);
    printDiffRows(diffRows(diff, a, b, run->language));
    return diff.isEmpty() ? Ok : Failed;
}

} // namespace kdw::cli
