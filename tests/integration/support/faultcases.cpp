#include "faultcases.h"

#include "image/transferranges.h"

namespace kdw::test {

namespace {

struct StageName
{
    QString arg;
    QString name;
};

QList<StageName> stages(TransferDirection direction)
{
    QList<StageName> list{{QStringLiteral("wakeup"), QStringLiteral("the wake-up")},
                          {QStringLiteral("identify"), QStringLiteral("the identification")},
                          {QStringLiteral("0"), QStringLiteral("the first block")}};
    const auto &ranges = direction == TransferDirection::Read ? ReadRanges : WriteRanges;
    int first = 0;
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        const int middle = first + ranges[r].blocks() / 2;
        list.append({QString::number(middle), QStringLiteral("block %1 (middle of range %2)").arg(middle).arg(r + 1)});
        first += ranges[r].blocks();
    }
    list.append({QString::number(first - 1), QStringLiteral("the last block")});
    return list;
}

} // namespace

QList<FaultCase> faultCases(TransferDirection direction)
{
    const bool read = direction == TransferDirection::Read;
    QList<FaultCase> cases;
    for (const StageName &stage : stages(direction)) {
        for (const QString &fault : {QStringLiteral("nak"), QStringLiteral("silence"), QStringLiteral("hangup")})
            cases.append({fault + QStringLiteral(" at ") + stage.name, {u"--"_qs + fault, stage.arg}, true, false});
        // A short identification is fine; a short read answer is not. A write
        // has no answer to shorten.
        if (stage.arg == u"identify" || (read && stage.arg != u"wakeup")) {
            cases.append({QStringLiteral("short answer at ") + stage.name, {u"--short"_qs, stage.arg},
                          stage.arg != u"identify", false});
        }
    }
    cases.append({QStringLiteral("wrong wake-up answer 3 times"), {u"--wrong-wakeup"_qs, u"3"_qs}, false, false});
    cases.append({QStringLiteral("wrong wake-up answer 4 times"), {u"--wrong-wakeup"_qs, u"4"_qs}, true, false});
    cases.append({QStringLiteral("garbage leading bytes"), {u"--garbage-lead"_qs}, false, false});
    cases.append({QStringLiteral("no answer at all"), {u"--no-answer"_qs}, true, true});
    return cases;
}

} // namespace kdw::test
