#include "editor/components/ParameterLinkDecoration.h"

namespace velk
{
ParameterLinkDecoration::ParameterLinkDecoration (const juce::Colour& lineColour, bool straight, bool fromTopLeft, bool isVertical)
    : colour (lineColour), straightLine (straight), bracketFromTopLeft (fromTopLeft), vertical (isVertical)
{
    setInterceptsMouseClicks (false, false);
}

ParameterLinkDecoration::~ParameterLinkDecoration() = default;

void ParameterLinkDecoration::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto h = getHeight();
    g.setColour (colour);

    if (straightLine)
    {
        if (vertical)
            g.fillRect (w / 2, 0, 1, h);
        else
            g.fillRect (0, h / 2, w, 1);

        return;
    }

    const auto middle = w / 2;
    const auto firstY = bracketFromTopLeft ? 0 : h - 1;
    const auto secondY = bracketFromTopLeft ? h - 1 : 0;

    g.fillRect (0, firstY, middle, 1);
    g.fillRect (middle, 0, 1, h);
    g.fillRect (middle, secondY, middle, 1);
}
} // namespace velk
