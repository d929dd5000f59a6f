#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** One cycle of a waveform, sampled at `size` equally spaced phases. */
template <typename SampleType>
struct Wavetable
{
    static constexpr int size = 1024;

    juce::Array<SampleType> samples;
};
} // namespace velk
