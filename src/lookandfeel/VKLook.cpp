#include "lookandfeel/VKLook.h"

#include "lookandfeel/VelkColours.h"

#include <LookAndFeelAssets.h>

namespace velk
{

namespace
{
    constexpr float popupMenuFontHeight = 14.0f;
    constexpr float comboBoxFontProportion = 0.7f;
    constexpr float menuItemHeightPerFontHeight = 1.3f;

    const juce::Colour scrollThumbOutline{ 0x4C000000u };

    float enabledAlpha (const juce::Component& c)
    {
        return c.isEnabled() ? 1.0f : 0.5f;
    }

    // A scrollbar part rounded by half its thickness across the bar.
    juce::Path capsule (juce::Rectangle<float> r, bool isVertical)
    {
        juce::Path p;
        p.addRoundedRectangle (r, (isVertical ? r.getWidth() : r.getHeight()) * 0.5f);
        return p;
    }

    std::unique_ptr<juce::Drawable> loadImage (const char* data, int size)
    {
        auto drawable = juce::Drawable::createFromImageData (data, static_cast<size_t> (size));
        jassert (drawable != nullptr);
        return drawable;
    }
} // namespace

//==============================================================================
VKLook::SliderLabelComp::SliderLabelComp()
    : juce::Label ({}, {}) {}

void VKLook::SliderLabelComp::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&)
{
    // A wheel turn over the value text must neither change the value nor scroll the parent.
}

void VKLook::SliderLabelComp::paint (juce::Graphics& g)
{
    g.setColour (VelkColours::dark_grey.withMultipliedBrightness (0.3f));
    g.fillRect (getLocalBounds());
    juce::Label::paint (g);
}

//==============================================================================
VKLook::VKLook()
{
    typeface = juce::Typeface::createSystemTypefaceFor (LookAndFeelAssets::RobotoMedium_ttf,
                                                        static_cast<size_t> (LookAndFeelAssets::RobotoMedium_ttfSize));
    jassert (typeface != nullptr);

    setPaletteColours();

    knobBack = loadImage (LookAndFeelAssets::knob_back_svg, LookAndFeelAssets::knob_back_svgSize);
    knobFront = loadImage (LookAndFeelAssets::knob_front_svg, LookAndFeelAssets::knob_front_svgSize);
}

VKLook::~VKLook() = default;

void VKLook::setPaletteColours()
{
    setColour (juce::PopupMenu::textColourId, VelkColours::light_grey);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, VelkColours::light_grey);
    setColour (juce::PopupMenu::highlightedTextColourId, VelkColours::dark_grey);
    setColour (juce::TooltipWindow::backgroundColourId, VelkColours::light_grey);
    setColour (juce::TooltipWindow::textColourId, VelkColours::dark_grey);
    setColour (juce::TooltipWindow::outlineColourId, juce::Colours::black);
    setColour (juce::ComboBox::backgroundColourId, VelkColours::dark_grey);
    setColour (juce::ComboBox::textColourId, VelkColours::light_grey);
    setColour (juce::ComboBox::outlineColourId, VelkColours::grey);
    setColour (juce::ComboBox::arrowColourId, VelkColours::light_grey);
    setColour (juce::ListBox::backgroundColourId, VelkColours::dark_grey);
    setColour (juce::DirectoryContentsDisplayComponent::textColourId, VelkColours::light_grey);
    setColour (juce::DirectoryContentsDisplayComponent::highlightColourId, VelkColours::blue);
    setColour (juce::TreeView::backgroundColourId, VelkColours::dark_grey);
    setColour (juce::TreeView::linesColourId, VelkColours::light_grey);
    // The editor's icon buttons draw only their pictures.
    setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentWhite);
    setColour (juce::DrawableButton::backgroundColourId, juce::Colours::transparentWhite);
}

//==============================================================================
void VKLook::drawScrollbar (juce::Graphics& g, juce::ScrollBar&, int x, int y, int width, int height,
                            bool isScrollbarVertical, int thumbStartPosition, int thumbSize, bool, bool)
{
    g.fillAll (VelkColours::dark_grey);

    const auto slotIndent = juce::jmin (width, height) >= 16 ? 1.0f : 0.0f;
    const auto thumbIndent = slotIndent + 1.0f;

    const auto bar = juce::Rectangle<int> (x, y, width, height).toFloat();
    g.setColour (VelkColours::light_grey);
    g.fillPath (capsule (bar.reduced (slotIndent), isScrollbarVertical));

    if (thumbSize <= 0)
        return;

    const auto thumbArea = isScrollbarVertical ? bar.withY ((float) thumbStartPosition).withHeight ((float) thumbSize)
                                               : bar.withX ((float) thumbStartPosition).withWidth ((float) thumbSize);
    const auto thumb = capsule (thumbArea.reduced (thumbIndent), isScrollbarVertical);

    g.setColour (VelkColours::dark_grey);
    g.fillPath (thumb);
    g.setColour (scrollThumbOutline);
    g.strokePath (thumb, juce::PathStrokeType (0.4f));
}

