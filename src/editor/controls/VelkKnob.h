#pragma once

#include "editor/controls/MIDITarget.h"

namespace velk
{
/** A MIDI-learnable rotary knob that also shows how far modulation can move its parameter: a
    lime ring from the value toward the top of the range, in proportion to the modulation depth.
*/
class VelkKnob : public juce::Slider,
                 public MIDITarget
{
public:
    VelkKnob();
    ~VelkKnob() override;

    /** Alt-click (the Option key) opens the MIDI-learn menu once the knob is bound; the rest
        of that press (drag, release, double-click) then moves nothing.
    */
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    /** The bound parameter's summed modulation depth, 0 to 1. */
    float modulationDepth = 0.0f;

    /** Draws the ring from the square of the depth. */
    bool squareModulationDepth = false;

private:
    void paintModulationRing (juce::Graphics&);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelkKnob)
};
} // namespace velk
