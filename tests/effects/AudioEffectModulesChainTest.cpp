#include "effects/AudioEffectModulesChain.h"
#include "effects/GainerModule.h"
#include "effects/PannerModule.h"

#include "ModuleRig.h"

#include <gtest/gtest.h>

namespace
{
/** x -> a * x + b, logging every stage it is given. */
class AffineModule : public velk::AudioEffectModule
{
public:
    AffineModule (const juce::String& name, float scale, float offset, juce::StringArray& callLog)
        : velk::AudioEffectModule (name, 2), a (scale), b (offset), log (callLog)
    {
    }

    ~AffineModule() override { log.add (uid + " deleted"); }

    void prepareToPlay (double newSampleRate, int) override { log.add (uid + " prepare " + juce::String (newSampleRate)); }

    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples) override
    {
        log.add (uid + " block " + juce::String (numSamples));

        for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
            for (int i = 0; i < numSamples; ++i)
                buffer.setSample (channel, i, a * buffer.getSample (channel, i) + b);
    }

    void precalculateForBlock() override { log.add (uid + " precalculate"); }
    void precalculateForBypassedBlock() override { log.add (uid + " bypassed"); }
    void calc() override { log.add (uid + " calc"); }
    float processSingleSample (float x, int) override { return a * x + b; }

    void processFrames (float* left, float* right, int numFrames) override
    {
        log.add (uid + " frames " + juce::String (numFrames));

        for (int i = 0; i < numFrames; ++i)
        {
            left[i] = a * left[i] + b;
            right[i] = a * right[i] + b;
        }
    }
    void cleanUp() override { log.add (uid + " cleanUp"); }

private:
    float a, b;
    juce::StringArray& log;
};

class AudioEffectModulesChainTest : public testing::Test
{
protected:
    void addAffine (const juce::String& name, float scale, float offset)
    {
        chain.addEffectModule (new AffineModule (name, scale, offset, log));
    }

    juce::StringArray log;
    velk::AudioEffectModulesChain chain{ "Chain_1", 2 };
};

TEST_F (AudioEffectModulesChainTest, WithoutModulesPassesTheSampleUnchanged)
{
    EXPECT_EQ (chain.processSingleSample (0.25f, 0), 0.25f);
    EXPECT_EQ (chain.processSingleSample (-3.0f, 1), -3.0f);
}

TEST_F (AudioEffectModulesChainTest, RunsItsModulesInTheOrderTheyWereAdded)
{
    addAffine ("PlusOne", 1.0f, 1.0f);
    addAffine ("Double", 2.0f, 0.0f);

    EXPECT_EQ (chain.processSingleSample (3.0f, 0), 8.0f); // (3 + 1) * 2, not 3 * 2 + 1
}

TEST_F (AudioEffectModulesChainTest, ForwardsEveryStageToEveryModuleFirstToLast)
{
    addAffine ("A", 1.0f, 1.0f);
    addAffine ("B", 2.0f, 0.0f);

    chain.prepareToPlay (48000.0, 256);
    chain.precalculateForBlock();
    chain.precalculateForBypassedBlock();
    chain.calc();
    chain.cleanUp();

    const juce::StringArray expected{ "A prepare 48000", "B prepare 48000", "A precalculate", "B precalculate",
                                      "A bypassed", "B bypassed", "A calc", "B calc", "A cleanUp", "B cleanUp" };
    EXPECT_EQ (log, expected);
}

TEST_F (AudioEffectModulesChainTest, ProcessBlockRunsTheWholeBufferThroughEachModuleInTurn)
{
    addAffine ("PlusOne", 1.0f, 1.0f);
    addAffine ("Double", 2.0f, 0.0f);

    juce::AudioBuffer<float> buffer (2, 4);
    buffer.clear();
    juce::MidiBuffer midi;
    chain.processBlock (buffer, midi, 4);

    EXPECT_EQ (buffer.getSample (0, 3), 2.0f);
    EXPECT_EQ (buffer.getSample (1, 0), 2.0f);
    EXPECT_EQ (log, juce::StringArray ({ "PlusOne block 4", "Double block 4" }));
}

