#include "effects/PitchShifter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include <emmintrin.h>

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
    requestedGrainSize = std::numeric_limits<FloatType>::quiet_NaN();

    // A grain that no longer fits a smaller memory is forgotten, heads included, so that no
    // head reads past the memory before the next grain size re-spaces them inside it.
    if (grainSize > (FloatType) buffer.size() - 1)
    {
        grainSize = 0;
        inverseGrainSize = 0;
        std::fill (grainOffsets.begin(), grainOffsets.end(), FloatType());
        circleSlots = 0;
        wholeGrain = 0;
        windowScale = 0;
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
    if (grainSizeInSamples == requestedGrainSize)
        return;

    requestedGrainSize = grainSizeInSamples;
    const auto size = std::max (FloatType (1), std::min (grainSizeInSamples, (FloatType) buffer.size() - 1));
    const auto changed = size != grainSize;

    grainSize = size;
    inverseGrainSize = 1 / size;
    circleSlots = (int) std::ceil (size);
    wholeGrain = (int) size;

    // A power of two scales exactly, so this is the distance's window position as
    // (distance * inverseGrainSize) * windowSize gives it, in one multiplication.
    windowScale = inverseGrainSize * (FloatType) windowSize;

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
    ratio = getRatioOf (semitones);
}

template <typename FloatType>
FloatType PitchShifter<FloatType>::getRatioOf (int semitones) const noexcept
{
    return ratioTable[(size_t) (juce::jlimit (-semitoneRange / 2, semitoneRange / 2, semitones) + semitoneRange)];
}

template <typename FloatType>
FloatType PitchShifter<FloatType>::getNextSample (FloatType input, FloatType feedback) noexcept
{
    const auto out = readHeads (placeHeads (getGeometry(), phase, writeIndex)) * (FloatType) wetGain;
    advance (input, feedback, out);
    return out;
}

template <typename FloatType>
bool PitchShifter<FloatType>::isInStepWith (const PitchShifter& other) const noexcept
{
    return writeIndex == other.writeIndex && phase == other.phase && grainSize == other.grainSize
           && ratio == other.ratio && grainOffsets == other.grainOffsets && buffer.size() == other.buffer.size();
}

template <typename FloatType>
void PitchShifter<FloatType>::getNextFrames (PitchShifter& left, PitchShifter& right, const float* inputLeft, const float* inputRight,
                                             const int* semitones, FloatType feedback, FloatType* wetLeft, FloatType* wetRight,
                                             int numFrames) noexcept
{
    jassert (left.isInStepWith (right));
    const auto feedbackGain = _mm_set1_pd (feedback);
    const auto ceiling = _mm_set1_pd (1.0);
    const auto floor = _mm_set1_pd (-1.0);
    const auto signBit = _mm_set1_pd (-0.0);
    const auto infinity = _mm_set1_pd (std::numeric_limits<double>::infinity());

    // The positions, the ratio and the memories in locals: the memories' stores could otherwise
    // land on the shifters' own members as far as the compiler can tell, which it would read
    // again after every frame.
    const auto geometry = left.getGeometry();
    auto* const leftBuffer = left.buffer.data();
    auto* const rightBuffer = right.buffer.data();
    auto headPhase = left.phase;
    auto writePosition = left.writeIndex;
    auto speed = left.ratio;

    // A modulated pitch moves in whole semitones, so most frames keep the ratio of the last.
    auto ratioSemitones = std::numeric_limits<int>::min();

    for (int i = 0; i < numFrames; ++i)
    {
        if (semitones != nullptr && semitones[i] != ratioSemitones)
        {
            ratioSemitones = semitones[i];
            speed = left.getRatioOf (ratioSemitones);
        }

        const auto taps = placeHeads (geometry, headPhase, writePosition);

        // Left in the low lane, right in the high one, each summed as readHeads() sums it.
        auto sum = _mm_setzero_pd();

        for (int head = 0; head < numGrains; ++head)
        {
            const auto a = _mm_loadh_pd (_mm_load_sd (leftBuffer + taps.index[head]), rightBuffer + taps.index[head]);
            const auto b = _mm_loadh_pd (_mm_load_sd (leftBuffer + taps.partner[head]), rightBuffer + taps.partner[head]);
            const auto interpolated = _mm_add_pd (a, _mm_mul_pd (_mm_set1_pd (taps.fraction[head]), _mm_sub_pd (b, a)));
            sum = _mm_add_pd (sum, _mm_mul_pd (interpolated, _mm_set1_pd (taps.weight[head])));
        }

        // advance() on both, side by side: the clamp keeps a NaN as jlimit does, and a value
        // that isn't finite fails the comparison and is written as silence.
        const auto outs = _mm_mul_pd (sum, _mm_set1_pd (wetGain));
        const auto fedBack = _mm_min_pd (ceiling, _mm_max_pd (floor, _mm_mul_pd (feedbackGain, outs)));
        const auto next = _mm_add_pd (_mm_set_pd ((double) inputRight[i], (double) inputLeft[i]), fedBack);
        const auto written = _mm_and_pd (next, _mm_cmplt_pd (_mm_andnot_pd (signBit, next), infinity));
        _mm_storel_pd (leftBuffer + writePosition, written);
        _mm_storeh_pd (rightBuffer + writePosition, written);
        _mm_storel_pd (wetLeft + i, outs);
        _mm_storeh_pd (wetRight + i, outs);
        movePositions (headPhase, writePosition, speed, geometry.grainSize, geometry.circleSlots);
    }

    for (auto* shifter : { &left, &right })
    {
        shifter->ratio = speed;
        shifter->phase = headPhase;
        shifter->writeIndex = writePosition;
    }
}

