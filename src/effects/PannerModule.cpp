#include "effects/PannerModule.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterText.h"

#include <xmmintrin.h>

namespace velk
{
namespace
{
    constexpr std::array<ParameterSpec, 1> parameterRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "_Pan", " Pan", "%", percentRange, 50.0f, getPercentParameterText, 0, true, true },
    } };
} // namespace

PannerModule::PannerModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep, parameterRows),
      panRamp{ parameterRows[0].defaultValue }
{
}

PannerModule::~PannerModule() = default;

//==============================================================================
void PannerModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    panValue = createParameters (store)[0];
}

void PannerModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);
    rampLengthSamples = rampLengthInSamples (sampleRate, moduleRampMs);
}

void PannerModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    precalculateForBlock();

    if (modsActive)
        applyPanLaw (getModulatedPosition());

    buffer.applyGain (0, 0, numSamples, leftGain);

    if (buffer.getNumChannels() > 1)
        buffer.applyGain (1, 0, numSamples, rightGain);

    panRamp.advance (numSamples);
}

void PannerModule::precalculateForBlock()
{
    panRamp.aimAt (panValue->load(), rampLengthSamples);
    applyPanLaw (panRamp.current * 0.01f);
    AudioEffectModule::precalculateForBlock();
}

void PannerModule::calc()
{
    panRamp.advance();

    if (modsActive)
        applyPanLaw (getModulatedPosition());
}

float PannerModule::processSingleSample (float x, int channel)
{
    return x * (channel == 0 ? leftGain : rightGain);
}

void PannerModule::processFrames (float* left, float* right, int numFrames)
{
    if (modsActive)
    {
        const auto knob = panValue->load();
        const auto* modulation = getModulationFrames (0);
        panFrames (left, right, knob, modulation, numFrames);

        if (numFrames > 0)
            applyPanLaw (modulatedPosition (knob, modulation[numFrames - 1]));
    }
    else
    {
        for (int i = 0; i < numFrames; ++i)
        {
            left[i] *= leftGain;
            right[i] *= rightGain;
        }
    }

    panRamp.advance (numFrames);
}

//==============================================================================
void PannerModule::panFrames (float* left, float* right, float knob, const float* modulation, int numFrames) noexcept
{
    // Four frames side by side: every lane works out both sides of the pan law and picks the
    // one that leftGainAt() and rightGainAt() pick.
    const auto knobs = _mm_set1_ps (knob);
    const auto rangeAbove = _mm_set1_ps (percentRange.end - knob);
    const auto hundredth = _mm_set1_ps (0.01f);
    const auto half = _mm_set1_ps (0.5f);
    const auto one = _mm_set1_ps (1.0f);
    const auto two = _mm_set1_ps (2.0f);
    const auto pick = [] (__m128 condition, __m128 whenTrue, __m128 whenFalse)
    { return _mm_or_ps (_mm_and_ps (condition, whenTrue), _mm_andnot_ps (condition, whenFalse)); };
    int i = 0;

    for (; i + 4 <= numFrames; i += 4)
    {
        const auto position = _mm_mul_ps (_mm_add_ps (knobs, _mm_mul_ps (rangeAbove, _mm_loadu_ps (modulation + i))), hundredth);
        const auto falling = _mm_sub_ps (one, _mm_mul_ps (two, _mm_sub_ps (position, half)));
        const auto rising = _mm_mul_ps (two, position);
        _mm_storeu_ps (left + i, _mm_mul_ps (_mm_loadu_ps (left + i), pick (_mm_cmplt_ps (position, half), one, falling)));
        _mm_storeu_ps (right + i, _mm_mul_ps (_mm_loadu_ps (right + i), pick (_mm_cmpgt_ps (position, half), one, rising)));
    }

    for (; i < numFrames; ++i)
    {
        const auto position = modulatedPosition (knob, modulation[i]);
        left[i] *= leftGainAt (position);
        right[i] *= rightGainAt (position);
    }
}

float PannerModule::getModulatedPosition() const noexcept
{
    return modulatedPosition (panValue->load(), pollModulation (0));
}

float PannerModule::modulatedPosition (float knob, float modulation) noexcept
{
    return (knob + (percentRange.end - knob) * modulation) * 0.01f;
}

void PannerModule::applyPanLaw (float position) noexcept
{
    leftGain = leftGainAt (position);
    rightGain = rightGainAt (position);
}

float PannerModule::leftGainAt (float position) noexcept
{
    return position < 0.5f ? 1.0f : 1.0f - 2.0f * (position - 0.5f);
}

float PannerModule::rightGainAt (float position) noexcept
{
    return position > 0.5f ? 1.0f : 2.0f * position;
}
} // namespace velk
