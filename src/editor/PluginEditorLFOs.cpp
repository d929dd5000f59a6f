#include "editor/Panel.h"
#include "editor/PluginEditor.h"
#include "editor/controls/UIControlFactory.h"
#include "processor/PluginProcessor.h"

namespace
{
// The lists of the processor's lfoParameterUIDs, by what they hold.
enum LfoList
{
    rateList,
    syncedRateList,
    syncList,
    waveList,
    highRateEnableList,
    highRateList
};
} // namespace

//==============================================================================
void TavelinAudioProcessorEditor::setupLFOModule (int lfo)
{
    const auto uid = [this, lfo] (int list)
    { return processor.getParameterLayout().lfoParameterUIDs[(size_t) list][lfo]; };
    const auto colour = lfoModulesColour;

    addAndMakeVisible (lfoPanels.add (new velk::VelkPanel (true, true, true, true, true)));

    auto* link = lfoLinkDecorations.add (new velk::ParameterLinkDecoration (colour.withBrightness (0.5f), true, true, false));
    link->setOpaque (false);
    link->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (link);

    addAndMakeVisible (lfoHeaderLabels.add (new velk::PanelHeaderLabel ("LFO " + juce::String (lfo + 1), colour)));

    auto* rate = lfoRateKnobs.add (velk::UIControlFactory::createRegularKnobWithValueLabel (colour, "Hz"));
    bindPlainKnob (*rate, uid (rateList));
    rate->setComponentEffect (&dropShadow);

    bindMenu (*lfoSyncedRateBoxes.add (velk::UIControlFactory::createParameterMenuBox (noteDivisions())), uid (syncedRateList));
    bindToggle (*lfoSyncButtons.add (velk::UIControlFactory::createParameterToggleButton ("SYNC", colour)), uid (syncList));

    auto* display = lfoDisplays.add (new velk::LFODisplay());
    display->initialize (processor.valueTreeState.getRawParameterValue (uid (waveList))->load(), colour);
    addAndMakeVisible (display);
    processor.valueTreeState.addParameterListener (uid (waveList), display);

    // Never drawn: the wave picture below shows the value, and this takes its drags.
    auto* wave = lfoWaveKnobs.add (velk::UIControlFactory::createRegularKnob (colour));
    bindPlainKnob (*wave, uid (waveList));
    wave->setAlpha (0.0f);

    auto* highRate = lfoHighRateKnobs.add (velk::UIControlFactory::createRegularKnobWithValueLabel (colour, "Hz"));
    bindPlainKnob (*highRate, uid (highRateList));
    highRate->setVisible (false);
    highRate->setComponentEffect (&dropShadow);

    bindToggle (*lfoHighRateButtons.add (velk::UIControlFactory::createParameterToggleButton ("20+ HZ", colour)), uid (highRateEnableList));
    addAndMakeVisible (lfoRateLabels.add (velk::UIControlFactory::createRegularLabel ("RATE")));
}

juce::String TavelinAudioProcessorEditor::lfoWaveParameterUID (int lfo) const
{
    return processor.getParameterLayout().lfoParameterUIDs[waveList][lfo];
}

void TavelinAudioProcessorEditor::updateLFOSyncControlsVisibility (int lfo)
{
    // Sync wins over high rate; the high-rate switch keeps its value while hidden.
    const auto synced = lfoSyncButtons[lfo]->getToggleState();
    const auto high = lfoHighRateButtons[lfo]->getToggleState();

    lfoRateKnobs[lfo]->setVisible (!synced && !high);
    lfoHighRateKnobs[lfo]->setVisible (!synced && high);
    lfoHighRateButtons[lfo]->setVisible (!synced);
    lfoSyncedRateBoxes[lfo]->setVisible (synced);
}

void TavelinAudioProcessorEditor::layOutLFOs()
{
    for (int lfo = 0; lfo < numLfos; ++lfo)
    {
        const auto layout = Tavelin::Panel::lfoSection (lfo);
        lfoPanels[lfo]->setBounds (layout.panel);
        lfoHeaderLabels[lfo]->setBounds (layout.headerLabel);
        lfoLinkDecorations[lfo]->setBounds (layout.linkDecoration);
        lfoRateLabels[lfo]->setBounds (layout.rateLabel);
        lfoRateKnobs[lfo]->setBounds (layout.rateKnob);
        lfoHighRateKnobs[lfo]->setBounds (layout.highRateKnob);
        lfoSyncedRateBoxes[lfo]->setBounds (layout.syncedRateBox);
        lfoSyncButtons[lfo]->setBounds (layout.syncButton);
        lfoHighRateButtons[lfo]->setBounds (layout.highRateButton);
        lfoDisplays[lfo]->setBounds (layout.display);
        lfoDisplays[lfo]->setComponentEffect (&dropShadow);
        lfoWaveKnobs[lfo]->setBounds (layout.waveKnob);
    }
}
