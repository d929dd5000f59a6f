#include "effects/AudioEffectModule.h"

#include "modulation/ModulationsManager.h"

namespace velk
{
AudioEffectModule::AudioEffectModule (const juce::String& moduleUid, int numChannelsToKeep)
    : uid (moduleUid), numChannels (numChannelsToKeep)
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

void AudioEffectModule::calc() {}

void AudioEffectModule::cleanUp() {}

juce::StringArray AudioEffectModule::getModulationParameterNames() const
{
    return {};
}

juce::String AudioEffectModule::getParameterUID (int) const
{
    return {};
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

juce::String AudioEffectModule::getSuffixedUID (std::initializer_list<const char*> suffixes, int index) const
{
    if (!juce::isPositiveAndBelow (index, (int) suffixes.size()))
        return {};

    return uid + suffixes.begin()[index];
}

float AudioEffectModule::pollModulation (int targetSlot) const noexcept
{
    return manager->pollModulationValue (targetIndices[(size_t) targetSlot]);
}
} // namespace velk
