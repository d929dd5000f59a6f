#include "ModulationTestRig.h"
#include "modulation/LFOModulator.h"
#include "modulation/MacroModulator.h"

#include <gtest/gtest.h>

namespace
{
using tavelin::test::ModulationTestRig;
using tavelin::test::StubModulator;

const juce::StringArray modulatorUids{ "LFO_1", "LFO_2", "LFO_3", "LFO_4", "Macro_1", "Macro_2", "Macro_3" };

// The 32 targets in registration order; the stubs offer none of their own, so all are listed.
const juce::StringArray allTargets{
    "LFO_1_Rate", "LFO_1_Wave", "LFO_2_Rate", "LFO_2_Wave", "LFO_3_Rate", "LFO_3_Wave", "LFO_4_Rate", "LFO_4_Wave",
    "Macro_1_Offset", "Macro_2_Offset", "Macro_3_Offset",
    "Pitch_Shifter_1_Pitch", "Pitch_Shifter_1_Mix", "Delay_1_Time", "Delay_1_Mix", "Gainer_1_Gain", "Panner_1_Pan",
    "Pitch_Shifter_2_Pitch", "Pitch_Shifter_2_Mix", "Delay_2_Time", "Delay_2_Mix", "Gainer_2_Gain", "Panner_2_Pan",
    "Pitch_Shifter_3_Pitch", "Pitch_Shifter_3_Mix", "Delay_3_Time", "Delay_3_Mix", "Gainer_3_Gain", "Panner_3_Pan",
    "Filter_Cut", "Filter_Res", "Dry_Wet"
};

/** Seven modulators whose outputs the tests set, over the full 32-target matrix. */
class ModulationsManagerTest : public ::testing::Test
{
protected:
    explicit ModulationsManagerTest (bool hostIsAbletonLive = false)
        : rig (hostIsAbletonLive)
    {
        for (const auto& uid : modulatorUids)
            stubs.push_back (&rig.addStub (uid));

        rig.finish (allTargets);
    }

    float pollAfterRefresh (const juce::String& targetId)
    {
        rig.manager.refreshMatrixForBlock();
        return rig.manager.pollModulationValue (rig.targetIndex (targetId));
    }

    /** After a refresh: the poll, the display depth and the active flag of a target. */
    void expectAnswers (const juce::String& targetId, float poll, float displayDepth, bool active)
    {
        EXPECT_FLOAT_EQ (pollAfterRefresh (targetId), poll) << targetId;
        EXPECT_FLOAT_EQ (rig.manager.getTargetDisplayDepth (targetId), displayDepth) << targetId;
        EXPECT_EQ (rig.manager.areModsActiveForTarget (rig.targetIndex (targetId)), active) << targetId;
    }

