#include "editor/components/PanelHeaderLabel.h"

#include "editor/controls/UIControlFactory.h"

namespace velk
{
PanelHeaderLabel::PanelHeaderLabel (const juce::String& text, const juce::Colour& underlineColour)
    : label (UIControlFactory::createRegularLabel (text)), colour (underlineColour)
{
    addAndMakeVisible (*label);
    label->setJustificationType (juce::Justification::centredLeft);
    label->setFont (juce::Font (12.0f, juce::Font::plain));
}

PanelHeaderLabel::~PanelHeaderLabel() = default;

void PanelHeaderLabel::paint (juce::Graphics& g)
{
    g.setColour (colour);
    g.fillRect (0, getHeight() - 2, 100, 2);
}

void PanelHeaderLabel::resized()
{
    // The title clears the underline; what lies beyond the component is clipped.
    label->setBounds (5, 0, getWidth(), getHeight() - 2);
}
} // namespace velk
