#include "channels/imagediff.h"
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
int cmdDiff(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    const int language = languageOption(takeOption(args, QStringLiteral("--lang"), QStringLiteral("eng"), &missing));
    if (missing || language < 0 || args.size() != 2)
        return usageError(QStringLiteral("usage: kdw-cli diff [--lang eng|chs|cht] A.sin B.sin"));
    const auto a = loadSinFile(args.at(0));
    const auto b = a ? loadSinFile(args.at(1)) : std::nullopt;
    if (!b)
        return BadInput;
    useLanguageBundle(language);
    const ImageDiff diff = diffImages(*a, *b, quint8(language));
    printDiffRows(diffRows(diff, *a, *b, quint8(language)));
    return diff.isEmpty() ? Ok : Failed;
}

} // namespace kdw::cli
