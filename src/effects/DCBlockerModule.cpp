#include "effects/DCBlockerModule.h"

#include <emmintrin.h>

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

    if (channelsToFilter == 2)
    {
        filterChannels (buffer.getWritePointer (0), buffer.getWritePointer (1), numSamples, channelStates[0], channelStates[1]);
        return;
    }

    for (int channel = 0; channel < channelsToFilter; ++channel)
        filterChannel (buffer.getWritePointer (channel), numSamples, channelStates[(size_t) channel]);
}

void DCBlockerModule::processFrames (float* left, float* right, int numFrames)
{
    jassert (channelStates.size() >= 2);
    filterChannels (left, right, numFrames, channelStates[0], channelStates[1]);
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

void DCBlockerModule::filterChannels (float* left, float* right, int numSamples, ChannelState& leftState, ChannelState& rightState) noexcept
{
    // filterChannel() on both, left in the low lane and right in the high one: the two
    // recurrences wait on each other's latency no longer.
    auto x1 = _mm_set_pd (rightState.x1, leftState.x1);
    auto y1 = _mm_set_pd (rightState.y1, leftState.y1);
    const auto r = _mm_set_pd (rightState.r, leftState.r);

    for (int i = 0; i < numSamples; ++i)
    {
        const auto x = _mm_cvtps_pd (_mm_unpacklo_ps (_mm_load_ss (left + i), _mm_load_ss (right + i)));
        const auto y = _mm_add_pd (_mm_sub_pd (x, x1), _mm_mul_pd (r, y1));
        x1 = x;
        y1 = y;

        const auto rounded = _mm_cvtpd_ps (y);
        _mm_store_ss (left + i, rounded);
        _mm_store_ss (right + i, _mm_shuffle_ps (rounded, rounded, _MM_SHUFFLE (1, 1, 1, 1)));
    }

    _mm_storel_pd (&leftState.x1, x1);
    _mm_storeh_pd (&rightState.x1, x1);
    _mm_storel_pd (&leftState.y1, y1);
    _mm_storeh_pd (&rightState.y1, y1);
}

double DCBlockerModule::filterSample (double x, double& x1, double& y1, double r) noexcept
{
    const auto y = (x - x1) + r * y1;
    x1 = x;
    y1 = y;
    return y;
}
} // namespace velk
