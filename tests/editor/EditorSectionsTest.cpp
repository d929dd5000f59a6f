#include "editor/EditorFixture.h"
#include "editor/GoldenImage.h"
#include "editor/Panel.h"
#include "modulation/ModulationsManager.h"
#include "support/BusyEditorState.h"

#include <limits>
#include <thread>

namespace tavelin::test
{
namespace
{
    using Tavelin::Panel::Rect;

    /** The editor's own child that a click at a point of the base layout (at scale 1.0) reaches. */
    juce::Component* childAt (juce::Component& editor, juce::Point<int> point)
    {
        editor.setVisible (true); // as the host shows it; a hidden component takes no clicks
        auto* hit = editor.getComponentAt (point);

        while (hit != nullptr && hit->getParentComponent() != &editor)
            hit = hit->getParentComponent();

        return hit;
    }

    juce::String learnableID (juce::Component* component)
    {
        auto* target = dynamic_cast<velk::MIDITarget*> (component);
        return target != nullptr ? target->parameterID : juce::String();
    }

    template <typename ControlType>
    ControlType& control (juce::Component& editor, const juce::String& parameterID)
    {
        for (auto* child : editor.getChildren())
            if (auto* found = dynamic_cast<ControlType*> (child); found != nullptr && learnableID (child) == parameterID)
                return *found;

        throw std::runtime_error ("no control for " + parameterID.toStdString());
    }

    template <typename ComponentType>
    juce::Array<ComponentType*> childrenOfType (juce::Component& editor)
    {
        juce::Array<ComponentType*> found;

        for (auto* child : editor.getChildren())
            if (auto* typed = dynamic_cast<ComponentType*> (child))
                found.add (typed);

        return found;
    }

    bool shows (juce::Component& component, float plainValue)
    {
        if (auto* slider = dynamic_cast<juce::Slider*> (&component))
            return std::abs (slider->getValue() - (double) plainValue) < 1e-3;

        if (auto* menu = dynamic_cast<juce::ComboBox*> (&component))
            return menu->getSelectedItemIndex() == juce::roundToInt (plainValue);

        if (auto* button = dynamic_cast<juce::Button*> (&component))
            return button->getToggleState() == (plainValue >= 0.5f);

        return false;
    }