    ModulationTestRig rig;
    std::vector<StubModulator*> stubs;
};

//==============================================================================
TEST_F (ModulationsManagerTest, FreshMatrixModulatesNothing)
{
    for (auto* stub : stubs)
        stub->setOutput (0.8f);

    rig.manager.refreshMatrixForBlock();

    for (int t = 0; t < rig.manager.getNumTargets(); ++t)
    {
        EXPECT_EQ (rig.manager.pollModulationValue (t), 0.0f) << t;
        EXPECT_EQ (rig.manager.getTargetDisplayDepth (allTargets[t]), 0.0f) << t;
        EXPECT_FALSE (rig.manager.areModsActiveForTarget (t)) << t;
    }
}

TEST_F (ModulationsManagerTest, PositiveDepthScalesTheOutputAndNegativeDepthInvertsIt)
{
    stubs[0]->setOutput (0.25f);

    rig.setDepth ("LFO_1", "Delay_2_Time", 100.0f);
    expectAnswers ("Delay_2_Time", 0.25f, 1.0f, true);

    rig.setDepth ("LFO_1", "Delay_2_Time", -100.0f);
    expectAnswers ("Delay_2_Time", 0.75f, 1.0f, true);
}

TEST_F (ModulationsManagerTest, MixedSignsAddTheirContributions)
{
    stubs[0]->setOutput (0.4f);
    stubs[1]->setOutput (0.4f);
    rig.setDepth ("LFO_1", "Filter_Cut", 50.0f);
    rig.setDepth ("LFO_2", "Filter_Cut", -50.0f);

    expectAnswers ("Filter_Cut", 0.5f, 1.0f, true);
}

TEST_F (ModulationsManagerTest, SumAboveOneIsClampedToOne)
{
    for (int m = 0; m < 3; ++m)
    {
        stubs[(size_t) m]->setOutput (0.6f);
        rig.setDepth (modulatorUids[m], "Gainer_1_Gain", 100.0f);
    }

    expectAnswers ("Gainer_1_Gain", 1.0f, 1.0f, true);
}

TEST_F (ModulationsManagerTest, ZeroScaleSwitchesTheTargetOff)
{
    stubs[4]->setOutput (1.0f);
    rig.setDepth ("Macro_1", "Panner_3_Pan", 100.0f);
    rig.setScale ("Panner_3_Pan", 0.0f);

    expectAnswers ("Panner_3_Pan", 0.0f, 0.0f, false);
}

TEST_F (ModulationsManagerTest, ZeroGlobalDepthSilencesPollsButNotTheActiveQuery)
{
    stubs[0]->setOutput (1.0f);
    rig.setDepth ("LFO_1", "Dry_Wet", 100.0f);
    rig.setGlobalDepth (0.0f);

    expectAnswers ("Dry_Wet", 0.0f, 0.0f, true);
}

TEST_F (ModulationsManagerTest, GlobalAndTargetScalesMultiply)
{
    stubs[0]->setOutput (1.0f);
    rig.setDepth ("LFO_1", "Delay_1_Mix", 100.0f);
    rig.setScale ("Delay_1_Mix", 50.0f);
    rig.setGlobalDepth (50.0f);

    expectAnswers ("Delay_1_Mix", 0.25f, 0.25f, true);
}

TEST_F (ModulationsManagerTest, PollsFollowTheModulatorsWithinABlock)
{
    rig.setDepth ("LFO_3", "Delay_3_Time", 100.0f);
    rig.manager.refreshMatrixForBlock();
    const auto target = rig.targetIndex ("Delay_3_Time");

    stubs[2]->setOutput (0.1f);
    EXPECT_FLOAT_EQ (rig.manager.pollModulationValue (target), 0.1f);
    stubs[2]->setOutput (0.9f);
    EXPECT_FLOAT_EQ (rig.manager.pollModulationValue (target), 0.9f);
}

TEST_F (ModulationsManagerTest, DepthChangesTakeEffectAtTheNextRefresh)
{
    stubs[0]->setOutput (0.5f);
    rig.manager.refreshMatrixForBlock();
    rig.setDepth ("LFO_1", "Filter_Res", 100.0f);
    const auto target = rig.targetIndex ("Filter_Res");

    EXPECT_EQ (rig.manager.pollModulationValue (target), 0.0f);
    EXPECT_FALSE (rig.manager.areModsActiveForTarget (target));

    rig.manager.refreshMatrixForBlock();
    EXPECT_FLOAT_EQ (rig.manager.pollModulationValue (target), 0.5f);
    EXPECT_TRUE (rig.manager.areModsActiveForTarget (target));
}

TEST_F (ModulationsManagerTest, PollByIdentifierMatchesPollByIndex)
{
    stubs[5]->setOutput (0.3f);
    rig.setDepth ("Macro_2", "Pitch_Shifter_2_Mix", 100.0f);
    rig.manager.refreshMatrixForBlock();

    EXPECT_EQ (rig.manager.pollModulationValue ("Pitch_Shifter_2_Mix"),
               rig.manager.pollModulationValue (rig.targetIndex ("Pitch_Shifter_2_Mix")));
    EXPECT_FLOAT_EQ (rig.manager.pollModulationValue ("Pitch_Shifter_2_Mix"), 0.3f);
}

TEST_F (ModulationsManagerTest, UnknownIdentifiersAnswerZero)
{
    EXPECT_EQ (rig.manager.pollModulationValue ("Not_A_Target"), 0.0f);
    EXPECT_EQ (rig.manager.getTargetDisplayDepth ("Not_A_Target"), 0.0f);
}

TEST_F (ModulationsManagerTest, DisplayDepthIgnoresSignsAndOutputs)
{
    stubs[0]->setOutput (0.0f);
    rig.setDepth ("LFO_1", "Gainer_2_Gain", -30.0f);
    rig.setDepth ("LFO_4", "Gainer_2_Gain", 20.0f);

    EXPECT_FLOAT_EQ (rig.manager.getTargetDisplayDepth ("Gainer_2_Gain"), 0.5f);
}

TEST_F (ModulationsManagerTest, DisplayDepthByIndexIsTheOneTheLastRefreshRead)
{
    const auto target = rig.targetIndex ("Gainer_2_Gain");
    rig.setDepth ("LFO_1", "Gainer_2_Gain", -30.0f);

    EXPECT_EQ (rig.manager.getTargetDisplayDepth (target), 0.0f);
    EXPECT_FLOAT_EQ (rig.manager.getTargetDisplayDepth ("Gainer_2_Gain"), 0.3f);

    rig.manager.refreshMatrixForBlock();
    EXPECT_FLOAT_EQ (rig.manager.getTargetDisplayDepth (target), 0.3f);

    rig.setGlobalDepth (50.0f);
    rig.manager.refreshMatrixForBlock();
    EXPECT_FLOAT_EQ (rig.manager.getTargetDisplayDepth (target), 0.15f);
    EXPECT_EQ (rig.manager.getTargetDisplayDepth (-1), 0.0f);
    EXPECT_EQ (rig.manager.getTargetDisplayDepth (rig.manager.getNumTargets()), 0.0f);
}

TEST_F (ModulationsManagerTest, ActiveQueryOverSeveralTargets)
{
    rig.setDepth ("LFO_2", "LFO_1_Wave", 10.0f);
    rig.manager.refreshMatrixForBlock();

    EXPECT_TRUE (rig.manager.areModsActiveForTargets ({ rig.targetIndex ("LFO_1_Rate"), rig.targetIndex ("LFO_1_Wave") }));
    EXPECT_FALSE (rig.manager.areModsActiveForTargets ({ rig.targetIndex ("LFO_1_Rate") }));
    EXPECT_FALSE (rig.manager.areModsActiveForTargets ({}));
}

TEST_F (ModulationsManagerTest, RefreshPreparesEveryModulatorInListOrder)
{
    rig.manager.refreshMatrixForBlock();

    ASSERT_EQ (rig.preparationLog.size(), (size_t) modulatorUids.size());

    for (int m = 0; m < modulatorUids.size(); ++m)
        EXPECT_EQ (rig.preparationLog[(size_t) m], modulatorUids[m]);
}

//==============================================================================
TEST_F (ModulationsManagerTest, MatrixIdentifiersOfEdgeCells)
{
    EXPECT_EQ (rig.manager.getModMatrixParameterUID (31, 7), "Matrix_Dry_Wet_Global_Scale");
    EXPECT_TRUE (rig.manager.getModMatrixParameterUID (31, 8).isEmpty());
    EXPECT_EQ (rig.manager.getModMatrixParameterUID (0, 4), "Matrix_Macro_1_to_LFO_1_Rate");
    EXPECT_EQ (rig.manager.getModMatrixParameterUID (19, 0), "Matrix_LFO_1_to_Delay_2_Time");
    EXPECT_EQ (rig.manager.getModMatrixParameterUID (29, 7), "Matrix_Filter_Cut_Global_Scale");
    EXPECT_EQ (rig.manager.getModMatrixParameterUID (32, 0), "Matrix_LFO_1_to_");
}

TEST_F (ModulationsManagerTest, MatrixParametersAreCreatedTargetMajorWithTheirRanges)
{
    const auto& parameters = rig.parameters.processor.getParameters();
    ASSERT_EQ (parameters.size(), 32 * 8 + 1);

    int index = 0;

    for (const auto& target : allTargets)
    {
        for (int column = 0; column <= modulatorUids.size(); ++column, ++index)
        {
            const auto isScale = column == modulatorUids.size();
            const auto expectedId = isScale ? "Matrix_" + target + "_Global_Scale"
                                            : "Matrix_" + modulatorUids[column] + "_to_" + target;
            auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (parameters[index]);
            ASSERT_NE (parameter, nullptr);

            const auto& range = parameter->getNormalisableRange();
            EXPECT_EQ (parameter->getParameterID(), expectedId);
            EXPECT_EQ (parameter->getName (100), expectedId);
            EXPECT_EQ (parameter->getLabel(), "%");
            EXPECT_EQ (range.start, isScale ? 0.0f : -100.0f) << expectedId;
            EXPECT_EQ (range.end, 100.0f);
            EXPECT_EQ (range.interval, 0.01f);
            EXPECT_EQ (range.skew, 1.0f);
            EXPECT_EQ (parameter->convertFrom0to1 (parameter->getDefaultValue()), isScale ? 100.0f : 0.0f) << expectedId;
            EXPECT_TRUE (parameter->isAutomatable());
            EXPECT_FALSE (parameter->isMetaParameter());
            EXPECT_FALSE (parameter->isDiscrete());
            EXPECT_FALSE (parameter->isBoolean());
        }
    }

    auto* global = dynamic_cast<juce::RangedAudioParameter*> (parameters[index]);
    ASSERT_NE (global, nullptr);
    EXPECT_EQ (global->getParameterID(), "Modulations_Global_Scale");
    EXPECT_EQ (global->getName (100), "Global Mod Scale");
    EXPECT_EQ (global->getLabel(), "%");
    EXPECT_EQ (global->getNormalisableRange().start, 0.0f);
    EXPECT_EQ (global->getNormalisableRange().end, 100.0f);
    EXPECT_EQ (global->getNormalisableRange().interval, 0.01f);
    EXPECT_EQ (global->convertFrom0to1 (global->getDefaultValue()), 100.0f);
}

TEST_F (ModulationsManagerTest, MatrixCellsShowPercentTexts)
{
    auto* depth = rig.parameters.store.getParameter ("Matrix_LFO_2_to_Filter_Cut");
    auto* scale = rig.parameters.store.getParameter ("Matrix_Filter_Cut_Global_Scale");

    EXPECT_EQ (depth->getText (depth->convertTo0to1 (-100.0f), 100), "-100.00 %");
    EXPECT_EQ (depth->getText (depth->getDefaultValue(), 100), "0.00 %");
    EXPECT_EQ (scale->getText (scale->getDefaultValue(), 100), "100.00 %");
}

//==============================================================================
/** Counts what the host would see of parameter changes. */
struct HostNotifications : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override { ++changes; }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int) override { ++gestureBegins; }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int) override { ++gestureEnds; }

    int changes = 0;
    int gestureBegins = 0;
    int gestureEnds = 0;
};

