#include "editor/components/OscilloscopeComponent.h"

#include "lookandfeel/VelkColours.h"
#include "processor/PluginProcessor.h"

#include <array>
#include <cmath>

namespace velk
{
namespace
{
    // In the order of the main menu's colour items.
    const std::array<juce::Colour, 7> traceColours{ VelkColours::purple, VelkColours::blue, VelkColours::green,
                                                    VelkColours::yellow, VelkColours::lime, VelkColours::orange,
                                                    VelkColours::light_grey };

    // The clamp alone would let NaN through into the path.
    float displayedValue (float value)
    {
        return std::isfinite (value) ? juce::jlimit (-1.0f, 1.0f, value) : 0.0f;
    }
} // namespace

OscilloscopeComponent::OscilloscopeComponent()
{
    setSize (200, 100);
}

OscilloscopeComponent::~OscilloscopeComponent() = default;

juce::Colour OscilloscopeComponent::colourForIndex (int index)
{
    return juce::isPositiveAndBelow (index, (int) traceColours.size()) ? traceColours[(size_t) index] : VelkColours::purple;
}

void OscilloscopeComponent::refresh (const TavelinAudioProcessor& processor)
{
    if (scopeEnabled)
        rebuildPath (processor.getReadouts().getScopeBuffer());
}

void OscilloscopeComponent::rebuildPath (const juce::Array<float>& newestFirst)
{
    const auto width = (float) juce::jmax (0, getWidth() - 4);
    const auto height = (float) juce::jmax (0, getHeight() - 4);
    const auto n = newestFirst.size();

    wavePath.clear();

    if (n > 0)
    {
        const auto step = width / (float) n;
        const auto yFor = [height] (float value)
        { return height - (displayedValue (value) * 0.5f + 0.5f) * height; };

        wavePath.startNewSubPath (2.0f, yFor (newestFirst.getLast()));

        for (int i = 1; i < n; ++i)
            wavePath.lineTo (width - (float) (n - 1 - i) * step, yFor (newestFirst[n - 1 - i]));
    }

    repaint();
}

void OscilloscopeComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::transparentBlack);

    if (scopeEnabled)
    {
        g.setColour (waveColour);
        g.strokePath (wavePath, juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
    }

    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha ((juce::uint8) 0x19), 0.0f, 0.0f,
                                             juce::Colours::transparentWhite, 0.0f, (float) getHeight(), false));
    g.fillAll();

    g.setColour (VelkColours::grey);
    g.drawRect (getLocalBounds().toFloat(), 2.0f);
}

void OscilloscopeComponent::resized()
{
}
} // namespace velk
