#include "effects/PitchShifterModule.h"

#include "modulation/EqualPowerCrossfade.h"
#include "modulation/ModulationsManager.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterText.h"

#include <array>

#include <emmintrin.h>

namespace velk
{
namespace
{
    constexpr int maxSemitones = 24;

    enum Row
    {
        pitchRow,
        sizeRow,
        feedbackRow,
        mixRow
    };

    constexpr std::array<ParameterSpec, 4> parameterRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "_Pitch", " Pitch", "Semi", { (float) -maxSemitones, (float) maxSemitones, 1.0f, 1.0f }, 0.0f, PitchShifterModule::getPitchText, 0, true, true },
        { "_Size", " Size", "Ms", { 10.0f, 200.0f, 1.0f, 0.5f }, 30.0f, getMillisecondsParameterText, 1, true, false },
        { "_Feedback", " Feed", "%", percentRange, 0.0f, getPercentParameterText, 2, true, false },
        { "_Mix", " Mix", "%", percentRange, 100.0f, getPercentParameterText, 3, true, true },
    } };

    int clampSemitones (int semitones) noexcept
    {
        return juce::jlimit (-maxSemitones, maxSemitones, semitones);
    }
} // namespace

juce::String PitchShifterModule::getPitchText (float semitones)
{
    return juce::String (roundToIndex (semitones)) + " Semi";
}

PitchShifterModule::PitchShifterModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep, parameterRows),
      shifters ((size_t) juce::jmax (0, numChannelsToKeep))
{
}

PitchShifterModule::~PitchShifterModule() = default;

//==============================================================================
void PitchShifterModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    const auto values = createParameters (store);
    pitchValue = values[pitchRow];
    sizeValue = values[sizeRow];
    feedbackValue = values[feedbackRow];
    mixValue = values[mixRow];
}

void PitchShifterModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);

    for (auto& shifter : shifters)
        shifter.prepare (sampleRate);

    rampLengthSamples = rampLengthInSamples (sampleRate, moduleRampMs);
}

void PitchShifterModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    precalculateForBlock();

    if (modsActive)
        applyModulation();

    const auto channelsToShift = juce::jmin (buffer.getNumChannels(), (int) shifters.size());

    for (int channel = 0; channel < channelsToShift; ++channel)
    {
        auto* samples = buffer.getWritePointer (channel);

        for (int i = 0; i < numSamples; ++i)
            samples[i] = processSingleSample (samples[i], channel);
    }

    mixRamp.advance (numSamples);
}

void PitchShifterModule::precalculateForBlock()
{
    feedback = (float) (feedbackValue->load() * 0.01 * maxFeedbackGain);
    mixRamp.aimAt (mixValue->load(), rampLengthSamples);
    pitchSemitones = clampSemitones (roundToIndex (pitchValue->load()));
    mix = (float) (mixRamp.current * 0.01);

    followGrainSize();
    setSemitones (pitchSemitones);
    AudioEffectModule::precalculateForBlock();
}

void PitchShifterModule::precalculateForBypassedBlock()
{
    // Each change of the grain size folds the heads' phase into the new grain, so a bypassed
    // shifter still takes every size the knob passes through.
    followGrainSize();
}

void PitchShifterModule::calc()
{
    mixRamp.advance();

    if (modsActive)
        applyModulation();
}

float PitchShifterModule::processSingleSample (float x, int channel)
{
    const auto fb = juce::jlimit (0.0f, 1.0f, feedback);
    const auto wet = shifters[(size_t) channel].getNextSample (x, fb);
    return applyMix (EqualPowerGains (clampMix (mix)), x, wet);
}

void PitchShifterModule::processFrames (float* left, float* right, int numFrames)
{
    jassert (shifters.size() >= 2 && numFrames <= maxFrames);
    auto& leftShifter = shifters[0];
    auto& rightShifter = shifters[1];
    const auto fb = (double) juce::jlimit (0.0f, 1.0f, feedback);
    std::array<int, maxFrames> semitones;
    std::array<EqualPowerGains, maxFrames> gains;

    if (modsActive && numFrames > 0)
    {
        const auto knobPitch = pitchValue->load();
        const auto knobMix = mixValue->load();
        const auto* pitchModulation = getModulationFrames (0);
        const auto* mixModulation = getModulationFrames (1);
        std::array<float, maxFrames> mixes;
        modulateFrames (knobPitch, knobMix, pitchModulation, mixModulation, semitones.data(), mixes.data(), numFrames);
        makeEqualPowerGains (mixes.data(), gains.data(), numFrames);
        mix = modulatedMix (knobMix, mixModulation[numFrames - 1]);
        pitchSemitones = semitones[(size_t) numFrames - 1];
    }
    else
    {
        std::fill (gains.begin(), gains.begin() + numFrames, EqualPowerGains (clampMix (mix)));
    }

    std::array<double, maxFrames> wetLeft, wetRight;

    if (leftShifter.isInStepWith (rightShifter))
    {
        PitchShifter<double>::getNextFrames (leftShifter, rightShifter, left, right, modsActive ? semitones.data() : nullptr,
                                             fb, wetLeft.data(), wetRight.data(), numFrames);
    }
    else
    {
        // Channels that went apart (a frame given to one of them only) go on one by one.
        for (size_t i = 0; i < (size_t) numFrames; ++i)
        {
            if (modsActive)
                setSemitones (semitones[i]);

            wetLeft[i] = leftShifter.getNextSample (left[i], fb);
            wetRight[i] = rightShifter.getNextSample (right[i], fb);
        }
    }

    for (size_t i = 0; i < (size_t) numFrames; ++i)
    {
        left[i] = applyMix (gains[i], left[i], wetLeft[i]);
        right[i] = applyMix (gains[i], right[i], wetRight[i]);
    }

    mixRamp.advance (numFrames);
}

