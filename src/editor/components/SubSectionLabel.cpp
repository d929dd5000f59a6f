#include "editor/components/SubSectionLabel.h"

#include "editor/controls/UIControlFactory.h"
#include "lookandfeel/VelkColours.h"

namespace velk
{
namespace
{
    constexpr int captionWidth = 60;
    constexpr int captionHeight = 18;
} // namespace

SubSectionLabel::SubSectionLabel (const juce::String& text)
    : label (UIControlFactory::createRegularLabel (text))
{
    addAndMakeVisible (*label);
}

SubSectionLabel::~SubSectionLabel() = default;

void SubSectionLabel::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto middle = getHeight() / 2;
    const auto side = (w - captionWidth) / 2;

    g.setColour (VelkColours::light_grey.withBrightness (0.5f));
    g.fillRect (0, 0, 2, middle);
    g.fillRect (w - 2, 0, 2, middle);
    g.fillRect (0, middle - 1, side, 2);
    g.fillRect (w - side, middle - 1, side, 2);
}

void SubSectionLabel::resized()
{
    label->setBounds ((getWidth() - captionWidth) / 2, (getHeight() - captionHeight) / 2, captionWidth, captionHeight);
}
} // namespace velk
