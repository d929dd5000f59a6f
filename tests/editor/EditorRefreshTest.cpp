#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "support/BusyEditorState.h"

#include <limits>
#include <thread>

namespace tavelin::test
{
using EditorRefresh = EditorAtBaseScale;

TEST_F (EditorRefresh, SyncShowsOneTimeControlFromTheFirstTickOn)
{
    setPlainValue (*processor, "Delay_1_Sync", 1.0f);
    openEditor();
    auto& knob = control<velk::VelkKnob> (*editor, "Delay_1_Time");
    auto& menu = control<velk::VelkComboBox> (*editor, "Delay_1_Synced_Time");
    EXPECT_TRUE (knob.isVisible() && menu.isVisible());

    tick();
    EXPECT_FALSE (knob.isVisible());
    EXPECT_TRUE (menu.isVisible());
}

TEST_F (EditorRefresh, BypassDisablesExactlyTheChainsTwelveControlsAndOnlyOnAChange)
{
    openEditor(); // chains 2 and 3 start bypassed
    const auto disabledIDs = [this]
    {
        juce::StringArray ids;

        for (auto* child : editor->getChildren())
            if (!child->isEnabled())
                ids.add (learnableID (child));

        return ids;
    };

    tick();
    juce::StringArray expected;

    for (const auto& list : processor->getParameterLayout().chainParameterUIDs)
        expected.addArray (list, 1, 2);

    auto disabled = disabledIDs();
    expected.sort (false);
    disabled.sort (false);
    EXPECT_EQ (disabled, expected);

    auto& gain = control<velk::VelkKnob> (*editor, "Gainer_2_Gain");
    gain.setEnabled (true);
    tick();
    EXPECT_TRUE (gain.isEnabled()); // no change of state, nothing touched

    setPlainValue (*processor, processor->getParameterLayout().chainBypassUIDs[1], 0.0f);
    setPlainValue (*processor, processor->getParameterLayout().chainBypassUIDs[2], 0.0f);
    tick();
    EXPECT_TRUE (disabledIDs().isEmpty());
}

struct RoutingRow
{
    bool chain2Serial, chain2Bypassed, chain3Serial, chain3Bypassed;
    bool chain1ToFilterShown, chain2ToFilterShown;
};

class ChainToFilterButtons : public EditorAtBaseScale,
                             public ::testing::WithParamInterface<RoutingRow>
{
};

TEST_P (ChainToFilterButtons, ShowWhereTheChainReachesTheFilterDirectly)
{
    const auto row = GetParam();
    setPlainValue (*processor, "Chain2_Serial_Mode", row.chain2Serial);
    setPlainValue (*processor, processor->getParameterLayout().chainBypassUIDs[1], row.chain2Bypassed);
    setPlainValue (*processor, "Chain3_Serial_Mode", row.chain3Serial);
    setPlainValue (*processor, processor->getParameterLayout().chainBypassUIDs[2], row.chain3Bypassed);
    openEditor();
    tick();

    const auto shownAt = [this] (int chain)
    {
        for (auto* button : childrenOfType<juce::DrawableButton> (*editor))
            if (button->getBounds() == Tavelin::Panel::chainSection (chain).toFilterButton)
                return button->isVisible();

        return false;
    };
    EXPECT_EQ (shownAt (0), row.chain1ToFilterShown);
    EXPECT_EQ (shownAt (1), row.chain2ToFilterShown);
    EXPECT_TRUE (shownAt (2));
}

INSTANTIATE_TEST_SUITE_P (Routings, ChainToFilterButtons,
                          ::testing::Values (RoutingRow{ false, false, false, false, true, true },
                                             RoutingRow{ true, false, false, false, false, true },
                                             RoutingRow{ true, true, false, false, true, true },
                                             RoutingRow{ false, false, true, false, true, false },
                                             RoutingRow{ false, false, true, true, true, true }));

struct LfoRateRow
{
    bool sync, high;
    bool rateShown, highRateShown, highRateButtonShown, syncedBoxShown;
};

class LfoRateControls : public EditorAtBaseScale,
                        public ::testing::WithParamInterface<LfoRateRow>
{
};

TEST_P (LfoRateControls, ShowOneRateControlWithSyncBeforeHighRate)
{
    const auto row = GetParam();
    setPlainValue (*processor, "LFO_4_Sync", row.sync);
    setPlainValue (*processor, "LFO_4_High_Rate_Enable", row.high);
    openEditor();
    tick();

    EXPECT_EQ (control<velk::VelkKnob> (*editor, "LFO_4_Rate").isVisible(), row.rateShown);
    EXPECT_EQ (control<velk::VelkKnob> (*editor, "LFO_4_High_Rate").isVisible(), row.highRateShown);
    EXPECT_EQ (control<velk::VelkButton> (*editor, "LFO_4_High_Rate_Enable").isVisible(), row.highRateButtonShown);
    EXPECT_EQ (control<velk::VelkComboBox> (*editor, "LFO_4_Synced_Rate").isVisible(), row.syncedBoxShown);
}

INSTANTIATE_TEST_SUITE_P (SyncAndHighRate, LfoRateControls,
                          ::testing::Values (LfoRateRow{ false, false, true, false, true, false },
                                             LfoRateRow{ false, true, false, true, true, false },
                                             LfoRateRow{ true, false, false, false, false, true },
                                             LfoRateRow{ true, true, false, false, false, true }));

//==============================================================================
TEST_F (EditorRefresh, ModulationDepthsShowAsRingsOutlinesAndHalos)
{
    openEditor();
    const auto publish = [this] (const char* target, double depth)
    {
        auto modsBuffer = processor->getReadouts().getModsBuffer(); // the same shared tree
        modsBuffer.setProperty (target, depth, nullptr);
        tick();
    };

    auto& time = control<velk::VelkKnob> (*editor, "Delay_1_Time");
    auto& timeMenu = control<velk::VelkComboBox> (*editor, "Delay_1_Synced_Time");
    publish ("Delay_1_Time", 0.5);
    EXPECT_EQ (time.modulationDepth, 0.5f);
    EXPECT_TRUE (time.squareModulationDepth);
    EXPECT_EQ (timeMenu.findColour (juce::ComboBox::outlineColourId), velk::VelkColours::lime.withAlpha ((juce::uint8) 0xCC));
    publish ("Delay_1_Time", 0.0);
    EXPECT_EQ (time.modulationDepth, 0.0f);
    EXPECT_EQ (timeMenu.findColour (juce::ComboBox::outlineColourId), velk::VelkColours::grey);

    auto& mix = control<velk::VelkKnob> (*editor, "Pitch_Shifter_1_Mix");
    publish ("Pitch_Shifter_1_Mix", 0.5);
    EXPECT_EQ (mix.modulationDepth, 0.5f);
    EXPECT_FALSE (mix.squareModulationDepth);

    // A depth that is not a number is none.
    publish ("Pitch_Shifter_1_Mix", std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ (mix.modulationDepth, 0.0f);

    publish ("LFO_2_Rate", 0.25);
    EXPECT_EQ (control<velk::VelkKnob> (*editor, "LFO_2_Rate").modulationDepth, 0.25f);
    EXPECT_EQ (control<velk::VelkKnob> (*editor, "LFO_2_High_Rate").modulationDepth, 0.25f);
    EXPECT_TRUE (control<velk::VelkComboBox> (*editor, "LFO_2_Synced_Rate").showsModulation);

    publish ("LFO_3_Wave", 0.5);
    EXPECT_EQ (control<velk::VelkKnob> (*editor, "LFO_3_Wave").modulationDepth, 0.0f);
    const auto displays = childrenOfType<velk::LFODisplay> (*editor);
    ASSERT_EQ (displays.size(), 4);
    EXPECT_FALSE (displays[1]->modulated);
    EXPECT_TRUE (displays[2]->modulated);
}

TEST_F (EditorRefresh, TextsShowTheLevelWithOneUnitAndThePresetNameInCapitals)
{
    processor->getCurrentPreset().setName ("Warm Tape");
    openEditor();
    tick();

    const auto labelTexts = [this]
    {
        juce::StringArray texts;

        for (auto* label : childrenOfType<juce::Label> (*editor))
            texts.add (label->getText());

        return texts;
    }();

    EXPECT_TRUE (labelTexts.contains ("+0.00 dB"));
    EXPECT_TRUE (labelTexts.contains ("WARM TAPE"));
}

TEST_F (EditorRefresh, RandomizeAmountLivesInTheProcessorAndSurvivesAReopenedEditor)
{
    const auto amountKnob = [this]
    {
        for (auto* knob : childrenOfType<velk::VelkKnob> (*editor))
            if (knob->parameterID.isEmpty())
                return knob;

        return static_cast<velk::VelkKnob*> (nullptr);
    };

    openEditor();
    EXPECT_EQ (amountKnob()->getValue(), 1.0);
    amountKnob()->setValue (0.25, juce::sendNotificationSync);
    EXPECT_EQ (processor->randomizeAmount, 0.25f);

    closeEditor();
    openEditor();
    EXPECT_EQ (amountKnob()->getValue(), 0.25);
}

TEST_F (EditorRefresh, DisplaysFollowWaveAndModeChangesFromAnotherThreadDuringTicks)
{
    openEditor();
    std::atomic<bool> done{ false };
    std::thread automation ([this, &done]
                            {
                                for (int i = 0; i < 200; ++i)
                                {
                                    setPlainValue (*processor, "LFO_1_Wave", (float) (i % 7));
                                    setPlainValue (*processor, "Filter_Mode", (float) (i % 4));
                                }

                                setPlainValue (*processor, "LFO_1_Wave", 4.0f);
                                setPlainValue (*processor, "Filter_Mode", 2.0f);
                                done = true; });

    while (!done)
        tick();

    automation.join();
    tick();
    EXPECT_EQ (childrenOfType<velk::LFODisplay> (*editor)[0]->currentIndex.load(), 4);
    EXPECT_EQ (childrenOfType<velk::FilterModeDisplay> (*editor)[0]->currentIndex.load(), 2);
}
} // namespace tavelin::test
