#include "lookandfeel/MacroLook.h"

MacroLook::MacroLook() = default;

MacroLook::~MacroLook() = default;

void MacroLook::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPosProportional,
                                  float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider)
{
    constexpr float macroPointerInner = -0.3f;

    const auto angle = rotaryStartAngle + sliderPosProportional * (rotaryEndAngle - rotaryStartAngle);
    drawKnob (g, { x, y, width, height }, angle, { rotaryStartAngle, angle, macroPointerInner }, slider);
}
