#include "effects/AudioEffectModule.h"

#include "modulation/ModulationsManager.h"

namespace velk
{
AudioEffectModule::AudioEffectModule (const juce::String& moduleUid, int numChannelsToKeep, ParameterTable parameters)
    : uid (moduleUid), numChannels (numChannelsToKeep), parameterTable (parameters)
{
}

AudioEffectModule::~AudioEffectModule() = default;

//==============================================================================
void AudioEffectModule::registerParameters (juce::AudioProcessorValueTreeState&) {}

void AudioEffectModule::precalculateForBlock()
{
    // The indices were filed at registration, one per modulation parameter name, so they
    // stand in for the name list and nothing is built on the audio thread.
    modsActive = manager != nullptr && manager->areModsActiveForTargets (targetIndices);
}

void AudioEffectModule::precalculateForBypassedBlock() {}

void AudioEffectModule::calc() {}

void AudioEffectModule::cleanUp() {}

juce::StringArray AudioEffectModule::getModulationParameterNames() const
{
    return parameterTable.getModulationTargets (uid);
}

juce::String AudioEffectModule::getParameterUID (int index) const
{
    return parameterTable.getParameterUID (uid, index);
}

//==============================================================================
void AudioEffectModule::registerModulationTargets (ModulationsManager& modulationsManager)
{
    manager = &modulationsManager;
    modulationsManager.registerTargets (getModulationParameterNames(), targetIndices);
}

void AudioEffectModule::setSampleRate (double newSampleRate) noexcept
{
    if (newSampleRate != sampleRate)
    {
        sampleRate = newSampleRate;
        inverseSampleRate = 1.0 / newSampleRate;
    }
}

std::vector<std::atomic<float>*> AudioEffectModule::createParameters (juce::AudioProcessorValueTreeState& store) const
{
    return parameterTable.createParameters (store, uid);
}

float AudioEffectModule::pollModulation (int targetSlot) const noexcept
{
    return manager->pollModulationValue (targetIndices[(size_t) targetSlot]);
}

const float* AudioEffectModule::getModulationFrames (int targetSlot) const noexcept
{
    return manager->getModulationFrames (targetIndices[(size_t) targetSlot]);
}
} // namespace velk
