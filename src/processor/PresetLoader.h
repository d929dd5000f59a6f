#pragma once

#include "processor/CCMapper.h"
#include "processor/CurrentPreset.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace velk
{
class ParameterLayout;
class SignalPath;

/** The one road by which a preset file replaces the sound while the plug-in runs: the start-up
    preset, a MIDI program change's preset and every load the user makes. Message thread only.
*/
class PresetLoader
{
public:
    /** The factory preset that starts the plug-in when the user has saved no default. */
    static constexpr const char* factoryPresetName = "Simple_Delay_BPF";

    PresetLoader (juce::AudioProcessor& processor, juce::AudioProcessorValueTreeState& store,
                  SignalPath& signalPath, CCMapper& ccMapper, CurrentPreset& currentPreset);

    /** The parameters that construction sets to the top of their range before the start-up
        preset, in the order they are set and announced: chain 2's and chain 3's bypass
        switches, then chain 1's gain.
    */
    static std::array<juce::RangedAudioParameter*, 3> getStartUpParameters (const juce::AudioProcessorValueTreeState& store,
                                                                            const ParameterLayout& layout);

    /** Construction: bypasses chains 2 and 3 and opens chain 1's gain, then loads "User_Default"
        or, when that file is missing or does not load, the factory preset. When neither loads,
        the preset stays "INIT" with no path.
    */
    void loadStartUpPreset (const ParameterLayout& layout);

    /** Reads and parses the file here, then, with processing suspended, replaces the parameter
        state, silences the memories of the chains, the filter and the DC blocker and puts the
        controllers that came with or after a program change back over the preset. Names the
        current preset after the file. A file that does not load changes nothing.
    */
    juce::Result load (const juce::File& file);

private:
    juce::AudioProcessor& processor;
    juce::AudioProcessorValueTreeState& valueTreeState;
    SignalPath& signalPath;
    CCMapper& ccMapper;
    CurrentPreset& current;
};
} // namespace velk
