#pragma once

#include "editor/controls/PolledParameterAttachment.h"

namespace velk
{
/** Binds a slider to a parameter: the slider takes the parameter's range with its skew and
    step, shows and reads values as the parameter's text, returns to the parameter's default on
    a double-click, and a drag is one gesture.
*/
class SliderAttachment : public PolledParameterAttachment,
                         private juce::Slider::Listener
{
public:
    SliderAttachment (juce::RangedAudioParameter& parameter, juce::Slider& slider, GestureRecorder recorder);
    ~SliderAttachment() override;

private:
    void takeRangeOf (const juce::NormalisableRange<float>& range);

    void showValue (float plainValue) override;
    void sliderValueChanged (juce::Slider*) override;
    void sliderDragStarted (juce::Slider*) override;
    void sliderDragEnded (juce::Slider*) override;

    juce::Slider& slider;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SliderAttachment)
};
} // namespace velk