/** Moves every matrix cell and the global depth off their defaults, resets the matrix and
    returns what the host saw of the reset.
*/
HostNotifications resetAMovedMatrix (ModulationTestRig& rig)
{
    for (const auto& target : allTargets)
    {
        for (const auto& uid : modulatorUids)
            rig.setDepth (uid, target, -42.0f);

        rig.setScale (target, 12.5f);
    }

    rig.setGlobalDepth (33.0f);

    HostNotifications host;
    rig.parameters.processor.addListener (&host);
    rig.manager.resetMatrixParameters (rig.parameters.store);
    rig.parameters.processor.removeListener (&host);
    return host;
}

void expectEveryCellAtItsDefault (ModulationTestRig& rig)
{
    for (int t = 0; t < rig.manager.getNumTargets(); ++t)
        for (int c = 0; c <= rig.manager.getNumModulators(); ++c)
        {
            const auto id = rig.manager.getModMatrixParameterUID (t, c);
            EXPECT_EQ (rig.parameters.store.getRawParameterValue (id)->load(),
                       c == rig.manager.getNumModulators() ? 100.0f : 0.0f)
                << id;
        }
}

TEST_F (ModulationsManagerTest, ResetRestoresEveryCellWithGesturesButKeepsTheGlobalDepth)
{
    const auto host = resetAMovedMatrix (rig);

    expectEveryCellAtItsDefault (rig);
    EXPECT_EQ (rig.parameters.store.getRawParameterValue ("Modulations_Global_Scale")->load(), 33.0f);
    EXPECT_EQ (host.changes, 256);
    EXPECT_EQ (host.gestureBegins, 256);
    EXPECT_EQ (host.gestureEnds, 256);
}

