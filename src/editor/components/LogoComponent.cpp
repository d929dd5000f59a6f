#include "editor/components/LogoComponent.h"

namespace velk
{
LogoComponent::LogoComponent (const void* imageData, size_t imageDataSize)
    : drawable (juce::Drawable::createFromImageData (imageData, imageDataSize))
{
    setOpaque (false);
}

LogoComponent::~LogoComponent() = default;

void LogoComponent::paint (juce::Graphics& g)
{
    if (drawable == nullptr)
        return;

    const auto horizontal = placement == alignLeft    ? juce::RectanglePlacement::xLeft
                            : placement == alignRight ? juce::RectanglePlacement::xRight
                                                      : juce::RectanglePlacement::xMid;

    drawable->drawWithin (g, getLocalBounds().toFloat(), juce::RectanglePlacement (horizontal | juce::RectanglePlacement::yMid), opacity);
}
} // namespace velk