    float defaultOf (TavelinAudioProcessor& processor, const juce::String& id)
    {
        auto* parameter = processor.valueTreeState.getParameter (id);
        return parameter->convertFrom0to1 (parameter->getDefaultValue());
    }
} // namespace

using EditorSections = EditorFixture;

//==============================================================================
TEST_F (EditorSections, DrawTheWholeWindowInTheDefaultAndTheBusyState)
{
    openEditor();
    tick();
    EXPECT_TRUE (matchesGolden (snapshot (*editor), "editor_default", 2));
    closeEditor();

    prepareBusyState (*processor);
    openEditor();
    tick();
    EXPECT_TRUE (matchesGolden (snapshot (*editor), "editor_busy", 2));
}

TEST_F (EditorSections, TransparentControlsTakeTheClicksOnWhatShowsTheirValue)
{
    using namespace Tavelin::Panel;
    openEditor();
    const auto footerLayout = footer();
    const std::pair<Rect, juce::String> knobCases[] = {
        { outputSection().filterModeDisplay, "Filter_Mode" },
        { lfoSection (0).display, "LFO_1_Wave" },
        { lfoSection (1).display, "LFO_2_Wave" },
        { lfoSection (2).display, "LFO_3_Wave" },
        { lfoSection (3).display, "LFO_4_Wave" },
        { outputSection().outputLevel, "Global_Gain" },
        { footerLayout.macroKnobs[0], "Macro_1_Offset" },
        { footerLayout.macroKnobs[2], "Macro_3_Offset" },
    };

    for (const auto& [area, parameterID] : knobCases)
        EXPECT_EQ (learnableID (childAt (*editor, area.getCentre())), parameterID) << parameterID;

    // The headers and the preset name lead to invisible text-less buttons exactly over them.
    for (const auto& area : { chainSection (0).headerLabel, chainSection (2).headerLabel, presetStrip().nameLabel })
    {
        auto* button = dynamic_cast<juce::TextButton*> (childAt (*editor, area.getCentre()));
        ASSERT_NE (button, nullptr);
        EXPECT_EQ (button->getAlpha(), 0.0f);
        EXPECT_TRUE (button->getButtonText().isEmpty());
    }

    const auto decorations = childrenOfType<velk::ParameterLinkDecoration> (*editor);
    EXPECT_EQ (decorations.size(), 3 + 4 + 4);

    for (auto* decoration : decorations)
        EXPECT_NE (childAt (*editor, decoration->getBounds().getCentre()), decoration);
}

TEST_F (EditorSections, EveryControlAtItsPlaceShowsItsOwnParameter)
{
    using namespace Tavelin::Panel;
    openEditor();
    std::vector<std::pair<juce::String, Rect>> places;

    for (int chain = 0; chain < 3; ++chain)
    {
        const auto layout = chainSection (chain);
        const auto& k = layout.knobs;
        const Rect listPlaces[] = { k[0], k[1], k[2], k[3], k[4], layout.syncedTimeMenu, layout.syncButton,
                                    k[5], k[6], layout.pingPongButton, k[7], k[8] };

        for (size_t list = 0; list < std::size (listPlaces); ++list)
            places.emplace_back (processor->chainParameterUIDs[list][chain], listPlaces[list]);

        places.emplace_back (processor->chainBypassUIDs[chain], layout.bypassButton);
        places.emplace_back (TavelinAudioProcessor::chainToFilterUID (chain), layout.toFilterButton);
    }

    places.emplace_back (TavelinAudioProcessor::chain2SerialUid, chainSection (1).serialModeButton);
    places.emplace_back (TavelinAudioProcessor::chain3SerialUid, chainSection (2).serialModeButton);

    for (int lfo = 0; lfo < 4; ++lfo)
    {
        const auto layout = lfoSection (lfo);
        const Rect listPlaces[] = { layout.rateKnob, layout.syncedRateBox, layout.syncButton,
                                    layout.waveKnob, layout.highRateButton, layout.highRateKnob };

        for (size_t list = 0; list < std::size (listPlaces); ++list)
            places.emplace_back (processor->lfoParameterUIDs[list][lfo], listPlaces[list]);
    }

    const auto output = outputSection();
    places.insert (places.end(), { { processor->filterModeParameterUID, output.filterModeKnob },
                                   { processor->filterCutoffParameterUID, output.cellKnobs[0] },
                                   { processor->filterResonanceParameterUID, output.cellKnobs[1] },
                                   { processor->dryWetParameterUID, output.cellKnobs[2] },
                                   { processor->globalGainParameterUID, output.outputLevel },
                                   { velk::ModulationsManager::globalModDepthParameterUID, footer().globalModDepthKnob } });

    for (int macro = 0; macro < 3; ++macro)
        places.emplace_back (processor->macroParameterUIDs[macro], footer().macroKnobs[(size_t) macro]);

    for (const auto& entry : places)
        setPlainValue (*processor, entry.first, defaultOf (*processor, entry.first));

    // One parameter at a time, so that a control bound to a neighbour's parameter shows nothing.
    for (const auto& [id, place] : places)
    {
        auto* parameter = processor->valueTreeState.getParameter (id);
        ASSERT_NE (parameter, nullptr) << id;
        const auto& range = parameter->getNormalisableRange();
        const auto value = range.snapToLegalValue (range.convertFrom0to1 (parameter->getDefaultValue() < 0.5f ? 0.75f : 0.25f));
        ASSERT_NE (value, defaultOf (*processor, id)) << id;
        setPlainValue (*processor, id, value);

        const auto shown = std::any_of (editor->getChildren().begin(), editor->getChildren().end(),
                                        [&, value = value] (auto* child)
                                        { return child->getBounds() == place && shows (*child, value); });
        EXPECT_TRUE (shown) << id;
        setPlainValue (*processor, id, defaultOf (*processor, id));
    }
}

TEST_F (EditorSections, SyncedTimeMenusListTheDivisionsByValue)
{
    openEditor();

    for (const auto& [id, defaultText] : { std::pair<juce::String, juce::String> ("Delay_1_Synced_Time", "1/8"),
                                           std::pair<juce::String, juce::String> ("LFO_1_Synced_Rate", "1 BAR") })
    {
        auto& menu = control<velk::VelkComboBox> (*editor, id);
        EXPECT_EQ (menu.getNumItems(), 18);
        EXPECT_EQ (menu.getText(), defaultText);

        menu.setSelectedId (4, juce::sendNotificationSync); // "1 BAR"
        EXPECT_EQ (processor->valueTreeState.getRawParameterValue (id)->load(), 3.0f);

        setPlainValue (*processor, id, 17.0f);
        EXPECT_EQ (menu.getText(), "1/128");
    }
}

TEST_F (EditorSections, OnlyParameterControlsAreMidiLearnable)
{
    openEditor();
    juce::StringArray expected{ "Filter_Mode", "Filter_Cut", "Filter_Res", "Dry_Wet", "Global_Gain",
                                "Macro_1_Offset", "Macro_2_Offset", "Macro_3_Offset", "Modulations_Global_Scale" };

    for (const auto& list : processor->chainParameterUIDs)
        expected.addArray (list);

    for (const auto& list : processor->lfoParameterUIDs)
        expected.addArray (list);

    juce::StringArray learnable;

    for (auto* child : editor->getChildren())
        if (const auto id = learnableID (child); id.isNotEmpty())
            learnable.add (id);

    expected.sort (false);
    learnable.sort (false);
    EXPECT_EQ (learnable, expected);

    // The randomize amount: a knob with no parameter.
    const auto allKnobs = childrenOfType<velk::VelkKnob> (*editor);
    EXPECT_EQ (std::count_if (allKnobs.begin(), allKnobs.end(), [] (auto* knob)
                              { return knob->parameterID.isEmpty(); }),
               1);
}

//==============================================================================
TEST_F (EditorSections, SyncShowsOneTimeControlFromTheFirstTickOn)
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

TEST_F (EditorSections, BypassDisablesExactlyTheChainsTwelveControlsAndOnlyOnAChange)
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

