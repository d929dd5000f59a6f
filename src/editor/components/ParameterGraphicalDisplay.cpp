#include "editor/components/ParameterGraphicalDisplay.h"

#include "lookandfeel/VelkColours.h"

namespace velk
{
namespace
{
    juce::Rectangle<int> inset (int width, int height, int margin)
    {
        return { margin, margin, juce::jmax (0, width - 2 * margin), juce::jmax (0, height - 2 * margin) };
    }
} // namespace

ParameterGraphicalDisplay::ParameterGraphicalDisplay()
{
    setOpaque (false);
}

ParameterGraphicalDisplay::~ParameterGraphicalDisplay() = default;

void ParameterGraphicalDisplay::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto h = getHeight();

    g.fillAll (juce::Colours::transparentWhite);

    const auto badgeInset = h / 8;

    if (modulated)
    {
        g.setColour (VelkColours::lime.withAlpha ((juce::uint8) 0x7F));
        g.fillEllipse (juce::Rectangle<int> (badgeInset - 2, badgeInset - 2, juce::jmax (0, w - 2 * badgeInset + 4),
                                             juce::jmax (0, h - 2 * badgeInset + 4))
                           .toFloat());
    }

    g.setColour (VelkColours::grey);
    g.fillEllipse (inset (w, h, badgeInset).toFloat());

    const auto face = inset (w, h, h / 6).toFloat();
    g.setColour (VelkColours::dark_grey.withMultipliedBrightness (0.3f));
    g.fillEllipse (face);

    if (auto* picture = images[currentIndex.load (std::memory_order_relaxed)])
        picture->drawWithin (g, inset (w, h, h / 4).reduced (2).toFloat(), juce::RectanglePlacement::xMid, 1.0f);

    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha ((juce::uint8) 0x26), 0.0f, 0.0f,
                                             juce::Colours::transparentWhite, 0.0f, 0.75f * (float) h, false));
    g.fillEllipse (face);
}

void ParameterGraphicalDisplay::resized()
{
}

void ParameterGraphicalDisplay::parameterChanged (const juce::String&, float newValue)
{
    currentIndex.store (juce::roundToInt (newValue), std::memory_order_relaxed);
}

void ParameterGraphicalDisplay::addImage (std::unique_ptr<juce::Drawable> image)
{
    images.add (image.release());
}

void ParameterGraphicalDisplay::initializeWithPictures (std::initializer_list<Picture> pictures, float initialValue,
                                                        const juce::Colour& colour)
{
    for (const auto& picture : pictures)
        addImage (juce::Drawable::createFromImageData (picture.data, (size_t) picture.size));

    for (auto* image : images)
        if (image != nullptr)
            image->replaceColour (juce::Colours::white, colour);

    currentIndex = juce::roundToInt (initialValue);
    repaint();
}
} // namespace velk
