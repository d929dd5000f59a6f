#pragma once

#include "processor/MidiBlockSummary.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace velk
{
/** A snapshot of the MIDI CC map in the form the audio thread applies it: the parameters
    themselves, ordered by controller number and, within one controller, in map order.

    Built on the thread that changed the map; children whose controller lies outside 0..127 or
    whose type names no parameter are left out, as the audio thread would skip them anyway.
*/
class ControllerAssignments
{
public:
    ControllerAssignments() = default;

    ControllerAssignments (const juce::ValueTree& midiMap,
                           const juce::Identifier& controllerProperty,
                           juce::AudioProcessorValueTreeState& store);

    bool isEmpty() const noexcept { return assignments.empty(); }
    int size() const noexcept { return (int) assignments.size(); }

    /** Audio thread: moves every parameter whose controller arrived in the block to the
        controller's last value / 127, inside a change gesture, notifying the host.
    */
    void apply (const MidiBlockSummary& block) const;

private:
    struct Assignment
    {
        int controller;
        juce::RangedAudioParameter* parameter;
    };

    std::vector<Assignment> assignments;

    JUCE_LEAK_DETECTOR (ControllerAssignments)
};
} // namespace velk
