#include "effects/DelayLine.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include <emmintrin.h>

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
void DelayLine<FloatType>::takeDelayOf (const DelayLine& other) noexcept
{
    jassert (buffer.size() == other.buffer.size() && glideLength == other.glideLength);
    delayInSamples = other.delayInSamples;
    delayRamp = other.delayRamp;
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
    const EqualPowerGains gains (mix);
    return input * gains.dry + lastOutput * gains.wet;
}

template <typename FloatType>
FloatType DelayLine<FloatType>::getNextCrossFedSample (FloatType input, FloatType echo, FloatType feedback) noexcept
{
    lastOutput = echo;
    return writeAndRead (input + feedback * lastOutput);
}

template <typename FloatType>
bool DelayLine<FloatType>::isInStepWith (const DelayLine& other) const noexcept
{
    return buffer.size() == other.buffer.size() && writeIndex == other.writeIndex
           && delayInSamples == other.delayInSamples && glideLength == other.glideLength
           && delayRamp.current == other.delayRamp.current && delayRamp.step == other.delayRamp.step
           && delayRamp.countdown == other.delayRamp.countdown;
}

template <typename FloatType>
void DelayLine<FloatType>::getNextFrames (DelayLine& left, DelayLine& right, float* samplesLeft, float* samplesRight,
                                          const FloatType* delays, FloatType feedback, const EqualPowerGains* gains,
                                          int numFrames) noexcept
{
    static_assert (std::is_same_v<FloatType, double>, "the two lines run side by side in one register");
    jassert (left.isInStepWith (right));

    const auto feedbackGain = _mm_set1_pd (feedback);
    const auto signBit = _mm_set1_pd (-0.0);
    const auto infinity = _mm_set1_pd (std::numeric_limits<double>::infinity());
    auto lastOutputs = _mm_set_pd (right.lastOutput, left.lastOutput);

    for (int i = 0; i < numFrames; ++i)
    {
        // The left line's delay and glide stand for both.
        if (delays != nullptr)
            left.setDelayInSamples (delays[i]);

        // write() on both side by side: a value that isn't finite fails the comparison and is
        // written as silence.
        const auto inputs = _mm_cvtps_pd (_mm_unpacklo_ps (_mm_load_ss (samplesLeft + i), _mm_load_ss (samplesRight + i)));
        const auto next = _mm_add_pd (inputs, _mm_mul_pd (feedbackGain, lastOutputs));
        const auto written = _mm_and_pd (next, _mm_cmplt_pd (_mm_andnot_pd (signBit, next), infinity));
        _mm_storel_pd (left.buffer.data() + left.writeIndex, written);
        _mm_storeh_pd (right.buffer.data() + left.writeIndex, written);
        left.moveWritePosition();

        const auto tap = left.placeRead (left.glideDelay());
        const auto a = _mm_loadh_pd (_mm_load_sd (left.buffer.data() + tap.index), right.buffer.data() + tap.index);
        const auto b = _mm_loadh_pd (_mm_load_sd (left.buffer.data() + tap.partner), right.buffer.data() + tap.partner);
        lastOutputs = _mm_add_pd (a, _mm_mul_pd (_mm_set1_pd (tap.fraction), _mm_sub_pd (b, a)));

        const auto mixed = _mm_add_pd (_mm_mul_pd (inputs, _mm_set1_pd (gains[i].dry)), _mm_mul_pd (lastOutputs, _mm_set1_pd (gains[i].wet)));
        const auto rounded = _mm_cvtpd_ps (mixed);
        _mm_store_ss (samplesLeft + i, rounded);
        _mm_store_ss (samplesRight + i, _mm_shuffle_ps (rounded, rounded, _MM_SHUFFLE (1, 1, 1, 1)));
    }

    _mm_storel_pd (&left.lastOutput, lastOutputs);
    _mm_storeh_pd (&right.lastOutput, lastOutputs);
    right.writeIndex = left.writeIndex;
    right.takeDelayOf (left);
}

template <typename FloatType>
void DelayLine<FloatType>::getNextCrossFedFrames (DelayLine& left, DelayLine& right, float* samplesLeft, float* samplesRight,
                                                  const FloatType* delays, FloatType feedback, const EqualPowerGains* gains,
                                                  CrossFeed& crossFeed, int numFrames) noexcept
{
    jassert (left.isInStepWith (right));

    for (int i = 0; i < numFrames; ++i)
    {
        // The left line's delay and glide stand for both.
        if (delays != nullptr)
            left.setDelayInSamples (delays[i]);

        // The left side hears the right side of the frame before; the right side hears this
        // frame's left side.
        left.lastOutput = crossFeed.echoes[1];
        left.write ((FloatType) crossFeed.inputs[1] + feedback * left.lastOutput);
        const auto tap = left.placeRead (left.glideDelay());
        const auto leftInput = samplesLeft[i];
        const auto leftEcho = (float) left.read (tap);

        right.lastOutput = leftEcho;
        right.write ((FloatType) leftInput + feedback * right.lastOutput);
        const auto rightInput = samplesRight[i];
        const auto rightEcho = (float) right.read (tap);

        crossFeed = { { leftInput, rightInput }, { leftEcho, rightEcho } };
        samplesLeft[i] = leftInput * gains[i].dry + leftEcho * gains[i].wet;
        samplesRight[i] = rightInput * gains[i].dry + rightEcho * gains[i].wet;
    }

    right.takeDelayOf (left);
}

//==============================================================================
template <typename FloatType>
FloatType DelayLine<FloatType>::writeAndRead (FloatType valueToWrite) noexcept
{
    write (valueToWrite);
    return read (placeRead (glideDelay()));
}

template <typename FloatType>
void DelayLine<FloatType>::write (FloatType valueToWrite) noexcept
{
    // A NaN or infinite sample, once written, would circle through the feedback for good and
    // silence the echoes of everything played after it: silence takes its place.
    buffer[(size_t) writeIndex] = std::isfinite (valueToWrite) ? valueToWrite : FloatType();
    moveWritePosition();
}

template <typename FloatType>
void DelayLine<FloatType>::moveWritePosition() noexcept
{
    writeIndex = writeIndex + 1 < getMaximumLength() ? writeIndex + 1 : 0;
}

template <typename FloatType>
FloatType DelayLine<FloatType>::glideDelay() noexcept
{
    if (!glideEnabled)
        return delayInSamples;

    delayRamp.advance();
    return delayRamp.current;
}

template <typename FloatType>
typename DelayLine<FloatType>::ReadTap DelayLine<FloatType>::placeRead (FloatType delay) const noexcept
{
    const auto length = getMaximumLength();

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
    return { i, i < length - 1 ? i + 1 : 0, pos - (FloatType) i };
}

template <typename FloatType>
FloatType DelayLine<FloatType>::read (const ReadTap& tap) const noexcept
{
    const auto a = buffer[(size_t) tap.index];
    return a + tap.fraction * (buffer[(size_t) tap.partner] - a);
}

template class DelayLine<double>;
} // namespace velk
