#include "editor/Panel.h"
#include "editor/PluginEditor.h"
#include "editor/controls/UIControlFactory.h"
#include "modulation/BeatTranslator.h"
#include "processor/PluginProcessor.h"

#include <EditorAssets.h>

namespace
{
juce::Colour chainColour (int chain)
{
    if (chain == 1)
        return TavelinAudioProcessorEditor::chain2Colour;

    if (chain == 2)
        return TavelinAudioProcessorEditor::chain3Colour;

    return TavelinAudioProcessorEditor::chain1Colour;
}

std::unique_ptr<juce::Drawable> drawable (const char* svg, int size)
{
    return juce::Drawable::createFromImageData (svg, (size_t) size);
}

// The lists of the processor's chainParameterUIDs, by what they hold.
enum ChainList
{
    pitchList,
    sizeList,
    pitchFeedbackList,
    pitchMixList,
    timeList,
    syncedTimeList,
    syncList,
    delayFeedbackList,
    delayMixList,
    pingPongList,
    gainList,
    panList
};

const char* const captionTexts[] = { "PITCH", "SIZE", "FEED", "MIX", "TIME", "FEED", "MIX", "LEVEL", "PAN" };
} // namespace

//==============================================================================
juce::StringArray TavelinAudioProcessorEditor::noteDivisions()
{
    juce::StringArray divisions;

    for (int i = 0; i < numNoteDivisions; ++i)
        divisions.add (velk::BeatTranslator::syncEnumToString (i));

    return divisions;
}

void TavelinAudioProcessorEditor::setupChain (int chain)
{
    const auto uid = [this, chain] (int list)
    { return processor.getParameterLayout().chainParameterUIDs[(size_t) list][chain]; };

    addAndMakeVisible (chainPanels.add (new velk::VelkPanel (true, true, true, true, true)));
    const auto colour = chainColour (chain);

    auto* link = chainLinkDecorations.add (new velk::ParameterLinkDecoration (colour.withBrightness (0.5f), true, true, false));
    link->setOpaque (false);
    link->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (link);

    addAndMakeVisible (chainHeaderLabels.add (new velk::PanelHeaderLabel ("CHAIN " + juce::String (chain + 1), colour)));

    createAndBindChainKnob (chain, pitchShifterPitchKnobs, uid (pitchList), "Semi", colour);
    pitchShifterPitchKnobs[chain]->setLookAndFeel (bipolarLook);
    createAndBindChainKnob (chain, pitchShifterSizeKnobs, uid (sizeList), "Ms", colour);
    createAndBindChainKnob (chain, pitchShifterFeedbackKnobs, uid (pitchFeedbackList), "%", colour);
    createAndBindChainKnob (chain, pitchShifterMixKnobs, uid (pitchMixList), "%", colour);
    pitchShifterMixKnobs[chain]->setLookAndFeel (bipolarLook);
    createAndBindChainKnob (chain, delayTimeKnobs, uid (timeList), "Ms", colour);

    bindMenu (*delaySyncedTimeMenus.add (velk::UIControlFactory::createParameterMenuBox (noteDivisions())), uid (syncedTimeList));
    bindToggle (*delaySyncButtons.add (velk::UIControlFactory::createParameterToggleButton ("SYNC", colour)), uid (syncList));
    bindToggle (*delayPingPongButtons.add (velk::UIControlFactory::createParameterToggleButton ("WIDE", colour)), uid (pingPongList));

    createAndBindChainKnob (chain, delayFeedbackKnobs, uid (delayFeedbackList), "%", colour);
    createAndBindChainKnob (chain, delayMixKnobs, uid (delayMixList), "%", colour);
    delayMixKnobs[chain]->setLookAndFeel (bipolarLook);
    createAndBindChainKnob (chain, gainKnobs, uid (gainList), "dB", colour);
    createAndBindChainKnob (chain, panKnobs, uid (panList), "%", colour);
    panKnobs[chain]->setLookAndFeel (bipolarLook);

    auto* bypass = chainBypassButtons.add (velk::UIControlFactory::createIconButton (powerOnIcon.get(), powerOffIcon.get()));
    addAndMakeVisible (bypass);
    parameterMapper.attachButtonToParameter (bypass, processor.getParameterLayout().chainBypassUIDs[chain]);
    chainBypassStates.add (false);

    if (chain == 1 || chain == 2)
    {
        auto& serial = chain == 1 ? chain2SerialModeButton : chain3SerialModeButton;
        serial.reset (velk::UIControlFactory::createIconButton (parallelIcon.get(), serialIcon.get()));
        addAndMakeVisible (*serial);
        parameterMapper.attachButtonToParameter (serial.get(), chain == 1 ? TavelinAudioProcessor::chain2SerialUid
                                                                          : TavelinAudioProcessor::chain3SerialUid);
    }

    const auto filterOn = drawable (EditorAssets::chain_to_filter_on_svg, EditorAssets::chain_to_filter_on_svgSize);
    const auto filterOff = drawable (EditorAssets::chain_to_filter_off_svg, EditorAssets::chain_to_filter_off_svgSize);
    auto* toFilter = chainToFilterButtons.add (velk::UIControlFactory::createIconButton (filterOff.get(), filterOn.get()));
    addAndMakeVisible (toFilter);
    parameterMapper.attachButtonToParameter (toFilter, TavelinAudioProcessor::chainToFilterUID (chain));

    auto* captions = chainCaptions.add (new juce::OwnedArray<juce::Label>());

    for (const auto* text : captionTexts)
        addAndMakeVisible (captions->add (velk::UIControlFactory::createRegularLabel (text)));

    addAndMakeVisible (pitchShifterSectionLabels.add (new velk::SubSectionLabel ("PITCH SHIFTER")));
    addAndMakeVisible (delaySectionLabels.add (new velk::SubSectionLabel ("DELAY")));
    addAndMakeVisible (ampSectionLabels.add (new velk::SubSectionLabel ("AMP")));
}

