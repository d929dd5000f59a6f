#include "effects/DCBlockerModule.h"

namespace velk
{
DCBlockerModule::DCBlockerModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep),
      channelStates ((size_t) juce::jmax (0, numChannelsToKeep))
{
}

DCBlockerModule::~DCBlockerModule() = default;

//==============================================================================
void DCBlockerModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);

    for (auto& state : channelStates)
    {
        state.r = -126.0 / sampleRate + 1.0;
        state.x1 = 0.0;
        state.y1 = 0.0;
    }
}

void DCBlockerModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    const auto channelsToFilter = juce::jmin (buffer.getNumChannels(), (int) channelStates.size());

    for (int channel = 0; channel < channelsToFilter; ++channel)
        filterChannel (buffer.getWritePointer (channel), numSamples, channelStates[(size_t) channel]);
}

void DCBlockerModule::processFrames (float* left, float* right, int numFrames)
{
    jassert (channelStates.size() >= 2);
    filterChannel (left, numFrames, channelStates[0]);
    filterChannel (right, numFrames, channelStates[1]);
}

float DCBlockerModule::processSingleSample (float x, int channel)
{
    auto& state = channelStates[(size_t) channel];
    return (float) filterSample (x, state.x1, state.y1, state.r);
}

//==============================================================================
void DCBlockerModule::filterChannel (float* samples, int numSamples, ChannelState& state) noexcept
{
    auto x1 = state.x1;
    auto y1 = state.y1;
    const auto r = state.r;

    for (int i = 0; i < numSamples; ++i)
        samples[i] = (float) filterSample (samples[i], x1, y1, r);

    state.x1 = x1;
    state.y1 = y1;
}

double DCBlockerModule::filterSample (double x, double& x1, double& y1, double r) noexcept
{
    const auto y = (x - x1) + r * y1;
    x1 = x;
    y1 = y;
    return y;
}
} // namespace velk