class ModulationsManagerInLiveTest : public ModulationsManagerTest
{
protected:
    ModulationsManagerInLiveTest()
        : ModulationsManagerTest (true)
    {
    }
};

TEST_F (ModulationsManagerInLiveTest, ResetUnderAbletonLiveSendsNoGestures)
{
    const auto host = resetAMovedMatrix (rig);

    expectEveryCellAtItsDefault (rig);
    EXPECT_EQ (host.changes, 256);
    EXPECT_EQ (host.gestureBegins, 0);
    EXPECT_EQ (host.gestureEnds, 0);
}

//==============================================================================
TEST (ModulatorTest, UnregisteredModulatorIsNeverActive)
{
    StubModulator modulator ("LFO_1");
    modulator.precalculateForBlock();

    EXPECT_FALSE (modulator.areModsActive());
    EXPECT_TRUE (modulator.getTargetIndices().empty());
}

TEST (ModulationsManagerLifecycleTest, StoreOutlivingTheManagerChangesTheMatrixWithoutTellingIt)
{
    tavelin::test::TestParameterStore parameters;
    velk::TempoInfo tempo;
    auto manager = std::make_unique<velk::ModulationsManager> (parameters.store, tempo, false);
    manager->addModulator (std::make_unique<StubModulator> ("LFO_1"));
    manager->registerTarget ("Dry_Wet");
    manager->createMatrixParameters();
    parameters.finishCreatingParameters();
    manager.reset();

    parameters.set ("Matrix_LFO_1_to_Dry_Wet", 50.0f);
    parameters.set (velk::ModulationsManager::globalModDepthParameterUID, 50.0f);

    EXPECT_EQ (parameters.store.getRawParameterValue ("Matrix_LFO_1_to_Dry_Wet")->load(), 50.0f);
}

