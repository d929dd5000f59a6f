#pragma once

#include "processor/PluginProcessor.h"

#include <cmath>

namespace tavelin::test
{
/** Sets a parameter to a plain value, as the host would. */
inline void setPlainValue (TavelinAudioProcessor& processor, const juce::String& id, float value)
{
    auto* parameter = processor.valueTreeState.getParameter (id);
    jassert (parameter != nullptr);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

/** A state in which every kind of indication the editor has shows at once: modulation rings
    (plain and squared), lime outlines and a halo, a bypassed chain, synced time and rate, a
    high rate, a serial chain and a scope trace of a processed 220 Hz tone. Set before the
    editor opens; deterministic.
*/
inline void prepareBusyState (TavelinAudioProcessor& processor)
{
    setPlainValue (processor, processor.getParameterLayout().chainBypassUIDs[1], 1.0f);
    setPlainValue (processor, processor.getParameterLayout().chainBypassUIDs[2], 0.0f);
    setPlainValue (processor, "Chain3_Serial_Mode", 1.0f);
    setPlainValue (processor, "Delay_1_Sync", 1.0f);
    setPlainValue (processor, "LFO_2_Sync", 1.0f);
    setPlainValue (processor, "LFO_3_High_Rate_Enable", 1.0f);
    setPlainValue (processor, "LFO_3_Wave", 2.0f);
    setPlainValue (processor, "Filter_Mode", 3.0f);

    constexpr double sampleRate = 44100.0;
    constexpr int blockSize = 512;
    processor.prepareToPlay (sampleRate, blockSize);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    int sampleIndex = 0;

    for (int block = 0; block < 16; ++block)
    {
        for (int i = 0; i < blockSize; ++i, ++sampleIndex)
        {
            const auto sample = 0.8f * (float) std::sin (juce::MathConstants<double>::twoPi * 220.0 * sampleIndex / sampleRate);
            buffer.setSample (0, i, sample);
            buffer.setSample (1, i, sample);
        }

        processor.processBlock (buffer, midi);
    }

    processor.refreshEditorReadouts();

    // Depths as the audio thread publishes them, after the read-out of the silent matrix.
    const std::pair<const char*, double> depths[] = { { "Delay_1_Time", 0.5 }, { "Pitch_Shifter_1_Mix", 0.5 }, { "Gainer_2_Gain", 0.7 }, { "Panner_3_Pan", 0.25 }, { "LFO_2_Rate", 0.6 }, { "LFO_3_Rate", 0.4 }, { "LFO_3_Wave", 0.5 }, { "Macro_2_Offset", 0.8 }, { "Filter_Cut", 0.4 }, { "Dry_Wet", 0.3 } };

    auto modsBuffer = processor.getReadouts().getModsBuffer(); // the same shared tree

    for (const auto& [target, depth] : depths)
        modsBuffer.setProperty (target, depth, nullptr);
}
} // namespace tavelin::test
