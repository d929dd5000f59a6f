#pragma once

#include "effects/AudioEffectModule.h"

namespace velk
{
/** Removes any constant offset from the finished output: a one-pole high-pass with its corner
    near 20 Hz at every sample rate. It ends the audio path and runs over the whole buffer.
    Its memory survives preset loads; only prepareToPlay clears it.
*/
class DCBlockerModule : public AudioEffectModule
{
public:
    DCBlockerModule (const juce::String& moduleUid, int numChannelsToKeep);
    ~DCBlockerModule() override;

    //==============================================================================
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples) override;
    float processSingleSample (float x, int channel) override;
    void processFrames (float* left, float* right, int numFrames) override;

private:
    //==============================================================================
    struct ChannelState
    {
        double x1 = 0.0;
        double y1 = 0.0;
        double r = 0.0;
    };

    /** The recurrence over one channel's samples, its memory held in locals meanwhile. */
    static void filterChannel (float* samples, int numSamples, ChannelState& state) noexcept;

    /** The same on two channels side by side. */
    static void filterChannels (float* left, float* right, int numSamples, ChannelState& leftState, ChannelState& rightState) noexcept;

    /** One step of y[n] = (x[n] - x[n-1]) + R * y[n-1], kept in double precision. */
    static double filterSample (double x, double& x1, double& y1, double r) noexcept;

    std::vector<ChannelState> channelStates;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DCBlockerModule)
};
} // namespace velk
