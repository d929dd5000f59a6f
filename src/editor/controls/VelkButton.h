#pragma once

#include "editor/controls/MIDITarget.h"

namespace velk
{
/** A MIDI-learnable text switch. */
class VelkButton : public juce::TextButton,
                   public MIDITarget
{
public:
    VelkButton();
    ~VelkButton() override;

    /** Alt-click (the Option key) opens the MIDI-learn menu; that press, dragged or not,
        neither presses nor toggles.
    */
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelkButton)
};
} // namespace velk
