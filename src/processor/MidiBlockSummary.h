#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

namespace velk
{
/** What one block's MIDI asks of the processor: the last program change, and the last value of
    every controller, read in one pass without allocating.
*/
struct MidiBlockSummary
{
    static constexpr int numControllers = 128;

    /** "All notes off" is a channel-mode message that sequencers send on stop; it never
        drives a parameter and never counts as the last controller received.
    */
    static constexpr int ignoredController = 123;

    static constexpr int none = -1;

    /** Forgets the previous block and reads this one. */
    void read (const juce::MidiBuffer& midi) noexcept;

    int program = none;
    int lastController = none;
    bool anyController = false;
    std::array<int, numControllers> controllerValues{};
};
} // namespace velk
