#pragma once

#include "editor/controls/PolledParameterAttachment.h"

namespace velk
{
/** Binds a menu box to a parameter: its items, in order, share the parameter's range evenly,
    the first at the start and the last at the end; a choice is a gesture.
*/
class ComboBoxAttachment : public PolledParameterAttachment,
                           private juce::ComboBox::Listener
{
public:
    ComboBoxAttachment (juce::RangedAudioParameter& parameter, juce::ComboBox& comboBox, GestureRecorder recorder);
    ~ComboBoxAttachment() override;

private:
    void showValue (float plainValue) override;
    void comboBoxChanged (juce::ComboBox*) override;

    juce::ComboBox& comboBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboBoxAttachment)
};
} // namespace velk
