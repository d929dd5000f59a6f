#pragma once

#include "effects/AudioEffectModule.h"

namespace velk
{
/** Modules run one after the other: each stage is forwarded to every module, first to last,
    and a sample passes through them in order. The chain has no parameters and no targets.
*/
class AudioEffectModulesChain : public AudioEffectModule
{
public:
    AudioEffectModulesChain (const juce::String& chainUid, int numChannelsToKeep);
    ~AudioEffectModulesChain() override;

    /** Appends a module at the end of the chain, which takes ownership. */
    void addEffectModule (AudioEffectModule* module);

    int getNumModules() const noexcept { return modules.size(); }
    AudioEffectModule* getModule (int index) const noexcept { return modules[index]; }

    //==============================================================================
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples) override;
    void precalculateForBlock() override;
    void precalculateForBypassedBlock() override;
    void calc() override;
    float processSingleSample (float x, int channel) override;
    void processFrames (float* left, float* right, int numFrames) override;
    void cleanUp() override;

private:
    juce::OwnedArray<AudioEffectModule> modules;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioEffectModulesChain)
};
} // namespace velk
