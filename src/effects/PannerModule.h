#pragma once

#include "effects/AudioEffectModule.h"
#include "effects/ParameterRamp.h"

namespace velk
{
/** Places the chain's signal between left (0 %) and right (100 %), smoothed over 30 ms. The
    centre passes both channels at full level; modulation moves the position toward the right.
*/
class PannerModule : public AudioEffectModule
{
public:
    PannerModule (const juce::String& moduleUid, int numChannelsToKeep);
    ~PannerModule() override;

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
    float getModulatedPosition() const noexcept;
    /** Pans a stretch in place, each frame by its own modulated position. */
    static void panFrames (float* left, float* right, float knob, const float* modulation, int numFrames) noexcept;
    static float modulatedPosition (float knob, float modulation) noexcept;
    void applyPanLaw (float position) noexcept;
    static float leftGainAt (float position) noexcept;
    static float rightGainAt (float position) noexcept;

    std::atomic<float>* panValue = nullptr;
    ParameterRamp<float> panRamp;
    int rampLengthSamples = 0;
    float leftGain = 1.0f;
    float rightGain = 1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PannerModule)
};
} // namespace velk