int VKLook::getDefaultScrollbarWidth()
{
    return 8;
}

int VKLook::getScrollbarButtonSize (juce::ScrollBar&)
{
    return 0;
}

//==============================================================================
juce::Typeface::Ptr VKLook::getTypefaceForFont (const juce::Font& font)
{
    // Every text of the interface is set in the embedded face, whatever family, style or size it asks for.
    if (typeface != nullptr)
        return typeface;

    return LookAndFeel_V2::getTypefaceForFont (font);
}

juce::Font VKLook::getPopupMenuFont()
{
    return juce::Font (popupMenuFontHeight * *fontScalePtr);
}

juce::Font VKLook::getComboBoxFont (juce::ComboBox& box)
{
    return juce::Font ((float) box.getHeight() * comboBoxFontProportion * *fontScalePtr);
}

//==============================================================================
void VKLook::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                                   bool, bool shouldDrawButtonAsDown)
{
    const auto w = button.getWidth();
    const auto h = button.getHeight();

    if (!button.getToggleState() && !shouldDrawButtonAsDown)
    {
        g.setColour (VelkColours::grey);
        g.fillRect (0, 0, w, h);
        g.setColour (backgroundColour);
        g.fillRect (1, 1, juce::jmax (0, w - 2), juce::jmax (0, h - 2));
        return;
    }

    // Toggled on or pressed: sunken into a black and grey double frame.
    g.setColour (juce::Colours::black);
    g.fillRect (0, 0, w, h);
    g.setColour (VelkColours::grey);
    g.fillRect (1, 1, juce::jmax (0, w - 2), juce::jmax (0, h - 2));
    g.setColour (backgroundColour.withMultipliedBrightness (0.8f));
    g.fillRect (2, 2, juce::jmax (0, w - 4), juce::jmax (0, h - 4));
}

void VKLook::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool shouldDrawButtonAsHighlighted, bool)
{
    const auto font = getTextButtonFont (button, button.getHeight());
    g.setFont (font);

    // Hovering previews the "on" text colour.
    const auto showsOnColour = button.getToggleState() || shouldDrawButtonAsHighlighted;
    g.setColour (button.findColour (showsOnColour ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId)
                     .withMultipliedAlpha (enabledAlpha (button)));

    const auto w = button.getWidth();
    const auto h = button.getHeight();
    const auto yIndent = juce::jmin (4, juce::roundToInt ((float) h * 0.3f));
    const auto cornerSize = juce::jmin (h, w) / 2;
    const auto fontHeight = juce::roundToInt (font.getHeight() * 0.6f);
    const auto leftIndent = juce::jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnLeft() ? 4 : 2));
    const auto rightIndent = juce::jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnRight() ? 4 : 2));
    const auto textWidth = w - leftIndent - rightIndent;

    if (textWidth > 0)
        g.drawFittedText (button.getButtonText(), leftIndent, yIndent, textWidth, h - yIndent * 2,
                          juce::Justification::centred, 2, 0.0f);
}

//==============================================================================
void VKLook::drawTreeviewPlusMinusBox (juce::Graphics& g, const juce::Rectangle<float>& area, juce::Colour,
                                       bool isOpen, bool)
{
    // Odd sizes keep the bars on the box's centre pixel.
    const auto boxSize = juce::roundToInt (juce::jmin (16.0f, area.getWidth(), area.getHeight()) * 0.7f) | 1;
    const auto x = ((int) area.getWidth() - boxSize) / 2 + (int) area.getX();
    const auto y = ((int) area.getHeight() - boxSize) / 2 + (int) area.getY();

    g.setColour (VelkColours::light_grey);
    g.fillRect (x, y, boxSize, boxSize);

    const auto box = juce::Rectangle<int> (x, y, boxSize, boxSize).toFloat();
    g.setColour (VelkColours::dark_grey);
    g.drawRect (box, 1.0f);

    const auto barLength = (float) (boxSize / 2 + 1);
    const auto middle = (float) (boxSize / 2);
    const auto barStart = ((float) boxSize - barLength) * 0.5f;
    g.fillRect (juce::Rectangle<float> (box.getX() + barStart, box.getY() + middle, barLength, 1.0f));

    if (!isOpen)
        g.fillRect (juce::Rectangle<float> (box.getX() + middle, box.getY() + barStart, 1.0f, barLength));
}

