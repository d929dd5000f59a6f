#pragma once

#include "processor/CurrentPreset.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace velk
{
class ParameterLayout;
class SignalPath;

/** Puts presets in place while the plug-in runs: the start-up preset at construction and the
    preset of a MIDI program change. Message thread only.
*/
class PresetLoader
{
public:
    /** The factory preset that starts the plug-in when the user has saved no default. */
    static constexpr const char* factoryPresetName = "Simple_Delay_BPF";

    PresetLoader (juce::AudioProcessor& processor, juce::AudioProcessorValueTreeState& store,
                  SignalPath& signalPath, CurrentPreset& currentPreset);

    /** The parameters that construction sets to the top of their range before the start-up
        preset, in the order they are set and announced: chain 2's and chain 3's bypass
        switches, then chain 1's gain.
    */
    static std::array<juce::RangedAudioParameter*, 3> getStartUpParameters (const juce::AudioProcessorValueTreeState& store,
                                                                            const ParameterLayout& layout);

    /** Construction: bypasses chains 2 and 3 and opens chain 1's gain, then loads "User_Default"
        or, when that file is missing or does not load, the factory preset, and names the one
        that loaded. When neither loads, the preset stays "INIT" with no path.
    */
    void loadStartUpPreset (const ParameterLayout& layout);

    /** A MIDI program change's preset, with processing suspended: the parameter state is
        replaced and the modules' memories silenced. The current preset keeps its name.
    */
    void loadProgramChangePreset (const juce::File& file);

private:
    juce::AudioProcessor& processor;
    juce::AudioProcessorValueTreeState& valueTreeState;
    SignalPath& signalPath;
    CurrentPreset& current;
};
} // namespace velk
