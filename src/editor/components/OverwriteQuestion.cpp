#include "editor/components/OverwriteQuestion.h"

#include "editor/controls/UIControlFactory.h"
#include "lookandfeel/VelkColours.h"

#include <utility>

namespace velk
{
namespace
{
    constexpr int boxWidth = 300;
    constexpr int boxHeight = 100;
    constexpr int buttonWidth = 80;
    constexpr int buttonHeight = 20;
    constexpr int margin = 12;
} // namespace

OverwriteQuestion::OverwriteQuestion()
{
    message.setColour (juce::Label::textColourId, VelkColours::light_grey);
    message.setJustificationType (juce::Justification::centred);
    message.setFont (juce::Font (13.0f, juce::Font::plain));
    addAndMakeVisible (message);

    replaceButton.reset (UIControlFactory::createPushButton ("REPLACE", VelkColours::light_grey));
    replaceButton->onClick = [this]
    { answer (true); };
    addAndMakeVisible (*replaceButton);

    cancelButton.reset (UIControlFactory::createPushButton ("CANCEL", VelkColours::light_grey));
    cancelButton->onClick = [this]
    { answer (false); };
    addAndMakeVisible (*cancelButton);
}

void OverwriteQuestion::ask (const juce::String& fileName, std::function<void()> onReplace)
{
    message.setText ("\"" + fileName + "\" already exists.\nReplace it?", juce::dontSendNotification);
    replaceAction = std::move (onReplace);
    setVisible (true);
    toFront (false);
}

//==============================================================================
void OverwriteQuestion::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black.withAlpha ((juce::uint8) 0x99));

    const auto box = boxArea().toFloat();
    g.setColour (VelkColours::dark_grey);
    g.fillRect (box);
    g.setColour (VelkColours::grey);
    g.drawRect (box, 2.0f);
}

void OverwriteQuestion::resized()
{
    auto box = boxArea().reduced (margin);
    auto buttons = box.removeFromBottom (buttonHeight);
    message.setBounds (box);

    const auto gap = (buttons.getWidth() - 2 * buttonWidth) / 3;
    buttons.removeFromLeft (gap);
    replaceButton->setBounds (buttons.removeFromLeft (buttonWidth));
    buttons.removeFromLeft (gap);
    cancelButton->setBounds (buttons.removeFromLeft (buttonWidth));
}

//==============================================================================
void OverwriteQuestion::answer (bool replace)
{
    setVisible (false);

    // Taken out first: the action may ask again, which puts a new one in its place.
    if (auto action = std::exchange (replaceAction, nullptr); replace && action != nullptr)
        action();
}

juce::Rectangle<int> OverwriteQuestion::boxArea() const
{
    return getLocalBounds().withSizeKeepingCentre (boxWidth, boxHeight);
}
} // namespace velk
