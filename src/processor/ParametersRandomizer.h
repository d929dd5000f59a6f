#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace velk
{
/** Moves whole groups of parameters a random distance towards their upper or lower range end.

    Every change goes through the parameter objects, exactly like a host automation change, so the
    audio path, the host, the state tree and the editor all follow it. Message thread only.
*/
class ParametersRandomizer
{
public:
    /** The groups: effect parameters (FX), LFO parameters (LFO) and matrix cells (MATRIX). */
    enum Group
    {
        effectsGroup = 0,
        lfoGroup = 1,
        matrixGroup = 2
    };

    static constexpr int numberOfGroups = 3;

    /** hostIsLive suppresses the change gestures, which Ableton Live mishandles for edits that
        the plug-in makes itself.
    */
    explicit ParametersRandomizer (juce::AudioProcessorValueTreeState& store,
                                   bool hostIsLive = juce::PluginHostType().isAbletonLive());

    //==============================================================================
    /** Appends a parameter to a group; the order of appending is the order of randomizing. */
    void addParameterToGroup (int group, const juce::String& parameterID);

    /** The identifiers of a group, in randomizing order (empty for a group that doesn't exist). */
    const juce::StringArray& getParameterGroup (int group) const;

    //==============================================================================
    /** For each parameter of the group in order: draws up or down (nextBool), then a fraction r
        (nextFloat), and moves the value, in the parameter's own units, by r x amount of the
        distance to that range end. amount is 0 to 1.
    */
    void randomizeParametersByAmount (int group, float amount);

    /** The same, but a parameter exactly at its default value is skipped: no change, no
        notification and no random draw.
    */
    void randomizeParametersByAmountIfNotAtDefaultSetting (int group, float amount);

    //==============================================================================
    /** The randomizer's own generator, seeded from the system; the editor reseeds it. */
    juce::Random random;

private:
    //==============================================================================
    void randomizeParameter (juce::RangedAudioParameter& parameter, float amount);

    template <typename Predicate>
    void randomizeGroup (int group, float amount, Predicate&& shouldRandomize);

    //==============================================================================
    juce::AudioProcessorValueTreeState& valueTreeState;
    std::array<juce::StringArray, numberOfGroups> parameterGroups;
    const bool hostIsLive;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParametersRandomizer)
};
} // namespace velk
