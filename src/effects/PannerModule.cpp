#include "effects/PannerModule.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterCreation.h"
#include "parameters/ParameterText.h"

namespace velk
{
PannerModule::PannerModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep)
{
}

PannerModule::~PannerModule() = default;

//==============================================================================
void PannerModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    panValue = addFloatParameter (store, getPanParameterUID(), uid + " Pan",
                                  { 0.0f, 100.0f, 0.01f, 1.0f }, 50.0f, "%",
                                  getPercentParameterText);
}

void PannerModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);
    rampLengthSamples = (int) (sampleRate * 0.001 * 30.0);
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

juce::StringArray PannerModule::getModulationParameterNames() const
{
    return { getPanParameterUID() };
}

juce::String PannerModule::getParameterUID (int index) const
{
    return index == 0 ? getPanParameterUID() : juce::String();
}

//==============================================================================
juce::String PannerModule::getPanParameterUID() const
{
    return uid + "_Pan";
}

float PannerModule::getModulatedPosition() const noexcept
{
    const auto knob = panValue->load();
    return (knob + (100.0f - knob) * pollModulation (0)) * 0.01f;
}

void PannerModule::applyPanLaw (float position) noexcept
{
    leftGain = position < 0.5f ? 1.0f : 1.0f - 2.0f * (position - 0.5f);
    rightGain = position > 0.5f ? 1.0f : 2.0f * position;
}
} // namespace velk