void PitchShifterModule::cleanUp()
{
    for (auto& shifter : shifters)
        shifter.cleanUp();
}

//==============================================================================
float PitchShifterModule::clampMix (float mixAmount) noexcept
{
    return juce::jlimit (0.0f, 1.0f, mixAmount);
}

float PitchShifterModule::applyMix (const EqualPowerGains& gains, float x, double shifted) noexcept
{
    return (float) (shifted * gains.wet + (double) x * gains.dry);
}

void PitchShifterModule::applyModulation() noexcept
{
    const auto pitchModulation = pollModulation (0);
    const auto mixModulation = pollModulation (1);
    pitchSemitones = modulatedSemitones (pitchValue->load(), pitchModulation);
    mix = modulatedMix (mixValue->load(), mixModulation);
    setSemitones (pitchSemitones);
}

void PitchShifterModule::modulateFrames (float knobPitch, float knobMix, const float* pitchModulation, const float* mixModulation,
                                         int* semitones, float* mixes, int numFrames) noexcept
{
    // modulatedSemitones() and clampMix (modulatedMix()) of four frames side by side, every
    // step the same on each lane. The rounding is roundToIndex()'s: the low word of the sum
    // with 1.5 * 2^52 in double precision; the clamps select as juce::jlimit() does.
    const auto pitchRange = _mm_set1_ps ((float) maxSemitones - knobPitch);
    const auto pitchKnob = _mm_set1_ps (knobPitch);
    const auto mixRange = _mm_set1_ps (percentRange.end - knobMix);
    const auto mixKnob = _mm_set1_ps (knobMix);
    const auto hundredth = _mm_set1_ps (0.01f);
    const auto roundingBias = _mm_set1_pd (6755399441055744.0);
    const auto highest = _mm_set1_epi32 (maxSemitones);
    const auto lowest = _mm_set1_epi32 (-maxSemitones);
    const auto pick = [] (__m128i condition, __m128i whenTrue, __m128i whenFalse)
    { return _mm_or_si128 (_mm_and_si128 (condition, whenTrue), _mm_andnot_si128 (condition, whenFalse)); };
    int i = 0;

    for (; i + 4 <= numFrames; i += 4)
    {
        const auto pitch = _mm_add_ps (_mm_mul_ps (pitchRange, _mm_loadu_ps (pitchModulation + i)), pitchKnob);
        const auto first = _mm_castpd_ps (_mm_add_pd (_mm_cvtps_pd (pitch), roundingBias));
        const auto last = _mm_castpd_ps (_mm_add_pd (_mm_cvtps_pd (_mm_movehl_ps (pitch, pitch)), roundingBias));
        const auto rounded = _mm_castps_si128 (_mm_shuffle_ps (first, last, _MM_SHUFFLE (2, 0, 2, 0)));
        const auto clamped = pick (_mm_cmplt_epi32 (rounded, lowest), lowest, pick (_mm_cmpgt_epi32 (rounded, highest), highest, rounded));
        _mm_storeu_si128 (reinterpret_cast<__m128i*> (semitones + i), clamped);

        const auto mix = _mm_mul_ps (_mm_add_ps (_mm_mul_ps (mixRange, _mm_loadu_ps (mixModulation + i)), mixKnob), hundredth);
        _mm_storeu_ps (mixes + i, _mm_min_ps (_mm_set1_ps (1.0f), _mm_max_ps (_mm_setzero_ps(), mix)));
    }

    for (; i < numFrames; ++i)
    {
        semitones[i] = modulatedSemitones (knobPitch, pitchModulation[i]);
        mixes[i] = clampMix (modulatedMix (knobMix, mixModulation[i]));
    }
}

int PitchShifterModule::modulatedSemitones (float knobPitch, float modulation) noexcept
{
    return clampSemitones (roundToIndex (((float) maxSemitones - knobPitch) * modulation + knobPitch));
}

float PitchShifterModule::modulatedMix (float knobMix, float modulation) noexcept
{
    return ((percentRange.end - knobMix) * modulation + knobMix) * 0.01f;
}

void PitchShifterModule::followGrainSize() noexcept
{
    const auto grainSize = sampleRate * 0.001 * (double) sizeValue->load();

    for (auto& shifter : shifters)
        shifter.setGrainSize (grainSize);
}

void PitchShifterModule::setSemitones (int semitones) noexcept
{
    for (auto& shifter : shifters)
        shifter.setSemitones (semitones);
}
} // namespace velk
