#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/GoldenImage.h"
#include "editor/Panel.h"
#include "modulation/ModulationsManager.h"
#include "support/BusyEditorState.h"

namespace tavelin::test
{
namespace
{
    using Tavelin::Panel::Rect;

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

using EditorSections = EditorAtBaseScale;

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
            places.emplace_back (processor->getParameterLayout().chainParameterUIDs[list][chain], listPlaces[list]);

        places.emplace_back (processor->getParameterLayout().chainBypassUIDs[chain], layout.bypassButton);
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
            places.emplace_back (processor->getParameterLayout().lfoParameterUIDs[list][lfo], listPlaces[list]);
    }

    const auto output = outputSection();
    places.insert (places.end(), { { processor->getParameterLayout().filterModeParameterUID, output.filterModeKnob },
                                   { processor->getParameterLayout().filterCutoffParameterUID, output.cellKnobs[0] },
                                   { processor->getParameterLayout().filterResonanceParameterUID, output.cellKnobs[1] },
                                   { processor->getParameterLayout().dryWetParameterUID, output.cellKnobs[2] },
                                   { processor->getParameterLayout().globalGainParameterUID, output.outputLevel },
                                   { velk::ModulationsManager::globalModDepthParameterUID, footer().globalModDepthKnob } });

    for (int macro = 0; macro < 3; ++macro)
        places.emplace_back (processor->getParameterLayout().macroParameterUIDs[macro], footer().macroKnobs[(size_t) macro]);

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
                                        [&, value = value, place = place] (auto* child)
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

    for (const auto& list : processor->getParameterLayout().chainParameterUIDs)
        expected.addArray (list);

    for (const auto& list : processor->getParameterLayout().lfoParameterUIDs)
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

} // namespace tavelin::test
