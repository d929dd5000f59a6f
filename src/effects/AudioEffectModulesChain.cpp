#include "effects/AudioEffectModulesChain.h"

namespace velk
{
AudioEffectModulesChain::AudioEffectModulesChain (const juce::String& chainUid, int numChannelsToKeep)
    : AudioEffectModule (chainUid, numChannelsToKeep)
{
}

AudioEffectModulesChain::~AudioEffectModulesChain() = default;

void AudioEffectModulesChain::addEffectModule (AudioEffectModule* module)
{
    modules.add (module);
}

//==============================================================================
void AudioEffectModulesChain::prepareToPlay (double newSampleRate, int blockSize)
{
    for (auto* module : modules)
        module->prepareToPlay (newSampleRate, blockSize);
}

void AudioEffectModulesChain::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples)
{
    for (auto* module : modules)
        module->processBlock (buffer, midi, numSamples);
}

void AudioEffectModulesChain::precalculateForBlock()
{
    for (auto* module : modules)
        module->precalculateForBlock();
}

void AudioEffectModulesChain::precalculateForBypassedBlock()
{
    for (auto* module : modules)
        module->precalculateForBypassedBlock();
}

void AudioEffectModulesChain::calc()
{
    for (auto* module : modules)
        module->calc();
}

float AudioEffectModulesChain::processSingleSample (float x, int channel)
{
    for (auto* module : modules)
        x = module->processSingleSample (x, channel);

    return x;
}

void AudioEffectModulesChain::processFrames (float* left, float* right, int numFrames)
{
    // Module after module over the whole stretch: a module's frames depend on its own earlier
    // frames and on its input, never on a later module.
    for (auto* module : modules)
        module->processFrames (left, right, numFrames);
}

void AudioEffectModulesChain::cleanUp()
{
    for (auto* module : modules)
        module->cleanUp();
}
} // namespace velk
