#include "editor/PluginEditor.h"
#include "processor/PluginProcessor.h"

#include <cmath>

namespace
{
/** The depth that the audio thread last published for a target; none, or one that is not a
    number, is no modulation (a NaN would give the knob's ring NaN angles).
*/
float publishedDepth (const TavelinAudioProcessor& processor, const juce::String& targetID)
{
    const auto depth = (float) (double) processor.getReadouts().getModsBuffer().getProperty (targetID, 0.0);
    return std::isfinite (depth) ? depth : 0.0f;
}

void showRing (velk::VelkKnob& knob, float depth, bool squared)
{
    // Compared after clamping, so that a depth outside [0, 1] does not repaint on every tick.
    const auto clamped = juce::jlimit (0.0f, 1.0f, depth);

    if (clamped == knob.modulationDepth)
        return;

    knob.modulationDepth = clamped;
    knob.squareModulationDepth = squared;
    knob.repaint();
}

void showOutline (velk::VelkComboBox& box, float depth)
{
    const auto modulated = depth != 0.0f;

    if (modulated == box.showsModulation)
        return;

    box.showsModulation = modulated;
    box.setColour (juce::ComboBox::outlineColourId, modulated ? velk::VelkColours::lime.withAlpha ((juce::uint8) 0xCC)
                                                              : velk::VelkColours::grey);
}

void showHalo (velk::ParameterGraphicalDisplay& display, float depth)
{
    const auto modulated = depth != 0.0f;

    if (modulated == display.modulated)
        return;

    display.modulated = modulated;
    display.repaint();
}

// The lists of chainParameterUIDs and lfoParameterUIDs whose targets show modulation.
constexpr int pitchList = 0, pitchMixList = 3, timeList = 4, delayMixList = 8, gainList = 10, panList = 11;
constexpr int rateList = 0;
} // namespace

//==============================================================================
void TavelinAudioProcessorEditor::timerCallback()
{
    // While the window is open, MIDI program changes wait for it here.
    processor.loadRequestedProgramChange();

    for (int chain = 0; chain < numChains; ++chain)
    {
        updateChainSyncControlsVisibility (chain);
        updateChainBypassUIState (chain);
    }

    updateChainToFilterVisibility();

    for (int lfo = 0; lfo < numLfos; ++lfo)
        updateLFOSyncControlsVisibility (lfo);

    refreshModulationDisplay();
    refreshTexts();
    oscilloscope->refresh (processor);
}

void TavelinAudioProcessorEditor::refreshModulationDisplay()
{
    const auto depthOf = [this] (const juce::String& targetID)
    { return publishedDepth (processor, targetID); };
    const auto chainTarget = [this] (int list, int chain)
    { return processor.getParameterLayout().chainParameterUIDs[(size_t) list][chain]; };

    for (int chain = 0; chain < numChains; ++chain)
    {
        showRing (*pitchShifterPitchKnobs[chain], depthOf (chainTarget (pitchList, chain)), false);
        showRing (*pitchShifterMixKnobs[chain], depthOf (chainTarget (pitchMixList, chain)), false);
        const auto time = depthOf (chainTarget (timeList, chain));
        showRing (*delayTimeKnobs[chain], time, true);
        showOutline (*delaySyncedTimeMenus[chain], time);
        showRing (*delayMixKnobs[chain], depthOf (chainTarget (delayMixList, chain)), false);
        showRing (*gainKnobs[chain], depthOf (chainTarget (gainList, chain)), true);
        showRing (*panKnobs[chain], depthOf (chainTarget (panList, chain)), false);
    }

    for (int lfo = 0; lfo < numLfos; ++lfo)
    {
        const auto rate = depthOf (processor.getParameterLayout().lfoParameterUIDs[rateList][lfo]);
        showRing (*lfoRateKnobs[lfo], rate, true);
        showRing (*lfoHighRateKnobs[lfo], rate, true);
        showOutline (*lfoSyncedRateBoxes[lfo], rate);
        showHalo (*lfoDisplays[lfo], depthOf (lfoWaveParameterUID (lfo)));
    }

    for (int macro = 0; macro < numMacros; ++macro)
        showRing (*macroKnobs[macro], depthOf (processor.getParameterLayout().macroParameterUIDs[macro]), false);

    showRing (*filterCutoffKnob, depthOf (processor.getParameterLayout().filterCutoffParameterUID), true);
    showRing (*filterResonanceKnob, depthOf (processor.getParameterLayout().filterResonanceParameterUID), false);
    showRing (*dryWetKnob, depthOf (processor.getParameterLayout().dryWetParameterUID), false);
}

void TavelinAudioProcessorEditor::refreshTexts()
{
    if (auto* level = processor.valueTreeState.getParameter (processor.getParameterLayout().globalGainParameterUID))
        outputLevelLabel->setText (level->getText (level->getValue(), 512), juce::dontSendNotification);

    const auto name = processor.getCurrentPreset().getName().toUpperCase();

    if (name != presetNameLabel->getText())
        presetNameLabel->setText (name, juce::dontSendNotification);
}

void TavelinAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    if (slider == randomizeAmountKnob.get())
        processor.randomizeAmount = (float) slider->getValue();
}