    for (const auto& list : processor->chainParameterUIDs)
        expected.addArray (list, 1, 2);

    auto disabled = disabledIDs();
    expected.sort (false);
    disabled.sort (false);
    EXPECT_EQ (disabled, expected);

    auto& gain = control<velk::VelkKnob> (*editor, "Gainer_2_Gain");
    gain.setEnabled (true);
    tick();
    EXPECT_TRUE (gain.isEnabled()); // no change of state, nothing touched

    setPlainValue (*processor, processor->chainBypassUIDs[1], 0.0f);
    setPlainValue (*processor, processor->chainBypassUIDs[2], 0.0f);
    tick();
    EXPECT_TRUE (disabledIDs().isEmpty());
}

struct RoutingRow
{
    bool chain2Serial, chain2Bypassed, chain3Serial, chain3Bypassed;
    bool chain1ToFilterShown, chain2ToFilterShown;
};

class ChainToFilterButtons : public EditorFixture,
                             public ::testing::WithParamInterface<RoutingRow>
{
};

TEST_P (ChainToFilterButtons, ShowWhereTheChainReachesTheFilterDirectly)
{
    const auto row = GetParam();
    setPlainValue (*processor, "Chain2_Serial_Mode", row.chain2Serial);
    setPlainValue (*processor, processor->chainBypassUIDs[1], row.chain2Bypassed);
    setPlainValue (*processor, "Chain3_Serial_Mode", row.chain3Serial);
    setPlainValue (*processor, processor->chainBypassUIDs[2], row.chain3Bypassed);
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

class LfoRateControls : public EditorFixture,
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
TEST_F (EditorSections, ModulationDepthsShowAsRingsOutlinesAndHalos)
{
    openEditor();
    const auto publish = [this] (const char* target, double depth)
    {
        processor->modsBuffer.setProperty (target, depth, nullptr);
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

TEST_F (EditorSections, TextsShowTheLevelWithOneUnitAndThePresetNameInCapitals)
{
    processor->currentPresetName = "Warm Tape";
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

TEST_F (EditorSections, RandomizeAmountLivesInTheProcessorAndSurvivesAReopenedEditor)
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

TEST_F (EditorSections, DisplaysFollowWaveAndModeChangesFromAnotherThreadDuringTicks)
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