void TavelinAudioProcessorEditor::createChainMenuButtons()
{
    // Invisible buttons over the chain headers: a click on a header opens that chain's menu.
    for (int chain = 0; chain < numChains; ++chain)
    {
        auto* button = chainMenuButtons.add (new juce::TextButton());
        button->setAlpha (0.0f);
        button->setMouseClickGrabsKeyboardFocus (false); // as the cog's: a later Return must not open its menu
        button->addListener (this);
        addAndMakeVisible (button);
    }
}

//==============================================================================
void TavelinAudioProcessorEditor::updateChainSyncControlsVisibility (int chain)
{
    const auto synced = delaySyncButtons[chain]->getToggleState();
    delayTimeKnobs[chain]->setVisible (!synced);
    delaySyncedTimeMenus[chain]->setVisible (synced);
}

void TavelinAudioProcessorEditor::updateChainBypassUIState (int chain)
{
    const auto bypassed = chainBypassButtons[chain]->getToggleState();

    // Enabling touches twelve controls; it happens only when the state changes.
    if (chainBypassStates[chain] == bypassed)
        return;

    const std::initializer_list<juce::Component*> controls{
        pitchShifterPitchKnobs[chain], pitchShifterSizeKnobs[chain], pitchShifterFeedbackKnobs[chain],
        pitchShifterMixKnobs[chain], delayTimeKnobs[chain], delaySyncedTimeMenus[chain],
        delaySyncButtons[chain], delayPingPongButtons[chain], delayFeedbackKnobs[chain],
        delayMixKnobs[chain], gainKnobs[chain], panKnobs[chain]
    };

    for (auto* control : controls)
        control->setEnabled (!bypassed);

    chainBypassStates.set (chain, bypassed);
}

void TavelinAudioProcessorEditor::updateChainToFilterVisibility()
{
    // A chain that feeds a serial chain after it reaches the filter only through that chain.
    const auto feedsFilterDirectly = [this] (const juce::Button& nextSerial, int nextChain)
    { return !nextSerial.getToggleState() || chainBypassButtons[nextChain]->getToggleState(); };

    chainToFilterButtons[0]->setVisible (feedsFilterDirectly (*chain2SerialModeButton, 1));
    chainToFilterButtons[1]->setVisible (feedsFilterDirectly (*chain3SerialModeButton, 2));
}

//==============================================================================
void TavelinAudioProcessorEditor::layOutChains()
{
    for (int chain = 0; chain < numChains; ++chain)
    {
        const auto layout = Tavelin::Panel::chainSection (chain);
        chainPanels[chain]->setBounds (layout.panel);
        chainHeaderLabels[chain]->setBounds (layout.headerLabel);
        chainMenuButtons[chain]->setBounds (layout.menuButton);
        chainLinkDecorations[chain]->setBounds (layout.linkDecoration);

        const std::array<velk::VelkKnob*, Tavelin::Panel::ChainLayout::numKnobs> knobs{
            pitchShifterPitchKnobs[chain], pitchShifterSizeKnobs[chain], pitchShifterFeedbackKnobs[chain],
            pitchShifterMixKnobs[chain], delayTimeKnobs[chain], delayFeedbackKnobs[chain],
            delayMixKnobs[chain], gainKnobs[chain], panKnobs[chain]
        };

        for (size_t i = 0; i < knobs.size(); ++i)
        {
            knobs[i]->setBounds (layout.knobs[i]);
            (*chainCaptions[chain])[(int) i]->setBounds (layout.captions[i]);
        }

        delaySyncedTimeMenus[chain]->setBounds (layout.syncedTimeMenu);
        delaySyncButtons[chain]->setBounds (layout.syncButton);
        delayPingPongButtons[chain]->setBounds (layout.pingPongButton);
        pitchShifterSectionLabels[chain]->setBounds (layout.sectionLabels[0]);
        delaySectionLabels[chain]->setBounds (layout.sectionLabels[1]);
        ampSectionLabels[chain]->setBounds (layout.sectionLabels[2]);
        chainBypassButtons[chain]->setBounds (layout.bypassButton);
        chainToFilterButtons[chain]->setBounds (layout.toFilterButton);
    }

    chain2SerialModeButton->setBounds (Tavelin::Panel::chainSection (1).serialModeButton);
    chain3SerialModeButton->setBounds (Tavelin::Panel::chainSection (2).serialModeButton);
}
