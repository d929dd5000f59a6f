#include "effects/PannerModule.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterText.h"

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

        for (int i = 0; i < numFrames; ++i)
        {
            const auto position = modulatedPosition (knob, modulation[i]);
            left[i] *= leftGainAt (position);
            right[i] *= rightGainAt (position);
        }

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
