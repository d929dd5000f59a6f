#pragma once

#include "effects/AudioEffectModule.h"
#include "effects/DelayLine.h"
#include "effects/ParameterRamp.h"

namespace velk
{
/** An echo per channel of up to four seconds, free (milliseconds) or synced to the host tempo,
    with feedback, a 60 ms glide of the time and an equal-power dry/wet mix. The ping-pong
    switch cross-feeds the channels so that the echoes alternate between left and right.
    Time and mix are modulation targets.
*/
class SimpleDelayModule : public AudioEffectModule
{
public:
    SimpleDelayModule (const juce::String& moduleUid, int numChannelsToKeep);
    ~SimpleDelayModule() override;

    const DelayLine<double>& getDelayLine (int channel) const { return delayLines[(size_t) channel]; }

    //==============================================================================
    void registerParameters (juce::AudioProcessorValueTreeState& store) override;
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples) override;
    void precalculateForBlock() override;
    void calc() override;
    float processSingleSample (float x, int channel) override;
    void processFrames (float* left, float* right, int numFrames) override;
    void cleanUp() override;

private:
    //==============================================================================
    float getSyncedTimeMs (float syncIndex) const noexcept;
    /** The time knob that modulation moves: the division index in sync mode, else milliseconds. */
    float getKnobTime() const noexcept;
    void applyModulation() noexcept;
    void applyModulation (float knobTime, float timeModulation, float knobMix, float mixModulation, bool linesInStep) noexcept;
    float modulatedTimeMs (float knobTime, float modulation) const noexcept;
    static float modulatedMix (float knobMix, float modulation) noexcept;
    double toSamples (float ms) const noexcept;
    void processFramesInStep (float* left, float* right, int numFrames);
    void setDelayTimeMs (float ms, bool linesInStep) noexcept;
    float processPingPongSample (float x, int channel, const EqualPowerGains& gains) noexcept;

    std::vector<DelayLine<double>> delayLines;
    std::atomic<float>* timeValue = nullptr;
    std::atomic<float>* syncValue = nullptr;
    std::atomic<float>* syncedTimeValue = nullptr;
    std::atomic<float>* feedValue = nullptr;
    std::atomic<float>* mixValue = nullptr;
    std::atomic<float>* pingPongValue = nullptr;
    ParameterRamp<float> mixRamp;
    int rampLengthSamples = 0;
    float feedback = 0.0f;
    float mix = 0.0f;
    bool syncOn = false;
    bool pingPongOn = false;
    DelayLine<double>::CrossFeed crossFeed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimpleDelayModule)
};
} // namespace velk
