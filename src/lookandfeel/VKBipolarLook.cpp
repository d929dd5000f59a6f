#include "lookandfeel/VKBipolarLook.h"

namespace velk
{

namespace
{
    // Where the slider's value lies in its range, skew included, read from the slider itself.
    float proportionOf (juce::Slider& slider)
    {
        return (float) slider.valueToProportionOfLength (slider.getValue());
    }
} // namespace

VKBipolarLook::VKBipolarLook() = default;

VKBipolarLook::~VKBipolarLook() = default;

void VKBipolarLook::drawLinearSliderBackground (juce::Graphics& g, int x, int y, int width, int height, float,
                                                float, float, juce::Slider::SliderStyle style, juce::Slider& slider)
{
    if (style != juce::Slider::LinearHorizontal)
        return;

    const juce::Rectangle<int> area (x, y, width, height);
    fillTrough (g, area, slider);

    const auto halfWidth = width / 2;
    const auto barHeight = juce::jmax (0, height - 4);
    g.setColour (slider.findColour (juce::Slider::thumbColourId));
    g.fillRect (x + (width - 2) / 2, y + 2, 2, barHeight);

    // The bar keeps 2 pixels clear of the centre mark on the side it grows to.
    const auto p = proportionOf (slider);

    if (p < 0.5f)
    {
        const auto length = (int) ((float) halfWidth * (1.0f - 2.0f * p));
        g.fillRect (x + halfWidth + 2 - length, y + 2, juce::jmax (0, length - 4), barHeight);
    }
    else
    {
        const auto length = (int) ((float) halfWidth * 2.0f * (p - 0.5f));
        g.fillRect (x + halfWidth + 2, y + 2, juce::jmax (0, length - 4), barHeight);
    }

    drawSheenAndFrame (g, area, false);
}

void VKBipolarLook::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height,
                                      float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                                      juce::Slider& slider)
{
    const auto angle = rotaryStartAngle + sliderPosProportional * (rotaryEndAngle - rotaryStartAngle);
    const auto marks = proportionOf (slider) < 0.5f ? KnobMarks{ angle, centreAngle, standardPointerInner }
                                                    : KnobMarks{ centreAngle, angle, standardPointerInner };
    drawKnob (g, { x, y, width, height }, angle, marks, slider);
}

} // namespace velk
