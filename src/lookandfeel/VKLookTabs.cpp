// The tab drawing of VKLook: tab buttons, their text and the bar behind them.
#include "lookandfeel/VKLook.h"

#include "lookandfeel/VelkColours.h"

namespace velk
{

namespace
{
    const juce::Colour tabShadow = juce::Colours::black.withAlpha ((juce::uint8) 0x7F);
} // namespace

//==============================================================================
void VKLook::drawTabButton (juce::TabBarButton& button, juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    juce::Path shape;
    createTabButtonShape (button, shape, isMouseOver, isMouseDown);

    const auto activeArea = button.getActiveArea();
    shape.applyTransform (juce::AffineTransform::translation ((float) activeArea.getX(), (float) activeArea.getY()));

    juce::DropShadow (tabShadow, 2, { 0, 1 }).drawForPath (g, shape);
    fillTabButtonShape (button, g, shape, isMouseOver, isMouseDown);
    drawTabButtonText (button, g, isMouseOver, isMouseDown);
}

void VKLook::drawTabButtonText (juce::TabBarButton& button, juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    const auto area = button.getTextArea().toFloat();
    const auto& bar = button.getTabbedButtonBar();
    const auto length = bar.isVertical() ? area.getHeight() : area.getWidth();
    const auto depth = bar.isVertical() ? area.getWidth() : area.getHeight();

    // Text on side tabs runs along the tab, read from the bar's outside.
    auto toArea = juce::AffineTransform::translation (area.getX(), area.getY());

    if (bar.getOrientation() == juce::TabbedButtonBar::TabsAtLeft)
        toArea = juce::AffineTransform::rotation (-juce::MathConstants<float>::halfPi)
                     .translated (area.getX(), area.getBottom());
    else if (bar.getOrientation() == juce::TabbedButtonBar::TabsAtRight)
        toArea = juce::AffineTransform::rotation (juce::MathConstants<float>::halfPi)
                     .translated (area.getRight(), area.getY());

    const auto isLit = button.isFrontTab() || isMouseOver || isMouseDown;
    const auto alpha = button.isEnabled() ? (isLit ? 1.0f : 0.6f) : 0.3f;

    const juce::Graphics::ScopedSaveState state (g);
    g.setColour (VelkColours::light_grey.withMultipliedAlpha (alpha));
    g.setFont (getTabButtonFont (button, depth));
    g.addTransform (toArea);
    g.drawFittedText (button.getButtonText().trim(), 0, 0, (int) length, (int) depth, juce::Justification::centred,
                      1);
}

void VKLook::drawTabbedButtonBarBackground (juce::TabbedButtonBar&, juce::Graphics&) {}

void VKLook::drawTabAreaBehindFrontButton (juce::TabbedButtonBar& bar, juce::Graphics& g, int w, int h)
{
    // One grey line joins the front tab to the content it shows.
    juce::Rectangle<int> line;

    switch (bar.getOrientation())
    {
        case juce::TabbedButtonBar::TabsAtLeft:
            line.setBounds (w - 1, 0, 1, h);
            break;
        case juce::TabbedButtonBar::TabsAtRight:
            line.setBounds (0, 0, 1, h);
            break;
        case juce::TabbedButtonBar::TabsAtBottom:
            line.setBounds (0, 0, w, 1);
            break;
        case juce::TabbedButtonBar::TabsAtTop:
        default:
            line.setBounds (0, h - 1, w, 1);
            break;
    }

    g.setColour (VelkColours::grey);
    g.fillRect (line);
}

void VKLook::createTabButtonShape (juce::TabBarButton& button, juce::Path& path, bool, bool)
{
    path.addRectangle (button.getActiveArea().withZeroOrigin().toFloat());
}

void VKLook::fillTabButtonShape (juce::TabBarButton& button, juce::Graphics& g, const juce::Path& path, bool, bool)
{
    const auto background = button.getTabBackgroundColour();
    g.setColour (button.isFrontTab() ? background : background.withMultipliedBrightness (0.7f));
    g.fillPath (path);

    g.setColour (VelkColours::grey);
    g.strokePath (path, juce::PathStrokeType (1.0f));
}

} // namespace velk
