// The slider and knob drawing of VKLook: linear sliders and bars, rotary knobs and their text boxes.
#include "lookandfeel/VKLook.h"

#include "lookandfeel/VelkColours.h"

namespace velk
{

namespace
{
    constexpr float sliderTextBoxFontHeight = 10.0f;

    const juce::Colour sheenEnd = juce::Colours::white.withAlpha ((juce::uint8) 0x19);
    const juce::Colour rangeBarFrame{ 0xFFAEAEAEu };

    bool isBarStyle (juce::Slider::SliderStyle style)
    {
        return style == juce::Slider::LinearBar || style == juce::Slider::LinearBarVertical;
    }
} // namespace

//==============================================================================
void VKLook::drawLinearSlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                               float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle style,
                               juce::Slider& slider)
{
    g.fillAll (slider.findColour (juce::Slider::backgroundColourId));

    if (!isBarStyle (style))
    {
        drawLinearSliderBackground (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);

        // The plain horizontal and vertical sliders show their value by the fill alone.
        if (style != juce::Slider::LinearHorizontal && style != juce::Slider::LinearVertical)
            drawLinearSliderThumb (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);

        return;
    }

    const auto bar = style == juce::Slider::LinearBar
                         ? juce::Rectangle<float> ((float) x, (float) y, sliderPos - (float) x, (float) height)
                         : juce::Rectangle<float> ((float) x, sliderPos, (float) width, (float) height - sliderPos);

    if (bar.getWidth() <= 1.1f || bar.getHeight() <= 1.1f)
        return;

    g.setColour (slider.findColour (juce::Slider::thumbColourId)
                     .withMultipliedSaturation (slider.isEnabled() ? 1.0f : 0.5f)
                     .withMultipliedSaturation (0.9f));
    g.fillRect (bar);
}

void VKLook::drawLinearSliderBackground (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                         float, float, juce::Slider::SliderStyle style, juce::Slider& slider)
{
    const auto isVertical = style == juce::Slider::LinearVertical;

    if (style != juce::Slider::LinearHorizontal && !isVertical)
        return;

    const juce::Rectangle<int> area (x, y, width, height);
    fillTrough (g, area, slider);

    const auto position = (int) sliderPos;
    g.setColour (slider.findColour (juce::Slider::thumbColourId));

    if (isVertical)
        g.fillRect (x + 2, position + 2, juce::jmax (0, width - 4), juce::jmax (0, y + height - position - 4));
    else
        g.fillRect (x + 2, y + 2, juce::jmax (0, position - x - 4), juce::jmax (0, height - 4));

    drawSheenAndFrame (g, area, isVertical);
}

void VKLook::drawLinearSliderThumb (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                    float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle style,
                                    juce::Slider& slider)
{
    const auto radius = (float) (getSliderThumbRadius (slider) - 2);
    const auto diameter = radius * 2.0f;
    const auto colour = slider.findColour (juce::Slider::thumbColourId);
    const auto outline = slider.isEnabled() ? 0.8f : 0.3f;
    const auto w = (float) width;
    const auto h = (float) height;

    if (style == juce::Slider::ThreeValueVertical)
        drawGlassSphere (g, (float) x + w * 0.5f - radius, sliderPos - radius, diameter, colour, outline);

    if (style == juce::Slider::TwoValueVertical || style == juce::Slider::ThreeValueVertical)
    {
        const auto maxPointerRadius = juce::jmin (radius, w * 0.4f);
        drawGlassPointer (g, juce::jmax (0.0f, (float) x + w * 0.5f - diameter), minSliderPos - radius, diameter,
                          colour, outline, 1);
        drawGlassPointer (g, juce::jmin ((float) x + w - diameter, (float) x + w * 0.5f),
                          maxSliderPos - maxPointerRadius, diameter, colour, outline, 3);
        return;
    }

    if (style == juce::Slider::ThreeValueHorizontal)
        drawGlassSphere (g, sliderPos - radius, (float) y + h * 0.5f - radius, diameter, colour, outline);

    if (style == juce::Slider::TwoValueHorizontal || style == juce::Slider::ThreeValueHorizontal)
    {
        // The range bar is laid out from the component's origin.
        g.setColour (rangeBarFrame);
        g.fillRect (0, 0, width + (int) radius, height);
        g.setColour (juce::Colours::black);
        g.fillRect (juce::Rectangle<float> (radius * 0.5f, radius * 0.5f, w, h - radius));
        g.setColour (colour);
        g.fillRect (juce::Rectangle<float> (minSliderPos - radius * 0.75f, radius * 0.5f,
                                            maxSliderPos - minSliderPos - 0.25f * radius * 0.5f, h - radius));
    }
}

