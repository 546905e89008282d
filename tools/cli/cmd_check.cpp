#include "core/channels/frequencyrules.h"
#include "core/channels/plancheck.h"
#include "tools/cli/clicommon.h"
#include "tools/cli/commands.h"

#include <QTextStream>

namespace kdw::cli {

// kdw-cli check [--lang eng|chs|cht] FILE.sin: the plan check of FILE.sin
// against the Frequency Range the file chooses, a line per finding
// ("channel 3,7: duplicate: text"). Exit 0 without findings, 1 with any
// (notes too), 2 on bad input.
int cmdCheck(const CliContext &context, const QStringList &args)
{
    auto run
        = prepare(context, args, {.options = {LanguageOption}, .minArguments = 1, .maxArguments = 1, .sinFiles = 1});
    if (!run)
        return run.exitCode();
    const MemoryImage &image = run->images.first();
    const QList<PlanFinding> findings = checkPlan(image, chosenFrequencyRange(image), run->language);
    for (const PlanFinding &finding : findings) {
        QStringList numbers;
        for (const int channel : finding.channels)
            numbers.append(QString::number(channel));
        out() << "channel " << numbers.join(u',') << ": " << finding.code << ": " << finding.text << '\n';
    }
    out().flush();
    return findings.isEmpty() ? Ok : Failed;
}

} // namespace kdw::cli
