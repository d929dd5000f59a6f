#include "processor/TargetDepthReadout.h"

namespace velk
{
void TargetDepthReadout::setTargets (const juce::ValueTree& readoutTree, const juce::StringArray& targetNames)
{
    const auto numSlots = readoutTree.getNumProperties();
    targets.clear();
    depths = std::make_unique<std::atomic<float>[]> ((size_t) numSlots);

    for (int slot = 0; slot < numSlots; ++slot)
    {
        targets.push_back (targetNames.indexOf (readoutTree.getPropertyName (slot).toString()));
        depths[(size_t) slot].store (0.0f);
    }
}

void TargetDepthReadout::publishTo (juce::ValueTree& readoutTree) const
{
    const auto numSlots = juce::jmin ((int) targets.size(), readoutTree.getNumProperties());

    for (int slot = 0; slot < numSlots; ++slot)
        readoutTree.setProperty (readoutTree.getPropertyName (slot), (double) getDepth (slot), nullptr);
}
} // namespace velk
