#include "processor/CCMapSnapshot.h"

#include "processor/CCMapper.h"

namespace velk
{
namespace
{
    const juce::Array<juce::RangedAudioParameter*> noParameters;
} // namespace

CCMapSnapshot::CCMapSnapshot (const juce::ValueTree& midiMap, const juce::AudioProcessorValueTreeState& parameters)
{
    for (const auto& child : midiMap)
    {
        // The framework's conversion: a missing or non-numeric controller reads as 0, a fraction
        // as its integer part.
        const auto controller = static_cast<int> (child[CCMapper::ccValueProperty]);

        if (!juce::isPositiveAndBelow (controller, numControllers))
            continue;

        if (auto* parameter = parameters.getParameter (child.getType().toString()))
        {
            routes[static_cast<size_t> (controller)].add (parameter);
            ++numRoutes;
        }
    }
}

const juce::Array<juce::RangedAudioParameter*>& CCMapSnapshot::getParametersForController (int controller) const noexcept
{
    if (!juce::isPositiveAndBelow (controller, numControllers))
        return noParameters;

    return routes[static_cast<size_t> (controller)];
}
} // namespace velk
