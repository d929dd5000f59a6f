#include "editor/controls/UIControlFactory.h"

#include "lookandfeel/VelkColours.h"

namespace velk
{
namespace
{
    void setTextButtonColours (juce::TextButton& button, const juce::Colour& onColour)
    {
        button.setColour (juce::TextButton::buttonColourId, VelkColours::dark_grey);
        button.setColour (juce::TextButton::buttonOnColourId, VelkColours::dark_grey);
        button.setColour (juce::TextButton::textColourOnId, onColour);
        button.setColour (juce::TextButton::textColourOffId, VelkColours::light_grey);
        button.setWantsKeyboardFocus (false);
    }
} // namespace

juce::Label* UIControlFactory::createRegularLabel (const juce::String& text)
{
    auto* label = new juce::Label();
    label->setColour (juce::Label::textColourId, VelkColours::light_grey);
    label->setColour (juce::Label::backgroundColourId, VelkColours::dark_grey.withAlpha ((juce::uint8) 0));
    label->setEditable (false, false, false);
    label->setJustificationType (juce::Justification::centred);
    label->setText (text, juce::dontSendNotification);
    label->setFont (juce::Font (10.0f, juce::Font::plain));
    return label;
}

VelkKnob* UIControlFactory::createRegularKnob (const juce::Colour& colour)
{
    auto* knob = new VelkKnob();
    knob->setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob->setRange (0.0, 1.0, 0.001);
    knob->setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob->setColour (juce::Slider::backgroundColourId, VelkColours::dark_grey.withAlpha ((juce::uint8) 0));
    knob->setColour (juce::Slider::rotarySliderFillColourId, colour);
    knob->setWantsKeyboardFocus (false);
    return knob;
}

VelkKnob* UIControlFactory::createRegularKnobWithValueLabel (const juce::Colour& colour, const juce::String& suffix)
{
    auto* knob = createRegularKnob (colour);
    knob->setTextBoxStyle (juce::Slider::TextBoxBelow, true, 60, 12);
    knob->setColour (juce::Slider::textBoxBackgroundColourId, juce::Colours::transparentBlack);
    knob->setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::transparentBlack);
    knob->setColour (juce::Slider::textBoxTextColourId, colour);
    knob->setTextValueSuffix (" " + suffix);
    return knob;
}

juce::TextButton* UIControlFactory::createPushButton (const juce::String& text, const juce::Colour& colour)
{
    auto* button = new juce::TextButton();
    setTextButtonColours (*button, colour);
    button->setButtonText (text);
    return button;
}

VelkComboBox* UIControlFactory::createParameterMenuBox (const juce::StringArray& items)
{
    auto* box = new VelkComboBox();
    box->addItemList (items, 1);
    box->setWantsKeyboardFocus (false);
    return box;
}

VelkButton* UIControlFactory::createParameterToggleButton (const juce::String& text, const juce::Colour& colour)
{
    auto* button = new VelkButton();
    setTextButtonColours (*button, colour);
    button->setButtonText (text);
    button->setClickingTogglesState (true);
    return button;
}

juce::DrawableButton* UIControlFactory::createIconButton (const juce::Drawable* normalImage, const juce::Drawable* onImage)
{
    auto* button = new juce::DrawableButton ({}, juce::DrawableButton::ImageFitted);
    button->setImages (normalImage, nullptr, onImage, nullptr, onImage, nullptr, onImage, nullptr);
    button->setEdgeIndent (0);
    button->setWantsKeyboardFocus (false);
    button->setClickingTogglesState (true);
    return button;
}
} // namespace velk