//==============================================================================
void VKLook::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    g.fillAll (VelkColours::dark_grey);
    g.setColour (VelkColours::grey);
    g.drawRect (juce::Rectangle<int> (0, 0, width, height).toFloat(), 2.0f);
}

void VKLook::drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow)
{
    const auto w = (float) width;
    const auto h = (float) height;

    g.setGradientFill (juce::ColourGradient (VelkColours::dark_grey, 0.0f, h * 0.5f, VelkColours::dark_grey.withAlpha (0.0f),
                                             0.0f, isScrollUpArrow ? h : 0.0f, false));
    g.fillRect (1, 1, width - 2, height - 2);

    const auto halfWidth = w * 0.5f;
    const auto arrowWidth = h * 0.3f;
    const auto baseY = h * (isScrollUpArrow ? 0.6f : 0.3f);
    const auto tipY = h * (isScrollUpArrow ? 0.3f : 0.6f);

    juce::Path arrow;
    arrow.addTriangle (halfWidth - arrowWidth, baseY, halfWidth + arrowWidth, baseY, halfWidth, tipY);
    g.setColour (VelkColours::light_grey);
    g.fillPath (arrow);
}

void VKLook::getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                        int& idealWidth, int& idealHeight)
{
    if (isSeparator)
    {
        idealWidth = 50;
        idealHeight = standardMenuItemHeight > 0 ? standardMenuItemHeight / 2 : 10;
        return;
    }

    auto font = getPopupMenuFont();
    const auto hasStandardHeight = standardMenuItemHeight >= 1;
    const auto tallestFont = (float) standardMenuItemHeight / menuItemHeightPerFontHeight;

    if (hasStandardHeight && font.getHeight() > tallestFont)
        font.setHeight (tallestFont * *fontScalePtr);

    idealHeight = hasStandardHeight ? standardMenuItemHeight
                                    : juce::roundToInt (font.getHeight() * menuItemHeightPerFontHeight);
    idealWidth = (int) std::ceil (font.getStringWidthFloat (text)) + idealHeight * 2;
}

//==============================================================================
void VKLook::drawComboBox (juce::Graphics& g, int width, int height, bool, int buttonX, int buttonY, int buttonW,
                           int buttonH, juce::ComboBox& box)
{
    const auto w = (float) width;
    const auto h = (float) height;
    const auto boxWidth = box.getWidth();
    const auto boxHeight = box.getHeight();

    g.setColour (box.findColour (juce::ComboBox::backgroundColourId));
    g.fillRect (0, 0, width, height);

    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha ((juce::uint8) 0x02), w * 0.25f, 0.0f,
                                             juce::Colours::white.withAlpha ((juce::uint8) 0x00), w * 0.75f, h, false));
    g.fillRect (0, 0, width, height);

    g.setColour (juce::Colours::black);
    g.drawRect (juce::Rectangle<int> (0, 0, boxWidth, boxHeight).toFloat(), 1.0f);
    g.fillRect (0, height - 2, boxWidth, 2);

    g.setColour (box.findColour (juce::ComboBox::outlineColourId));
    g.drawRect (juce::Rectangle<int> (2, 2, juce::jmax (0, boxWidth - 4), juce::jmax (0, boxHeight - 4)).toFloat(),
                1.0f);

    if (!box.isEnabled())
        return;

    const auto button = juce::Rectangle<int> (buttonX, buttonY, buttonW, buttonH).toFloat();
    const auto at = [&button] (float px, float py)
    { return button.getRelativePoint (px, py); };

    juce::Path arrow;
    arrow.addTriangle (at (0.5f, 0.7f), at (0.7f, 0.4f), at (0.3f, 0.4f));
    g.setColour (box.findColour (juce::ComboBox::arrowColourId));
    g.fillPath (arrow);
}

//==============================================================================
void VKLook::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.fillAll (label.findColour (juce::Label::backgroundColourId));

    if (!label.isBeingEdited())
    {
        const auto alpha = enabledAlpha (label);
        const auto font = getLabelFont (label);

        g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
        g.setFont (font);

        const auto textArea = getLabelBorderSize (label).subtractedFrom (label.getLocalBounds());
        g.drawFittedText (label.getText(), textArea, label.getJustificationType(),
                          juce::jmax (1, (int) ((float) textArea.getHeight() / font.getHeight())),
                          label.getMinimumHorizontalScale());

        g.setColour (label.findColour (juce::Label::outlineColourId).withMultipliedAlpha (alpha));
    }
    else if (label.isEnabled())
    {
        g.setColour (label.findColour (juce::Label::outlineColourId));
    }

    g.drawRect (label.getLocalBounds().toFloat(), 1.0f);
}

} // namespace velk
