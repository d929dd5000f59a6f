#include "effects/DelayLine.h"

#include "modulation/EqualPowerCrossfade.h"

#include <cmath>

namespace velk
{
template <typename FloatType>
DelayLine<FloatType>::DelayLine() = default;

//==============================================================================
template <typename FloatType>
void DelayLine<FloatType>::setMaximumLength (int newLength)
{
    buffer.resize ((size_t) juce::jmax (0, newLength), FloatType());

    if (writeIndex >= getMaximumLength())
        writeIndex = 0;
}

template <typename FloatType>
void DelayLine<FloatType>::setGlideLength (int newGlideLength) noexcept
{
    glideLength = juce::jmax (0, newGlideLength);
    glideEnabled = glideLength > 0;
}

template <typename FloatType>
void DelayLine<FloatType>::setDelayInSamples (FloatType newDelay) noexcept
{
    // NaN would reach the read position, and infinity would never halve into the line.
    if (!std::isfinite (newDelay))
        return;

    // Halving keeps the echo on the beat (an octave of time) where clipping would not.
    const auto longestDelay = (FloatType) (getMaximumLength() - 1);

    while (newDelay > longestDelay && longestDelay > 0)
        newDelay *= (FloatType) 0.5;

    delayInSamples = newDelay;
    delayRamp.aimAt (newDelay, glideLength);
}

template <typename FloatType>
void DelayLine<FloatType>::cleanUp() noexcept
{
    std::fill (buffer.begin(), buffer.end(), FloatType());
    lastOutput = 0;
    writeIndex = 0;
}

template <typename FloatType>
FloatType DelayLine<FloatType>::getNextSampleWithDryWetMix (FloatType input, FloatType feedback, FloatType mix) noexcept
{
    lastOutput = writeAndRead (input + feedback * lastOutput);
    return input * equalPowerDryGain (mix) + lastOutput * equalPowerWetGain (mix);
}

template <typename FloatType>
FloatType DelayLine<FloatType>::getNextCrossFedSample (FloatType input, FloatType echo, FloatType feedback) noexcept
{
    lastOutput = echo;
    return writeAndRead (input + feedback * lastOutput);
}

//==============================================================================
template <typename FloatType>
FloatType DelayLine<FloatType>::writeAndRead (FloatType valueToWrite) noexcept
{
    const auto length = getMaximumLength();

    // A NaN or infinite sample, once written, would circle through the feedback for good and
    // silence the echoes of everything played after it: silence takes its place.
    buffer[(size_t) writeIndex] = std::isfinite (valueToWrite) ? valueToWrite : FloatType();
    writeIndex = writeIndex + 1 < length ? writeIndex + 1 : 0;

    FloatType delay = delayInSamples;

    if (glideEnabled)
    {
        delayRamp.advance();
        delay = delayRamp.current;
    }

    // The read follows the write advance, so a delay of D samples sounds D - 1 samples after
    // the write, and a delay of 1 reads what was just written.
    auto pos = (FloatType) writeIndex - delay;

    if (pos >= (FloatType) length)
        pos -= (FloatType) length;

    if (pos < 0)
        pos += (FloatType) length;

    // Both tests fail for NaN, which therefore lands on the first slot instead of becoming an
    // index out of the buffer.
    if (!(pos >= 0))
        pos = 0;
    else if (!(pos < (FloatType) length))
        pos = (FloatType) (length - 1);

    const auto i = (int) pos;
    const auto partner = i < length - 1 ? i + 1 : 0;
    const auto a = buffer[(size_t) i];
    return a + (pos - (FloatType) i) * (buffer[(size_t) partner] - a);
}

template class DelayLine<double>;
} // namespace velk
