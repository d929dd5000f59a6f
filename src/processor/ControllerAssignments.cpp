#include "processor/ControllerAssignments.h"

#include <algorithm>

namespace velk
{
ControllerAssignments::ControllerAssignments (const juce::ValueTree& midiMap,
                                              const juce::Identifier& controllerProperty,
                                              juce::AudioProcessorValueTreeState& store)
{
    for (const auto& child : midiMap)
    {
        // The map stores controller numbers as ints (MIDI learn) or as text (files, chunks);
        // the var conversion reads both, and a missing number reads as 0.
        const int controller = child.getProperty (controllerProperty);

        if (!juce::isPositiveAndBelow (controller, MidiBlockSummary::numControllers))
            continue;

        if (auto* parameter = store.getParameter (child.getType().toString()))
            assignments.push_back ({ controller, parameter });
    }

    std::stable_sort (assignments.begin(), assignments.end(),
                      [] (const Assignment& a, const Assignment& b)
                      { return a.controller < b.controller; });
}

void ControllerAssignments::apply (const MidiBlockSummary& block) const
{
    constexpr float inverseMaxValue = 1.0f / 127.0f;

    for (const auto& assignment : assignments)
    {
        const auto value = block.controllerValues[(size_t) assignment.controller];

        if (value == MidiBlockSummary::none)
            continue;

        const auto normalised = (float) value * inverseMaxValue;
        auto& parameter = *assignment.parameter;
        parameter.beginChangeGesture();
        parameter.setValue (normalised);
        parameter.sendValueChangedMessageToListeners (normalised);
        parameter.endChangeGesture();
    }
}
} // namespace velk
