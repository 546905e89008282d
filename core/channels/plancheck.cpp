#include "core/channels/plancheck.h"

namespace kdw {

QList<PlanFinding> checkPlan(const MemoryImage &image, const FrequencyRange &range, Language language)
{
    Q_UNUSED(image);
    Q_UNUSED(range);
    Q_UNUSED(language);
    return {};
}

} // namespace kdw
