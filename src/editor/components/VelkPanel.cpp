#include "editor/components/VelkPanel.h"

namespace velk
{
VelkPanel::VelkPanel (bool top, bool left, bool bottom, bool right, bool headerBand)
    : drawTopEdge (top), drawLeftEdge (left), drawBottomEdge (bottom), drawRightEdge (right), hasHeaderBand (headerBand)
{
}

VelkPanel::~VelkPanel() = default;

void VelkPanel::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto h = getHeight();

    g.fillAll (juce::Colour (0xFF181818u).withMultipliedBrightness (darkerShade ? 0.8f : 1.0f));

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x00FFFFFFu), 0.0f, 0.15f * (float) h,
                                             juce::Colour (0x05FFFFFFu), 0.0f, (float) h, false));
    g.fillAll();

    if (hasHeaderBand)
    {
        g.setColour (juce::Colour (0x0AFFFFFFu));
        g.fillRect (0, 0, w, headerHeight);
    }

    g.setColour (juce::Colour (0xFF3B3B3Bu));

    if (drawTopEdge)
        g.fillRect (0, 0, w, 1);

    if (drawLeftEdge)
        g.fillRect (0, 0, 2, h);

    if (drawBottomEdge)
        g.fillRect (0, h - 1, w, 1);

    if (drawRightEdge)
        g.fillRect (w - 2, 0, 2, h);
}
} // namespace velk
