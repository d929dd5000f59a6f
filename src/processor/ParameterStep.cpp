#include "processor/ParameterStep.h"

#include <utility>

namespace velk
{
ParameterStep::ParameterStep (StateGuard& guardToUse, ParameterValues valuesBefore, ParameterValues valuesAfter)
    : guard (guardToUse), before (std::move (valuesBefore)), after (std::move (valuesAfter))
{
}

bool ParameterStep::perform()
{
    if (!std::exchange (made, false))
        guard.writeValues (after);

    return true;
}

bool ParameterStep::undo()
{
    guard.writeValues (before);
    return true;
}

int ParameterStep::getSizeInUnits()
{
    return (int) (before.size() + after.size());
}
} // namespace velk
