#pragma once

#include "modulation/ModulationsManager.h"
#include "modulation/Modulator.h"
#include "modulation/TempoInfo.h"
#include "support/TestAudioProcessor.h"

#include <memory>
#include <utility>

namespace tavelin::test
{
/** A modulation source whose output the test sets directly, or which wanders: from wander()
    on, every step draws its output from a seeded generator.
*/
class FixedModulator : public velk::Modulator
{
public:
    FixedModulator()
        : velk::Modulator ("Source") {}

    void setOutput (float newValue) noexcept { value = newValue; }
    void wander (juce::int64 seed) { generator = std::make_unique<juce::Random> (seed); }

    void prepareToPlay (double, int) override {}
    void processBlock (const juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}

    void processSingleSample (float) override
    {
        if (generator != nullptr)
            value = generator->nextFloat();
    }

private:
    std::unique_ptr<juce::Random> generator;
};

//==============================================================================
/** One module wired as the processor wires it: parameters in a store, targets registered with
    a manager whose single modulator (column "Source") the test drives, the tempo record set,
    the matrix created. Blocks and frames run in the processor's order.
*/
template <typename ModuleType>
struct ModuleRig
{
    explicit ModuleRig (const juce::String& uid)
        : module (uid, 2)
    {
        source = static_cast<FixedModulator*> (manager.addModulator (std::make_unique<FixedModulator>()));
        module.registerParameters (parameters.store);
        module.registerModulationTargets (manager);
        module.setTempo (&tempo);
        manager.createMatrixParameters();
        parameters.finishCreatingParameters();
    }

    void set (const juce::String& suffix, float value) { parameters.set (module.getUID() + suffix, value); }

    /** Full depth from the source to the target `suffix`, with the source's output at `m`. */
    void modulate (const juce::String& suffix, float m)
    {
        parameters.set ("Matrix_Source_to_" + module.getUID() + suffix, 100.0f);
        source->setOutput (m);
    }

    void prepare (double sampleRate) { module.prepareToPlay (sampleRate, 512); }

    void beginBlock()
    {
        manager.refreshMatrixForBlock();
        module.precalculateForBlock();
    }

    /** One frame as calls of each stage: the source steps, then the module. */
    std::pair<float, float> frame (float left, float right)
    {
        source->processSingleSample (0.0f);
        module.calc();
        const auto outLeft = module.processSingleSample (left, 0);
        return { outLeft, module.processSingleSample (right, 1) };
    }

    /** A stretch of frames the processor's way: the source renders them, then the module. */
    void frames (float* left, float* right, int numFrames)
    {
        manager.renderFrames (numFrames);
        module.processFrames (left, right, numFrames);
    }

    /** A block of `numFrames` frames of a constant input; returns the last frame's output. */
    std::pair<float, float> block (int numFrames, float left = 1.0f, float right = 1.0f)
    {
        beginBlock();
        std::pair<float, float> out;

        for (int i = 0; i < numFrames; ++i)
            out = frame (left, right);

        return out;
    }

    TestParameterStore parameters;
    velk::TempoInfo tempo;
    velk::ModulationsManager manager{ parameters.store, tempo, false };
    FixedModulator* source = nullptr;
    ModuleType module;
};
} // namespace tavelin::test
