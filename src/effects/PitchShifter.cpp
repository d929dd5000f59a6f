#include "effects/PitchShifter.h"

#include <cmath>

namespace velk
{
namespace
{
    constexpr int semitoneRange = 48;
    constexpr double wetGain = 0.45;
} // namespace

template <typename FloatType>
PitchShifter<FloatType>::PitchShifter()
    : window ((size_t) windowSize),
      grainOffsets ((size_t) numGrains),
      ratioTable ((size_t) (2 * semitoneRange + 1))
{
    // Two raised-cosine periods over the table: a head weighs 0 at the write position and
    // half a grain away from it, 1 at a quarter and three quarters. With four heads a quarter
    // grain apart the weights sum to about 2, which the 0.45 wet gain brings back to 0.9.
    for (size_t n = 0; n < window.size(); ++n)
        window[n] = (FloatType) (0.5 * (1.0 - std::cos (4.0 * juce::MathConstants<double>::pi * (double) n / (double) (windowSize - 1))));

    for (size_t i = 0; i < ratioTable.size(); ++i)
        ratioTable[i] = std::exp2 ((FloatType) ((int) i - semitoneRange) * semitoneStep);
}

//==============================================================================
template <typename FloatType>
void PitchShifter<FloatType>::prepare (double sampleRate)
{
    buffer.assign ((size_t) (int) (sampleRate * 0.4), FloatType());
    writeIndex = 0;
    phase = 0;

    // A grain that no longer fits a smaller memory is forgotten, heads included, so that no
    // head reads past the memory before the next grain size re-spaces them inside it.
    if (grainSize > (FloatType) buffer.size() - 1)
    {
        grainSize = 0;
        inverseGrainSize = 0;
        std::fill (grainOffsets.begin(), grainOffsets.end(), FloatType());
    }
}

template <typename FloatType>
void PitchShifter<FloatType>::cleanUp() noexcept
{
    std::fill (buffer.begin(), buffer.end(), FloatType());
    writeIndex = 0;
    phase = 0;
}

template <typename FloatType>
void PitchShifter<FloatType>::setGrainSize (FloatType grainSizeInSamples) noexcept
{
    const auto size = std::max (FloatType (1), std::min (grainSizeInSamples, (FloatType) buffer.size() - 1));
    const auto changed = size != grainSize;

    grainSize = size;
    inverseGrainSize = 1 / size;

    if (!changed)
        return;

    while (phase >= size)
        phase -= size;

    for (int k = 1; k < numGrains; ++k)
        grainOffsets[(size_t) k] = (FloatType) k * (size * (FloatType) 0.25);
}

template <typename FloatType>
void PitchShifter<FloatType>::setSemitones (int semitones) noexcept
{
    ratio = ratioTable[(size_t) (juce::jlimit (-semitoneRange / 2, semitoneRange / 2, semitones) + semitoneRange)];
}

template <typename FloatType>
FloatType PitchShifter<FloatType>::getNextSample (FloatType input, FloatType feedback) noexcept
{
    FloatType sum = 0;

    for (int head = 0; head < numGrains; ++head)
        sum += readHead (head);

    const auto out = sum * (FloatType) wetGain;

    phase += ratio;

    if (phase >= grainSize)
        phase -= grainSize;

    // A NaN or infinite input would stay in the grain memory and be fed back for good.
    const auto next = input + juce::jlimit (FloatType (-1), FloatType (1), feedback * out);
    buffer[(size_t) writeIndex] = std::isfinite (next) ? next : FloatType();
    writeIndex = (FloatType) (writeIndex + 1) < grainSize ? writeIndex + 1 : 0;

    return out;
}

//==============================================================================
template <typename FloatType>
FloatType PitchShifter<FloatType>::readHead (int head) const noexcept
{
    auto pos = grainOffsets[(size_t) head] + phase;

    if (pos >= grainSize)
        pos -= grainSize;

    const auto i = (int) pos;
    const auto fraction = pos - (FloatType) i;
    const auto partner = (FloatType) (i + 1) < grainSize ? i + 1 : 0;

    auto distance = i - writeIndex;

    while (distance < 0)
        distance = (int) ((FloatType) distance + grainSize);

    // The distance is below the grain size, so the index stays inside the table; the bound
    // only guards against a product that rounds up to exactly 1.
    const auto windowIndex = juce::jmin (windowSize - 1, (int) ((FloatType) distance * inverseGrainSize * (FloatType) windowSize));
    const auto weight = window[(size_t) windowIndex];

    const auto a = buffer[(size_t) i];
    const auto b = buffer[(size_t) partner];
    return (a + fraction * (b - a)) * weight;
}

template class PitchShifter<double>;
} // namespace velk