TEST (ModulationsManagerLifecycleTest, TargetsRegisteredAfterTheMatrixAreNeverModulated)
{
    ModulationTestRig rig;
    rig.addStub ("LFO_1").setOutput (1.0f);
    rig.finish ({ "Dry_Wet" });
    const auto late = rig.manager.registerTarget ("Late_Target");
    rig.manager.refreshMatrixForBlock();

    EXPECT_EQ (late, 1);
    EXPECT_EQ (rig.manager.pollModulationValue (late), 0.0f);
    EXPECT_FALSE (rig.manager.areModsActiveForTarget (late));
    EXPECT_EQ (rig.manager.getTargetDisplayDepth ("Late_Target"), 0.0f);

    rig.manager.renderFrames (4);
    const auto* frames = rig.manager.getModulationFrames (late);

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (frames[i], 0.0f) << i;
}
//==============================================================================
/** The processor's registration order with the real modulators: four LFOs, three macros,
    then the module targets and Dry_Wet.
*/
class ModulationRegistrationTest : public ::testing::Test
{
protected:
    ModulationRegistrationTest()
    {
        for (int i = 1; i <= 4; ++i)
            rig.add (std::make_unique<velk::LFOModulator> ("LFO_" + juce::String (i)));

        for (int i = 1; i <= 3; ++i)
            rig.add (std::make_unique<velk::MacroModulator> ("Macro_" + juce::String (i)));

        juce::StringArray moduleTargets;

        for (int i = 11; i < allTargets.size(); ++i)
            moduleTargets.add (allTargets[i]);

        rig.finish (moduleTargets);
    }

