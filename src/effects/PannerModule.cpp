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

//==============================================================================
float PannerModule::getModulatedPosition() const noexcept
{
    const auto knob = panValue->load();
    return (knob + (percentRange.end - knob) * pollModulation (0)) * 0.01f;
}

void PannerModule::applyPanLaw (float position) noexcept
{
    leftGain = position < 0.5f ? 1.0f : 1.0f - 2.0f * (position - 0.5f);
    rightGain = position > 0.5f ? 1.0f : 2.0f * position;
}
} // namespace velk
