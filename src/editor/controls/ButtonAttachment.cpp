#include "editor/controls/ButtonAttachment.h"

namespace velk
{
ButtonAttachment::ButtonAttachment (juce::RangedAudioParameter& parameterToUse, juce::Button& buttonToUse,
                                    GestureRecorder recorder)
    : PolledParameterAttachment (parameterToUse, std::move (recorder)),
      button (buttonToUse)
{
    sendInitialUpdate();
    button.addListener (this);
}

ButtonAttachment::~ButtonAttachment()
{
    button.removeListener (this);
}

void ButtonAttachment::showValue (float plainValue)
{
    button.setToggleState (plainValue >= 0.5f, juce::sendNotificationSync);
}

void ButtonAttachment::buttonClicked (juce::Button*)
{
    setValueAsCompleteGesture (button.getToggleState() ? 1.0f : 0.0f);
}
} // namespace velk
