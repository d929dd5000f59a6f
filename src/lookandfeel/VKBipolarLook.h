#pragma once

#include "lookandfeel/VKLook.h"

namespace velk
{

/** For controls whose neutral value is the middle of the range: the value band grows from the
    middle (twelve o'clock on a knob) towards the current value, to either side.
*/
class VKBipolarLook : public VKLook
{
public:
    VKBipolarLook();
    ~VKBipolarLook() override;

    void drawLinearSliderBackground (juce::Graphics&, int x, int y, int width, int height,
                                     float sliderPos, float minSliderPos, float maxSliderPos,
                                     juce::Slider::SliderStyle, juce::Slider&) override;
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                           juce::Slider&) override;

    /** The knob angle of the neutral value: a full turn, i.e. twelve o'clock. */
    float centreAngle = juce::MathConstants<float>::twoPi;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VKBipolarLook)
};

} // namespace velk