    ModulationTestRig rig;
};

TEST_F (ModulationRegistrationTest, TargetsFollowRegistrationOrder)
{
    EXPECT_EQ (rig.manager.getTargetNames(), allTargets);
    EXPECT_EQ (rig.manager.getNumModulators(), 7);

    for (int m = 0; m < 7; ++m)
    {
        EXPECT_EQ (rig.manager.getModulator (m)->getUID(), modulatorUids[m]);

        for (auto index : rig.manager.getModulator (m)->getTargetIndices())
            EXPECT_TRUE (rig.manager.getTargetNames()[index].startsWith (modulatorUids[m]));
    }

    EXPECT_EQ (rig.manager.getModulator (0)->getTargetIndices(), (std::vector<int>{ 0, 1 }));
    EXPECT_EQ (rig.manager.getModulator (6)->getTargetIndices(), (std::vector<int>{ 10 }));
}

TEST_F (ModulationRegistrationTest, ParametersFollowCreationOrder)
{
    const auto& parameters = rig.parameters.processor.getParameters();
    ASSERT_EQ (parameters.size(), 24 + 3 + 256 + 1);

    const auto idAt = [&parameters] (int index)
    {
        return dynamic_cast<juce::AudioProcessorParameterWithID*> (parameters[index])->getParameterID();
    };

    EXPECT_EQ (idAt (0), "LFO_1_Wave");
    EXPECT_EQ (idAt (5), "LFO_1_High_Rate");
    EXPECT_EQ (idAt (6), "LFO_2_Wave");
    EXPECT_EQ (idAt (23), "LFO_4_High_Rate");
    EXPECT_EQ (idAt (24), "Macro_1_Offset");
    EXPECT_EQ (idAt (26), "Macro_3_Offset");
    EXPECT_EQ (idAt (27), "Matrix_LFO_1_to_LFO_1_Rate");
    EXPECT_EQ (idAt (34), "Matrix_LFO_1_Rate_Global_Scale");
    EXPECT_EQ (idAt (27 + 8 * 19), "Matrix_LFO_1_to_Delay_2_Time");
    EXPECT_EQ (idAt (27 + 8 * 31 + 7), "Matrix_Dry_Wet_Global_Scale");
    EXPECT_EQ (idAt (27 + 256), "Modulations_Global_Scale");
}

TEST_F (ModulationRegistrationTest, LfoModulatedByAMacroThroughTheMatrix)
{
    rig.parameters.set ("Macro_1_Offset", 50.0f);
    rig.setDepth ("Macro_1", "LFO_2_Rate", 100.0f);
    auto* lfo2 = dynamic_cast<velk::LFOModulator*> (rig.manager.getModulator (1));
    ASSERT_NE (lfo2, nullptr);

    // LFO_2 steps before Macro_1, so its first sample still sees the macro's initial 0.
    rig.runBlock (1);
    EXPECT_FLOAT_EQ (lfo2->getPhaseIncrement(), (float) (1.0 / 44100.0) * 1.0f);

    rig.runSamples (1);
    EXPECT_FLOAT_EQ (lfo2->getPhaseIncrement(), (float) (1.0 / 44100.0) * 5.75f);
}
} // namespace
