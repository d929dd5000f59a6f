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

    if (cursor.writeIndex >= getMaximumLength())
        cursor.writeIndex = 0;
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
    aim (cursor, newDelay, getMaximumLength(), glideLength);
}

template <typename FloatType>
void DelayLine<FloatType>::takeDelayOf (const DelayLine& other) noexcept
{
    jassert (buffer.size() == other.buffer.size() && glideLength == other.glideLength);
    cursor.delayInSamples = other.cursor.delayInSamples;
    cursor.delayRamp = other.cursor.delayRamp;
}

template <typename FloatType>
void DelayLine<FloatType>::cleanUp() noexcept
{
    std::fill (buffer.begin(), buffer.end(), FloatType());
    lastOutput = 0;
    cursor.writeIndex = 0;
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
    const auto& a = cursor;
    const auto& b = other.cursor;
    return buffer.size() == other.buffer.size() && a.writeIndex == b.writeIndex
           && a.delayInSamples == b.delayInSamples && glideLength == other.glideLength
           && a.delayRamp.current == b.delayRamp.current && a.delayRamp.step == b.delayRamp.step
           && a.delayRamp.countdown == b.delayRamp.countdown;
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

    // The left line's cursor stands for both.
    auto position = left.cursor;
    const auto length = left.getMaximumLength();
    auto* const leftBuffer = left.buffer.data();
    auto* const rightBuffer = right.buffer.data();

    for (int i = 0; i < numFrames; ++i)
    {
        if (delays != nullptr)
            aim (position, delays[i], length, left.glideLength);

        // write() on both side by side: a value that isn't finite fails the comparison and is
        // written as silence.
        const auto inputs = _mm_cvtps_pd (_mm_unpacklo_ps (_mm_load_ss (samplesLeft + i), _mm_load_ss (samplesRight + i)));
        const auto next = _mm_add_pd (inputs, _mm_mul_pd (feedbackGain, lastOutputs));
        const auto written = _mm_and_pd (next, _mm_cmplt_pd (_mm_andnot_pd (signBit, next), infinity));
        _mm_storel_pd (leftBuffer + position.writeIndex, written);
        _mm_storeh_pd (rightBuffer + position.writeIndex, written);
        moveWritePosition (position, length);

        const auto tap = placeRead (position, glideDelay (position, left.glideEnabled), length);
        const auto a = _mm_loadh_pd (_mm_load_sd (leftBuffer + tap.index), rightBuffer + tap.index);
        const auto b = _mm_loadh_pd (_mm_load_sd (leftBuffer + tap.partner), rightBuffer + tap.partner);
        lastOutputs = _mm_add_pd (a, _mm_mul_pd (_mm_set1_pd (tap.fraction), _mm_sub_pd (b, a)));

        const auto mixed = _mm_add_pd (_mm_mul_pd (inputs, _mm_set1_pd (gains[i].dry)), _mm_mul_pd (lastOutputs, _mm_set1_pd (gains[i].wet)));
        const auto rounded = _mm_cvtpd_ps (mixed);
        _mm_store_ss (samplesLeft + i, rounded);
        _mm_store_ss (samplesRight + i, _mm_shuffle_ps (rounded, rounded, _MM_SHUFFLE (1, 1, 1, 1)));
    }

    _mm_storel_pd (&left.lastOutput, lastOutputs);
    _mm_storeh_pd (&right.lastOutput, lastOutputs);
    left.cursor = position;
    right.cursor = position;
}

