#include "processor/CCMapSnapshot.h"

#include "processor/CCMapper.h"
#include "processor/NumberReader.h"

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
        // A missing or non-numeric controller reads as 0, a fraction as its integer part, a
        // number beyond an int's range as no controller.
        const auto controller = NumberReader::readInt (child[CCMapper::ccValueProperty]);

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
