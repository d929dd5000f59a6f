#include "modulation/MacroModulator.h"
#include "ModulationTestRig.h"

#include <gtest/gtest.h>

namespace
{
using tavelin::test::ModulationTestRig;
using tavelin::test::StubModulator;
using velk::MacroModulator;

/** Macro_1 after a stub LFO_1 that can modulate it, as in the processor's list order. */
class MacroModulatorTest : public ::testing::Test
{
protected:
    MacroModulatorTest()
        : lfo (rig.addStub ("LFO_1")),
          macro (rig.add (std::make_unique<MacroModulator> ("Macro_1")))
    {
        rig.finish();
    }

    void setOffset (float percent) { rig.parameters.set ("Macro_1_Offset", percent); }

    ModulationTestRig rig;
    StubModulator& lfo;
    MacroModulator& macro;
};

TEST_F (MacroModulatorTest, OffsetParameterAndIdentifiers)
{
    auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (rig.parameters.processor.getParameters()[0]);
    ASSERT_NE (parameter, nullptr);
    const auto& range = parameter->getNormalisableRange();

    EXPECT_EQ (parameter->getParameterID(), "Macro_1_Offset");
    EXPECT_EQ (parameter->getName (100), "Macro_1 Offset");
    EXPECT_EQ (parameter->getLabel(), "%");
    EXPECT_EQ (range.start, 0.0f);
    EXPECT_EQ (range.end, 100.0f);
    EXPECT_EQ (range.interval, 0.01f);
    EXPECT_EQ (range.skew, 1.0f);
    EXPECT_EQ (parameter->getDefaultValue(), 0.0f);
    EXPECT_EQ (parameter->getText (0.5f, 100), "50.00 %");

    EXPECT_EQ (macro.getParameterUID (0), "Macro_1_Offset");
    EXPECT_TRUE (macro.getParameterUID (1).isEmpty());
    EXPECT_EQ (macro.getModulationParameterNames(), juce::StringArray ("Macro_1_Offset"));
    EXPECT_EQ (macro.getTargetIndices(), (std::vector<int>{ 0 }));
}

TEST_F (MacroModulatorTest, OutputIsTheOffsetFromTheFirstBlockOn)
{
    setOffset (50.0f);
    EXPECT_EQ (macro.getValue(), 0.0f);

    const auto outputs = rig.runBlock (3, &macro);
    EXPECT_EQ (outputs, (std::vector<float>{ 0.5f, 0.5f, 0.5f }));
}

TEST_F (MacroModulatorTest, KnobChangesArriveAtTheNextBlock)
{
    setOffset (50.0f);
    rig.runBlock (1);
    setOffset (20.0f);

    EXPECT_EQ (rig.runSamples (1, &macro).back(), 0.5f);
    EXPECT_FLOAT_EQ (rig.runBlock (1, &macro).back(), 0.2f);
}

TEST_F (MacroModulatorTest, ModulationPushesTheOffsetTowardFullScale)
{
    setOffset (50.0f);
    lfo.setOutput (0.5f);
    rig.setDepth ("LFO_1", "Macro_1_Offset", 100.0f);

    EXPECT_EQ (rig.runBlock (1, &macro).back(), 0.75f);
    EXPECT_TRUE (macro.areModsActive());
}

TEST_F (MacroModulatorTest, FullOffsetStaysAtOneWhateverModulatesIt)
{
    setOffset (100.0f);
    lfo.setOutput (0.3f);
    rig.setDepth ("LFO_1", "Macro_1_Offset", -100.0f);

    EXPECT_EQ (rig.runBlock (1, &macro).back(), 1.0f);
}

TEST_F (MacroModulatorTest, SelfModulationSeesThePreviousSample)
{
    setOffset (50.0f);
    rig.setDepth ("Macro_1", "Macro_1_Offset", 100.0f);

    // Before its first step the macro's output is 0, so it starts from its knob and then
    // closes half the remaining distance each sample.
    const auto outputs = rig.runBlock (3, &macro);
    EXPECT_EQ (outputs, (std::vector<float>{ 0.5f, 0.75f, 0.875f }));
}

TEST_F (MacroModulatorTest, SkippedFramesUnderModulationStepAsSamplesDo)
{
    setOffset (50.0f);
    rig.setDepth ("Macro_1", "Macro_1_Offset", 100.0f);
    rig.manager.refreshMatrixForBlock();

    macro.skipFrames (3);
    EXPECT_EQ (macro.getValue(), 0.875f);
}
} // namespace
