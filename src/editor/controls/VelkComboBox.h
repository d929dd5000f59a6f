#pragma once

#include "editor/controls/MIDITarget.h"

namespace velk
{
/** A MIDI-learnable menu box. */
class VelkComboBox : public juce::ComboBox,
                     public MIDITarget
{
public:
    VelkComboBox();
    ~VelkComboBox() override;

    /** Alt-click (the Option key) opens the MIDI-learn menu instead of the list, for the
        whole press.
    */
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    /** Whether the box currently shows itself as modulated. */
    bool showsModulation = false;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelkComboBox)
};
} // namespace velk
