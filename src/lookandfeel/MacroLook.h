#pragma once

#include "lookandfeel/VKLook.h"

/** The look of the macro knobs: the standard knob with a shorter pointer nearer the rim. */
class MacroLook : public velk::VKLook
{
public:
    MacroLook();
    ~MacroLook() override;

    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                           juce::Slider&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MacroLook)
};
