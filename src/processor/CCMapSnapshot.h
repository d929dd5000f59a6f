#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace velk
{
/** A read-only view of the MIDI CC map for the audio thread: for each controller number, the
    parameters that the map's children with that controller name, in the map's child order.

    Built on the thread that changed the map; reading it never allocates, locks or looks a
    parameter up by identifier. Children whose controller lies outside 0 to 127 or whose type
    names no parameter of the store are left out, as they are never applied.
*/
class CCMapSnapshot
{
public:
    static constexpr int numControllers = 128;

    /** A view with no routes. */
    CCMapSnapshot() = default;

    /** The routes of the given map over the given parameter store. */
    CCMapSnapshot (const juce::ValueTree& midiMap, const juce::AudioProcessorValueTreeState& parameters);

    /** The parameters that controller number `controller` moves, in map order; empty for a
        number outside 0 to 127.
    */
    const juce::Array<juce::RangedAudioParameter*>& getParametersForController (int controller) const noexcept;

    /** True when no controller moves any parameter. */
    bool isEmpty() const noexcept { return numRoutes == 0; }

private:
    std::array<juce::Array<juce::RangedAudioParameter*>, numControllers> routes;
    int numRoutes = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CCMapSnapshot)
};
} // namespace velk
