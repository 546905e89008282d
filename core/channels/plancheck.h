#pragma once

#include "core/channels/frequencyrules.h"
#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QList>
#include <QString>

namespace kdw {

// How much a finding weighs: a warning is worth stopping a write for, a note
// is only worth knowing and never stops one.
enum class FindingKind { Warning, Note };

// One thing a dealer would want to know about a channel plan before writing it.
struct PlanFinding
{
    QList<int> channels; // channel numbers 1..99, ascending; at least one
    QString code;        // "duplicate", "same-name", "out-of-range", "gap", "tone-one-way", ...
    FindingKind kind = FindingKind::Warning;
    QString text; // in the language asked for
    bool operator==(const PlanFinding &) const = default;
};

// Every finding for the channels in `image`, judged against `range` (the
// document's chosen Frequency Range); ordered by first channel, then code.
[[nodiscard]] QList<PlanFinding> checkPlan(const MemoryImage &image, const FrequencyRange &range, Language language);

} // namespace kdw
