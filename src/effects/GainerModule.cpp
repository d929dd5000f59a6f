#include "effects/GainerModule.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterCreation.h"
#include "parameters/ParameterText.h"

namespace velk
{
const juce::String GainerModule::gainParameterMainUIDString{ "Gain" };

GainerModule::GainerModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep)
{
}

GainerModule::~GainerModule() = default;

juce::String GainerModule::getGainParameterUID() const
{
    return uid + "_" + gainParameterMainUIDString;
}

//==============================================================================
void GainerModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    gainValue = addFloatParameter (store, getGainParameterUID(), uid + " Gain",
                                   { -70.0f, maxGainDb, 0.01f, 1.5f }, defaultGainDb, "dB",
                                   getDecibelsParameterText);
}

void GainerModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);
    rampLengthSamples = (int) (sampleRate * 0.001 * 30.0);
}

void GainerModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    AudioEffectModule::precalculateForBlock();

    const auto knobDb = gainValue->load();
    const auto targetDb = modsActive ? knobDb + (maxGainDb - knobDb) * pollModulation (0) : knobDb;

    gainRamp.aimAt (targetDb, rampLengthSamples);
    buffer.applyGain (0, numSamples, toGain (gainRamp.current));
    gainRamp.advance (numSamples);
}

void GainerModule::precalculateForBlock()
{
    gainRamp.aimAt (gainValue->load(), rampLengthSamples);
    gain = toGain (gainRamp.current);
    AudioEffectModule::precalculateForBlock();
}

void GainerModule::calc()
{
    gainRamp.advance();

    if (!modsActive)
        return;

    const auto knobGain = toGain (gainValue->load());
    gain = knobGain + (1.0f - knobGain) * pollModulation (0);
}

float GainerModule::processSingleSample (float x, int)
{
    return x * gain;
}

juce::StringArray GainerModule::getModulationParameterNames() const
{
    return { getGainParameterUID() };
}

juce::String GainerModule::getParameterUID (int index) const
{
    return index == 0 ? getGainParameterUID() : juce::String();
}

//==============================================================================
float GainerModule::toGain (float decibels) noexcept
{
    return juce::Decibels::decibelsToGain (decibels);
}
} // namespace velk
