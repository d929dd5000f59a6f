#include "ModulationTestRig.h"
#include "modulation/LFOModulator.h"
#include "modulation/MacroModulator.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
using tavelin::test::ModulationTestRig;

/** A matrix cell: modulator, target, depth in percent. */
struct Depth
{
    const char* modulator;
    const char* target;
    float percent;
};

struct RenderCase
{
    const char* name;
    std::vector<Depth> depths;
};

const juce::StringArray moduleTargets{ "Out_A", "Out_B" };

/** Two LFOs and a macro on one matrix, set up alike in every rig. */
struct Bank
{
    explicit Bank (const std::vector<Depth>& depths)
    {
        rig.add (std::make_unique<velk::LFOModulator> ("LFO_1"));
        rig.add (std::make_unique<velk::LFOModulator> ("LFO_2"));
        rig.add (std::make_unique<velk::MacroModulator> ("Macro_1"));
        rig.finish (moduleTargets);

        // Deterministic waves only: the random tables differ from one LFO to the next.
        rig.parameters.set ("LFO_1_Rate", 15.0f);
        rig.parameters.set ("LFO_2_Rate", 7.0f);
        rig.parameters.set ("LFO_2_Wave", 4.0f);
        rig.parameters.set ("Macro_1_Offset", 35.0f);
        rig.setScale ("Out_A", 80.0f);
        rig.setGlobalDepth (90.0f);

        for (const auto& depth : depths)
            rig.setDepth (depth.modulator, depth.target, depth.percent);

        for (int m = 0; m < rig.manager.getNumModulators(); ++m)
            rig.manager.getModulator (m)->prepareToPlay (44100.0, 64);
    }

    ModulationTestRig rig;
};

bool sameBits (float a, float b)
{
    return std::memcmp (&a, &b, sizeof (float)) == 0;
}

class RenderFramesTest : public testing::TestWithParam<RenderCase>
{
};

TEST_P (RenderFramesTest, GiveThePollsOfSampleBySampleSteps)
{
    Bank bySample (GetParam().depths), byStretch (GetParam().depths);
    auto& manager = byStretch.rig.manager;
    const auto numTargets = manager.getNumTargets();

    for (const auto numFrames : { 64, 1, 37, 0, 64, 64, 9 })
    {
        bySample.rig.manager.refreshMatrixForBlock();
        manager.refreshMatrixForBlock();
        manager.renderFrames (numFrames);

        for (int i = 0; i < numFrames; ++i)
        {
            bySample.rig.runSamples (1);

            for (int target = 0; target < numTargets; ++target)
                ASSERT_TRUE (sameBits (manager.getModulationFrames (target)[i], bySample.rig.manager.pollModulationValue (target)))
                    << manager.getTargetNames()[target] << ", frame " << i;
        }

        for (int m = 0; m < manager.getNumModulators(); ++m)
            EXPECT_EQ (manager.getModulator (m)->getValue(), bySample.rig.manager.getModulator (m)->getValue());
    }
}

INSTANTIATE_TEST_SUITE_P (
    Matrices, RenderFramesTest,
    testing::Values (
        RenderCase{ "OnlyOneModulatorRead", { { "LFO_2", "Out_A", 60.0f } } },
        RenderCase{ "ModulatorsOnTheirOwn",
                    { { "LFO_1", "Out_A", 60.0f }, { "LFO_2", "Out_A", -40.0f }, { "Macro_1", "Out_B", 100.0f }, { "LFO_1", "Out_B", 50.0f } } },
        RenderCase{ "ModulatorsFollowingTheMatrix",
                    { { "LFO_1", "Out_A", 60.0f },
                      { "LFO_2", "Out_B", -70.0f },
                      { "LFO_2", "LFO_1_Rate", 70.0f },
                      { "LFO_1", "LFO_2_Rate", -50.0f },
                      { "Macro_1", "LFO_1_Wave", 30.0f },
                      { "LFO_1", "Macro_1_Offset", 40.0f } } }),
    [] (const testing::TestParamInfo<RenderCase>& testCase)
    { return std::string (testCase.param.name); });
} // namespace