template <typename FloatType>
void DelayLine<FloatType>::getNextCrossFedFrames (DelayLine& left, DelayLine& right, float* samplesLeft, float* samplesRight,
                                                  const FloatType* delays, FloatType feedback, const EqualPowerGains* gains,
                                                  CrossFeed& crossFeed, int numFrames) noexcept
{
    jassert (left.isInStepWith (right));

    // The left line's cursor stands for both.
    auto position = left.cursor;
    const auto length = left.getMaximumLength();
    auto* const leftBuffer = left.buffer.data();
    auto* const rightBuffer = right.buffer.data();
    auto feed = crossFeed;
    auto leftLastOutput = left.lastOutput;
    auto rightLastOutput = right.lastOutput;

    for (int i = 0; i < numFrames; ++i)
    {
        if (delays != nullptr)
            aim (position, delays[i], length, left.glideLength);

        // The left side hears the right side of the frame before; the right side hears this
        // frame's left side. Both write at the same position and read at the same tap.
        const auto writeIndex = position.writeIndex;
        leftLastOutput = feed.echoes[1];
        leftBuffer[writeIndex] = silenceIfNotFinite ((FloatType) feed.inputs[1] + feedback * leftLastOutput);
        moveWritePosition (position, length);
        const auto tap = placeRead (position, glideDelay (position, left.glideEnabled), length);
        const auto leftInput = samplesLeft[i];
        const auto leftEcho = (float) left.read (tap);

        rightLastOutput = leftEcho;
        rightBuffer[writeIndex] = silenceIfNotFinite ((FloatType) leftInput + feedback * rightLastOutput);
        const auto rightInput = samplesRight[i];
        const auto rightEcho = (float) right.read (tap);

        feed = { { leftInput, rightInput }, { leftEcho, rightEcho } };
        samplesLeft[i] = leftInput * gains[i].dry + leftEcho * gains[i].wet;
        samplesRight[i] = rightInput * gains[i].dry + rightEcho * gains[i].wet;
    }

    crossFeed = feed;
    left.lastOutput = leftLastOutput;
    right.lastOutput = rightLastOutput;
    left.cursor = position;
    right.cursor = position;
}

//==============================================================================
template <typename FloatType>
FloatType DelayLine<FloatType>::writeAndRead (FloatType valueToWrite) noexcept
{
    // A NaN or infinite sample, once written, would circle through the feedback for good and
    // silence the echoes of everything played after it: silence takes its place.
    const auto length = getMaximumLength();
    buffer[(size_t) cursor.writeIndex] = silenceIfNotFinite (valueToWrite);
    moveWritePosition (cursor, length);
    return read (placeRead (cursor, glideDelay (cursor, glideEnabled), length));
}

template <typename FloatType>
FloatType DelayLine<FloatType>::read (const ReadTap& tap) const noexcept
{
    const auto a = buffer[(size_t) tap.index];
    return a + tap.fraction * (buffer[(size_t) tap.partner] - a);
}

template <typename FloatType>
void DelayLine<FloatType>::aim (Cursor& position, FloatType newDelay, int length, int glide) noexcept
{
    // NaN would reach the read position, and infinity would never halve into the line.
    if (!std::isfinite (newDelay))
        return;

    // Halving keeps the echo on the beat (an octave of time) where clipping would not.
    const auto longestDelay = (FloatType) (length - 1);

    while (newDelay > longestDelay && longestDelay > 0)
        newDelay *= (FloatType) 0.5;

    position.delayInSamples = newDelay;
    position.delayRamp.aimAt (newDelay, glide);
}

template <typename FloatType>
void DelayLine<FloatType>::moveWritePosition (Cursor& position, int length) noexcept
{
    position.writeIndex = position.writeIndex + 1 < length ? position.writeIndex + 1 : 0;
}

template <typename FloatType>
FloatType DelayLine<FloatType>::glideDelay (Cursor& position, bool gliding) noexcept
{
    if (!gliding)
        return position.delayInSamples;

    position.delayRamp.advance();
    return position.delayRamp.current;
}

template <typename FloatType>
typename DelayLine<FloatType>::ReadTap DelayLine<FloatType>::placeRead (const Cursor& position, FloatType delay, int length) noexcept
{
    // The read follows the write advance, so a delay of D samples sounds D - 1 samples after
    // the write, and a delay of 1 reads what was just written.
    auto pos = (FloatType) position.writeIndex - delay;

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
FloatType DelayLine<FloatType>::silenceIfNotFinite (FloatType value) noexcept
{
    return std::isfinite (value) ? value : FloatType();
}

template class DelayLine<double>;
} // namespace velk
