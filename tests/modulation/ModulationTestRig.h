#pragma once

#include "modulation/ModulationsManager.h"
#include "support/TestAudioProcessor.h"

#include <memory>
#include <vector>

namespace tavelin::test
{
//==============================================================================
/** A modulator whose output the test sets directly; it has no parameters and no targets.
    It records when the manager prepared its block, so the order of preparation is visible.
*/
class StubModulator : public velk::Modulator
{
public:
    explicit StubModulator (const juce::String& stubUid, std::vector<juce::String>* preparationLog = nullptr)
        : velk::Modulator (stubUid), log (preparationLog)
    {
    }

    void setOutput (float newValue) { value = newValue; }

    void prepareToPlay (double, int) override {}
    void processBlock (const juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    void processSingleSample (float) override {}

    void precalculateForBlock() override
    {
        if (log != nullptr)
            log->push_back (uid);

        velk::Modulator::precalculateForBlock();
    }

private:
    std::vector<juce::String>* log;
};

//==============================================================================
/** A manager on its own parameter store, with modulators registered the way the processor
    registers them. Add modulators, then call finish() with the module targets that follow
    the modulators' own targets; it creates the matrix and seals the store.
*/
class ModulationTestRig
{
public:
    explicit ModulationTestRig (bool hostIsAbletonLive = false)
        : manager (parameters.store, tempo, hostIsAbletonLive)
    {
    }

    template <typename ModulatorType>
    ModulatorType& add (std::unique_ptr<ModulatorType> modulator)
    {
        auto& added = *modulator;
        added.registerParameters (parameters.store);
        added.setTempo (manager.getTempo());
        added.registerModulationTargets (&manager, added.getModulationParameterNames());
        manager.addModulator (std::move (modulator));
        return added;
    }

    StubModulator& addStub (const juce::String& uid)
    {
        return add (std::make_unique<StubModulator> (uid, &preparationLog));
    }

    void finish (const juce::StringArray& moduleTargets = {})
    {
        for (const auto& target : moduleTargets)
            manager.registerTarget (target);

        manager.createMatrixParameters();
        parameters.finishCreatingParameters();
    }

    //==============================================================================
    void setDepth (const juce::String& modulatorUid, const juce::String& targetId, float percent)
    {
        parameters.set (velk::ModulationsManager::matrixParameterPrefix + modulatorUid + "_to_" + targetId, percent);
    }

    void setScale (const juce::String& targetId, float percent)
    {
        parameters.set (velk::ModulationsManager::matrixParameterPrefix + targetId + "_Global_Scale", percent);
    }

    void setGlobalDepth (float percent)
    {
        parameters.set (velk::ModulationsManager::globalModDepthParameterUID, percent);
    }

    int targetIndex (const juce::String& targetId) const
    {
        return manager.getTargetNames().indexOf (targetId);
    }

    /** One block as the processor runs it: the matrix refresh (which prepares every
        modulator), then every modulator steps once per sample in list order.
        Returns the output of `watched` after each sample.
    */
    std::vector<float> runBlock (int numSamples, const velk::Modulator* watched = nullptr)
    {
        manager.refreshMatrixForBlock();
        return runSamples (numSamples, watched);
    }

    std::vector<float> runSamples (int numSamples, const velk::Modulator* watched = nullptr)
    {
        std::vector<float> outputs;

        for (int i = 0; i < numSamples; ++i)
        {
            for (int m = 0; m < manager.getNumModulators(); ++m)
                manager.getModulator (m)->processSingleSample (0.0f);

            if (watched != nullptr)
                outputs.push_back (watched->getValue());
        }

        return outputs;
    }

    TestParameterStore parameters;
    velk::TempoInfo tempo;
    velk::ModulationsManager manager;
    std::vector<juce::String> preparationLog;
};
} // namespace tavelin::test
