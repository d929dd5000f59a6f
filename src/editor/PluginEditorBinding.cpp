#include "editor/PluginEditor.h"
#include "editor/controls/UIControlFactory.h"

//==============================================================================
void TavelinAudioProcessorEditor::createAndBindKnob (std::unique_ptr<velk::VelkKnob>& knob, const juce::String& parameterID,
                                                     const juce::String& suffix, const juce::Colour& colour)
{
    // The knob that the holder had goes, and its attachment must go first.
    if (knob != nullptr)
        parameterMapper.detachSlider (*knob);

    knob.reset (velk::UIControlFactory::createRegularKnobWithValueLabel (colour, suffix));
    bindKnob (*knob, parameterID);
}

void TavelinAudioProcessorEditor::createAndBindChainKnob ([[maybe_unused]] int chain, juce::OwnedArray<velk::VelkKnob>& knobs,
                                                          const juce::String& parameterID, const juce::String& suffix,
                                                          const juce::Colour& colour)
{
    knobs.add (velk::UIControlFactory::createRegularKnobWithValueLabel (colour, suffix));
    jassert (chain == knobs.size() - 1);
    bindKnob (*knobs.getLast(), parameterID);
}

void TavelinAudioProcessorEditor::bindKnob (velk::VelkKnob& knob, const juce::String& parameterID)
{
    addAndMakeVisible (knob);
    parameterMapper.attachSliderToParameter (&knob, parameterID);
    knob.parameterID = parameterID;
    knob.addChangeListener (ccMapperUIManager.get());
    knob.setComponentEffect (&dropShadow);
}

void TavelinAudioProcessorEditor::bindPlainKnob (velk::VelkKnob& knob, const juce::String& parameterID)
{
    addAndMakeVisible (knob);
    parameterMapper.attachSliderToParameter (&knob, parameterID);
    knob.parameterID = parameterID;
    knob.addChangeListener (ccMapperUIManager.get());
}

void TavelinAudioProcessorEditor::bindMenu (velk::VelkComboBox& menu, const juce::String& parameterID)
{
    addAndMakeVisible (menu);
    parameterMapper.attachMenuToParameter (&menu, parameterID);
    menu.parameterID = parameterID;
    menu.addChangeListener (ccMapperUIManager.get());
}

void TavelinAudioProcessorEditor::bindToggle (velk::VelkButton& button, const juce::String& parameterID)
{
    addAndMakeVisible (button);
    parameterMapper.attachButtonToParameter (&button, parameterID);
    button.parameterID = parameterID;
    button.addChangeListener (ccMapperUIManager.get());
}
