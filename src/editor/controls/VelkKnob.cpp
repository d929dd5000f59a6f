#include "editor/controls/VelkKnob.h"

#include "lookandfeel/VelkColours.h"

namespace velk
{
namespace
{
    constexpr float smallestVisibleDepth = 0.0001f;
    constexpr float rotaryStart = 1.2f * juce::MathConstants<float>::pi;
    constexpr float rotarySpan = 1.6f * juce::MathConstants<float>::pi;
} // namespace

VelkKnob::VelkKnob()
{
    // Repainting the editor then redraws only the knobs that changed.
    setBufferedToImage (true);
}

VelkKnob::~VelkKnob() = default;

void VelkKnob::mouseDown (const juce::MouseEvent& e)
{
    if (!takePressForMenu (e, *this, parameterID.isNotEmpty()))
        juce::Slider::mouseDown (e);
}

// The slider keeps the state of its last drag; a drag it was not told the start of would move
// the value from there, without a gesture.
void VelkKnob::mouseDrag (const juce::MouseEvent& e)
{
    if (!pressBelongsToMenu())
        juce::Slider::mouseDrag (e);
}

void VelkKnob::mouseUp (const juce::MouseEvent& e)
{
    if (!pressBelongsToMenu())
        juce::Slider::mouseUp (e);
}

void VelkKnob::mouseDoubleClick (const juce::MouseEvent& e)
{
    if (!pressBelongsToMenu())
        juce::Slider::mouseDoubleClick (e);
}

void VelkKnob::paint (juce::Graphics& g)
{
    if (modulationDepth > smallestVisibleDepth && getSliderStyle() == juce::Slider::RotaryVerticalDrag)
        paintModulationRing (g);

    juce::Slider::paint (g);
}

void VelkKnob::paintModulationRing (juce::Graphics& g)
{
    // The knob face is drawn over the wedge from the same centre, so only its rim shows.
    const auto cx = (float) getWidth() * 0.5f;
    const auto cy = (float) (getHeight() - getTextBoxHeight()) * 0.5f;
    const auto r = juce::jmin (cx, cy);

    const auto p = (float) valueToProportionOfLength (getValue());
    const auto m = squareModulationDepth ? modulationDepth * modulationDepth : modulationDepth;
    const auto start = rotaryStart + p * rotarySpan;
    const auto end = rotaryStart + (p + (1.0f - p) * m) * rotarySpan;

    juce::Path wedge;
    wedge.addPieSegment (cx - r, cy - r, 2.0f * r, 2.0f * r, start, end, 0.0f);
    g.setColour (VelkColours::lime.withAlpha ((juce::uint8) (isEnabled() ? 0xCC : 0x33)));
    g.fillPath (wedge);
}
} // namespace velk