TEST_F (AudioEffectModulesChainTest, HasNoParametersTargetsOrModulationOfItsOwn)
{
    addAffine ("A", 1.0f, 0.0f);

    EXPECT_TRUE (chain.getModulationParameterNames().isEmpty());
    EXPECT_TRUE (chain.getParameterUID (0).isEmpty());
    chain.precalculateForBlock();
    EXPECT_FALSE (chain.areModsActive());
}

TEST (AudioEffectModulesChainLifetime, DeletesItsModulesLastFirst)
{
    juce::StringArray log;

    {
        velk::AudioEffectModulesChain chain ("Chain_1", 2);
        chain.addEffectModule (new AffineModule ("A", 1.0f, 0.0f, log));
        chain.addEffectModule (new AffineModule ("B", 1.0f, 0.0f, log));
    }

    EXPECT_EQ (log, juce::StringArray ({ "B deleted", "A deleted" }));
}

TEST (AudioEffectModulesChainOfRealModules, GainThenPannerGivesPannerOfGain)
{
    tavelin::test::TestParameterStore parameters;
    velk::AudioEffectModulesChain chain ("Chain_1", 2);
    auto* gainer = new velk::GainerModule ("Gainer_1", 2);
    auto* panner = new velk::PannerModule ("Panner_1", 2);
    gainer->registerParameters (parameters.store);
    panner->registerParameters (parameters.store);
    chain.addEffectModule (gainer);
    chain.addEffectModule (panner);
    parameters.finishCreatingParameters();
    parameters.set ("Panner_1_Pan", 75.0f);

    chain.prepareToPlay (44100.0, 4096);

    for (int block = 0; block < 2; ++block)
    {
        chain.precalculateForBlock();

        for (int i = 0; i < 4096; ++i)
            chain.calc();
    }

    const auto gain = juce::Decibels::decibelsToGain (-6.0f);
    EXPECT_NEAR (chain.processSingleSample (0.8f, 0), 0.8f * gain * 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ (chain.processSingleSample (0.8f, 1), 0.8f * gain);
}

//==============================================================================
TEST (AudioEffectModuleContract, AnUnregisteredModuleIsNeverModulated)
{
    tavelin::test::TestParameterStore parameters;
    velk::GainerModule gainer ("Gainer_1", 2);
    gainer.registerParameters (parameters.store);
    parameters.finishCreatingParameters();
    gainer.prepareToPlay (44100.0, 512);

    gainer.precalculateForBlock();
    gainer.calc();

    EXPECT_FALSE (gainer.areModsActive());
    EXPECT_TRUE (gainer.getTargetIndices().empty());
}

TEST (AudioEffectModuleContract, RegistrationFilesOneTargetIndexPerModulationName)
{
    tavelin::test::ModuleRig<velk::PannerModule> rig ("Panner_2");

    EXPECT_EQ (rig.manager.getTargetNames(), juce::StringArray ("Panner_2_Pan"));
    EXPECT_EQ (rig.module.getTargetIndices(), std::vector<int>{ 0 });
}

TEST (AudioEffectModuleContract, ModulationSwitchedOnTakesEffectFromTheNextBlock)
{
    tavelin::test::ModuleRig<velk::PannerModule> rig ("Panner_1");
    rig.prepare (44100.0);
    rig.block (2000);

    rig.modulate ("_Pan", 1.0f);
    EXPECT_FALSE (rig.module.areModsActive());
    EXPECT_EQ (rig.frame (1.0f, 1.0f).first, 1.0f);

    rig.beginBlock();
    EXPECT_TRUE (rig.module.areModsActive());
    EXPECT_EQ (rig.frame (1.0f, 1.0f).first, 0.0f);
}

TEST (AudioEffectModuleContract, ModulationSwitchedOffFallsBackToTheRampThatKeptMoving)
{
    tavelin::test::ModuleRig<velk::PannerModule> rig ("Panner_1");
    rig.prepare (44100.0);
    rig.block (2000);

    rig.modulate ("_Pan", 1.0f);
    rig.set ("_Pan", 100.0f);
    rig.block (2000); // modulated: the ramp keeps gliding underneath toward 100 %

    rig.parameters.set ("Matrix_Source_to_Panner_1_Pan", 0.0f);
    const auto out = rig.block (1);

    EXPECT_FALSE (rig.module.areModsActive());
    EXPECT_NEAR (out.first, 0.0f, 1e-4f);
    EXPECT_EQ (out.second, 1.0f);
}
} // namespace
