#include "processor/EditorReadouts.h"

namespace velk
{
EditorReadouts::EditorReadouts (const juce::StringArray& targetNames)
{
    for (const auto& name : targetNames)
        modsBuffer.setProperty (name, 0.0, nullptr);

    scopeBuffer.insertMultiple (0, 0.0f, ScopeRing::numValues);
    depths.setTargets (modsBuffer, targetNames);
}

void EditorReadouts::measure (const ModulationsManager& modulations) noexcept
{
    depths.measure ([&modulations] (int target)
                    { return modulations.getTargetDisplayDepth (target); });
}

void EditorReadouts::publish (const ScopeRing& scope)
{
    depths.publishTo (modsBuffer);
    scope.copyNewestFirst (scopeBuffer);
}
} // namespace velk