void VKLook::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPosProportional,
                               float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider)
{
    const auto angle = rotaryStartAngle + sliderPosProportional * (rotaryEndAngle - rotaryStartAngle);
    drawKnob (g, { x, y, width, height }, angle, { rotaryStartAngle, angle, standardPointerInner }, slider);
}

juce::Label* VKLook::createSliderTextBox (juce::Slider& slider)
{
    auto* label = new SliderLabelComp();

    label->setJustificationType (juce::Justification::centred);
    label->setFont (juce::Font (sliderTextBoxFontHeight));
    label->setKeyboardType (juce::TextInputTarget::decimalKeyboard);

    const auto barStyle = isBarStyle (slider.getSliderStyle());
    const auto textColour = slider.findColour (juce::Slider::textBoxTextColourId);
    const auto backgroundColour = slider.findColour (juce::Slider::textBoxBackgroundColourId);
    const auto outlineColour = slider.findColour (juce::Slider::textBoxOutlineColourId);

    label->setColour (juce::Label::textColourId, textColour);
    label->setColour (juce::Label::backgroundColourId, barStyle ? juce::Colours::transparentBlack : backgroundColour);
    label->setColour (juce::Label::outlineColourId, outlineColour);
    label->setColour (juce::TextEditor::textColourId, textColour);
    label->setColour (juce::TextEditor::backgroundColourId,
                      backgroundColour.withAlpha ((juce::uint8) (barStyle ? 0xB3 : 0xFF)));
    label->setColour (juce::TextEditor::outlineColourId, outlineColour);
    label->setColour (juce::TextEditor::highlightColourId, slider.findColour (juce::Slider::textBoxHighlightColourId));

    return label;
}

//==============================================================================
void VKLook::drawKnob (juce::Graphics& g, juce::Rectangle<int> area, float angle, KnobMarks marks,
                       juce::Slider& slider) const
{
    // A slider smaller than the 2-pixel margin has no knob to draw.
    const auto radius = (float) (juce::jmin (area.getWidth() / 2, area.getHeight() / 2) - 2);

    if (radius <= 0.0f || knobBack == nullptr || knobFront == nullptr)
        return;

    const auto centre = juce::Point<float> ((float) area.getX() + (float) area.getWidth() * 0.5f,
                                            (float) area.getY() + (float) area.getHeight() * 0.5f);
    const auto box = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);

    // The slider's own alpha never matters: only whether it is enabled.
    const auto fill = slider.findColour (juce::Slider::rotarySliderFillColourId)
                          .withAlpha ((juce::uint8) (slider.isEnabled() ? 0xFF : 0x7F));

    knobBack->drawWithin (g, box, juce::RectanglePlacement::fillDestination, 1.0f);

    // The wedge reaches 0.9 of the radius; the cap leaves its outer band between 0.75 and 0.9 visible.
    const auto wedgeArea = box.reduced (radius * (1.0f - 0.9f));
    juce::Path wedge;
    wedge.addPieSegment (wedgeArea, marks.wedgeFrom, marks.wedgeTo, 0.0f);
    g.setColour (fill.withMultipliedAlpha (0.8f));
    g.fillPath (wedge);

    knobFront->drawWithin (g, box.reduced (radius * 0.25f), juce::RectanglePlacement::fillDestination, 1.0f);

    juce::Path pointer;
    pointer.addLineSegment ({ 0.0f, radius * marks.pointerInner, 0.0f, radius * -0.45000002f },
                            radius * 2.0f * 0.05f);
    g.setColour (fill);
    g.fillPath (pointer, juce::AffineTransform::rotation (angle).translated (centre));
}

void VKLook::fillTrough (juce::Graphics& g, juce::Rectangle<int> area, juce::Slider& slider)
{
    g.setColour (slider.findColour (juce::Slider::trackColourId).withBrightness (0.1f));
    g.fillRect (area);
}

void VKLook::drawSheenAndFrame (juce::Graphics& g, juce::Rectangle<int> area, bool isVertical)
{
    const auto r = area.toFloat();
    const auto end = isVertical ? r.getTopRight() : r.getBottomLeft();

    g.setGradientFill (juce::ColourGradient (juce::Colours::transparentWhite, r.getTopLeft(), sheenEnd, end, false));
    g.fillRect (area);

    g.setColour (VelkColours::grey);
    g.drawRect (r, 2.0f);
}
} // namespace velk
