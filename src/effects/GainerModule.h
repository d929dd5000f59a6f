#pragma once

#include "effects/AudioEffectModule.h"
#include "effects/DecibelGain.h"
#include "effects/ParameterRamp.h"

namespace velk
{
/** The chain's level in decibels, smoothed over 30 ms. Modulation works on the multiplier:
    it pulls the knob's gain toward unity (0 dB, the top of the range).
*/
class GainerModule : public AudioEffectModule
{
public:
    /** "Gain", the suffix of the gain parameter's identifier. */
    static const juce::String gainParameterMainUIDString;

    GainerModule (const juce::String& moduleUid, int numChannelsToKeep);
    ~GainerModule() override;

    /** `uid` + "_Gain". */
    juce::String getGainParameterUID() const;

    //==============================================================================
    void registerParameters (juce::AudioProcessorValueTreeState& store) override;
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples) override;
    void precalculateForBlock() override;
    void calc() override;
    float processSingleSample (float x, int channel) override;
    void processFrames (float* left, float* right, int numFrames) override;

private:
    //==============================================================================
    /** Modulation pulls the knob's multiplier toward unity. */
    static float modulatedGain (float knobGain, float modulation) noexcept;

    std::atomic<float>* gainValue = nullptr;
    ParameterRamp<float> gainRamp;
    int rampLengthSamples = 0;
    float gain = 1.0f;

    // The ramp's level and the knob's, kept apart: both are asked for in the same blocks.
    DecibelGain rampGain, knobGain;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GainerModule)
};
} // namespace velk
