#include "editor/components/FileNotice.h"

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

FileNotice::FileNotice()
{
    message.setColour (juce::Label::textColourId, VelkColours::light_grey);
    message.setJustificationType (juce::Justification::centred);
    message.setFont (juce::Font (13.0f, juce::Font::plain));
    addAndMakeVisible (message);

    replaceButton.reset (UIControlFactory::createPushButton ("REPLACE", VelkColours::light_grey));
    replaceButton->onClick = [this]
    { answer (true); };
    addChildComponent (*replaceButton);

    cancelButton.reset (UIControlFactory::createPushButton ("CANCEL", VelkColours::light_grey));
    cancelButton->onClick = [this]
    { answer (false); };
    addChildComponent (*cancelButton);

    okButton.reset (UIControlFactory::createPushButton ("OK", VelkColours::light_grey));
    okButton->onClick = [this]
    { answer (false); };
    addChildComponent (*okButton);
}

void FileNotice::saveWithExtension (const juce::File& chosen, const juce::String& extension,
                                    std::function<void (const juce::File&)> save)
{
    const auto file = chosen.hasFileExtension (extension) ? chosen : chosen.withFileExtension (extension);

    // The dialog has asked about the name as the user typed it, and only about that.
    if (file != chosen && file.existsAsFile())
        show ("\"" + file.getFileName() + "\" already exists.\nReplace it?", [save, file]
              { save (file); });
    else
        save (file);
}

void FileNotice::showFailure (const juce::String& whatFailed, const juce::File& file, const juce::Result& failure)
{
    show ("Could not " + whatFailed + " \"" + file.getFileName() + "\":\n" + failure.getErrorMessage() + ".", nullptr);
}

//==============================================================================
void FileNotice::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black.withAlpha ((juce::uint8) 0x99));

    const auto box = boxArea().toFloat();
    g.setColour (VelkColours::dark_grey);
    g.fillRect (box);
    g.setColour (VelkColours::grey);
    g.drawRect (box, 2.0f);
}

void FileNotice::resized()
{
    auto box = boxArea().reduced (margin);
    auto buttons = box.removeFromBottom (buttonHeight);
    message.setBounds (box);
    okButton->setBounds (buttons.withSizeKeepingCentre (buttonWidth, buttonHeight));

    const auto gap = (buttons.getWidth() - 2 * buttonWidth) / 3;
    buttons.removeFromLeft (gap);
    replaceButton->setBounds (buttons.removeFromLeft (buttonWidth));
    buttons.removeFromLeft (gap);
    cancelButton->setBounds (buttons.removeFromLeft (buttonWidth));
}

//==============================================================================
void FileNotice::show (const juce::String& text, std::function<void()> onReplace)
{
    const auto asking = onReplace != nullptr;
    message.setText (text, juce::dontSendNotification);
    replaceAction = std::move (onReplace);
    replaceButton->setVisible (asking);
    cancelButton->setVisible (asking);
    okButton->setVisible (!asking);
    setVisible (true);
    toFront (false);
}

void FileNotice::answer (bool replace)
{
    setVisible (false);

    // Taken out first: the action may show something, which puts a new one in its place.
    if (auto action = std::exchange (replaceAction, nullptr); replace && action != nullptr)
        action();
}

juce::Rectangle<int> FileNotice::boxArea() const
{
    return getLocalBounds().withSizeKeepingCentre (boxWidth, boxHeight);
}
} // namespace velk
