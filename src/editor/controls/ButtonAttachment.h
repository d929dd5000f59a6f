#pragma once

#include "editor/controls/PolledParameterAttachment.h"

namespace velk
{
/** Binds a toggling button to a parameter: on from half the range up, and a click is a gesture
    to the parameter's start or end.
*/
class ButtonAttachment : public PolledParameterAttachment,
                         private juce::Button::Listener
{
public:
    ButtonAttachment (juce::RangedAudioParameter& parameter, juce::Button& button, GestureRecorder recorder);
    ~ButtonAttachment() override;

private:
    void showValue (float plainValue) override;
    void buttonClicked (juce::Button*) override;

    juce::Button& button;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ButtonAttachment)
};
} // namespace velk