//==============================================================================
template <typename FloatType>
typename PitchShifter<FloatType>::Geometry PitchShifter<FloatType>::getGeometry() const noexcept
{
    Geometry geometry{ {}, grainSize, windowScale, window.data(), circleSlots, wholeGrain };
    std::copy (grainOffsets.begin(), grainOffsets.end(), geometry.offsets);
    return geometry;
}

template <typename FloatType>
forcedinline typename PitchShifter<FloatType>::HeadTaps PitchShifter<FloatType>::placeHeads (const Geometry& geometry, FloatType headPhase, int writePosition) noexcept
{
    static_assert (std::is_same_v<FloatType, double>, "the heads are placed two doubles at a time");

    // The four heads side by side, 0 and 1 in one register and 2 and 3 in the other: each
    // lane takes the steps (and the rounding) of one head placed on its own.
    const auto size = _mm_set1_pd (geometry.grainSize);
    const auto wrap = [size] (__m128d pos)
    { return _mm_sub_pd (pos, _mm_and_pd (_mm_cmpge_pd (pos, size), size)); };

    const auto pos01 = wrap (_mm_add_pd (_mm_load_pd (geometry.offsets), _mm_set1_pd (headPhase)));
    const auto pos23 = wrap (_mm_add_pd (_mm_load_pd (geometry.offsets + 2), _mm_set1_pd (headPhase)));
    const auto truncated01 = _mm_cvttpd_epi32 (pos01);
    const auto truncated23 = _mm_cvttpd_epi32 (pos23);

    HeadTaps taps;
    _mm_store_pd (taps.fraction, _mm_sub_pd (pos01, _mm_cvtepi32_pd (truncated01)));
    _mm_store_pd (taps.fraction + 2, _mm_sub_pd (pos23, _mm_cvtepi32_pd (truncated23)));

    const auto index = _mm_unpacklo_epi64 (truncated01, truncated23);
    const auto next = _mm_add_epi32 (index, _mm_set1_epi32 (1));
    _mm_store_si128 ((__m128i*) taps.index, index);
    _mm_store_si128 ((__m128i*) taps.partner, _mm_and_si128 (next, _mm_cmplt_epi32 (next, _mm_set1_epi32 (geometry.circleSlots))));

    // The distance ahead of the write position. One grain behind it at most, a whole grain
    // added is what adding the grain size and truncating gives; further behind (after the
    // grain shrank) each lane takes the long way.
    const auto zero = _mm_setzero_si128();
    const auto ahead = _mm_sub_epi32 (index, _mm_set1_epi32 (writePosition));
    auto distance = _mm_add_epi32 (ahead, _mm_and_si128 (_mm_cmplt_epi32 (ahead, zero), _mm_set1_epi32 (geometry.wholeGrain)));

    if (_mm_movemask_epi8 (_mm_cmplt_epi32 (distance, zero)) != 0)
    {
        alignas (16) int distances[numGrains];
        _mm_store_si128 ((__m128i*) distances, ahead);

        for (auto& d : distances)
            while (d < 0)
                d = (int) ((FloatType) d + geometry.grainSize);

        distance = _mm_load_si128 ((const __m128i*) distances);
    }

    const auto scale = _mm_set1_pd (geometry.windowScale);
    const auto window01 = _mm_cvttpd_epi32 (_mm_mul_pd (_mm_cvtepi32_pd (distance), scale));
    const auto window23 = _mm_cvttpd_epi32 (_mm_mul_pd (_mm_cvtepi32_pd (_mm_shuffle_epi32 (distance, _MM_SHUFFLE (1, 0, 3, 2))), scale));
    const auto windowIndex = _mm_unpacklo_epi64 (window01, window23);

    // The distance is below the grain size, so the index stays inside the table; the bound
    // only guards against a product that rounds up to exactly 1.
    const auto last = _mm_set1_epi32 (windowSize - 1);
    const auto beyond = _mm_cmpgt_epi32 (windowIndex, last);
    alignas (16) int windowIndices[numGrains];
    _mm_store_si128 ((__m128i*) windowIndices, _mm_or_si128 (_mm_and_si128 (beyond, last), _mm_andnot_si128 (beyond, windowIndex)));

    for (int head = 0; head < numGrains; ++head)
        taps.weight[head] = geometry.window[windowIndices[head]];

    return taps;
}

template <typename FloatType>
FloatType PitchShifter<FloatType>::readHeads (const HeadTaps& taps) const noexcept
{
    FloatType sum = 0;

    for (int head = 0; head < numGrains; ++head)
    {
        const auto a = buffer[(size_t) taps.index[head]];
        const auto b = buffer[(size_t) taps.partner[head]];
        sum += (a + taps.fraction[head] * (b - a)) * taps.weight[head];
    }

    return sum;
}

template <typename FloatType>
void PitchShifter<FloatType>::advance (FloatType input, FloatType feedback, FloatType out) noexcept
{
    // A NaN or infinite input would stay in the grain memory and be fed back for good.
    const auto next = input + juce::jlimit (FloatType (-1), FloatType (1), feedback * out);
    buffer[(size_t) writeIndex] = std::isfinite (next) ? next : FloatType();
    movePositions (phase, writeIndex, ratio, grainSize, circleSlots);
}

template <typename FloatType>
void PitchShifter<FloatType>::movePositions (FloatType& headPhase, int& writePosition, FloatType speed, FloatType size, int slots) noexcept
{
    headPhase += speed;

    if (headPhase >= size)
        headPhase -= size;

    writePosition = writePosition + 1 < slots ? writePosition + 1 : 0;
}

template class PitchShifter<double>;
} // namespace velk
