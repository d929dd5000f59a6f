#include "lookandfeel/VKLook.h"

#include "lookandfeel/VelkColours.h"

#include <LookAndFeelAssets.h>

namespace velk
{

namespace
{
    constexpr float popupMenuFontHeight = 14.0f;
    constexpr float comboBoxFontProportion = 0.7f;
    constexpr float sliderTextBoxFontHeight = 10.0f;
    constexpr float menuItemHeightPerFontHeight = 1.3f;

    const juce::Colour sheenEnd = juce::Colours::white.withAlpha ((juce::uint8) 0x19);
    const juce::Colour rangeBarFrame{ 0xFFAEAEAEu };
    const juce::Colour tabShadow = juce::Colours::black.withAlpha ((juce::uint8) 0x7F);
    const juce::Colour scrollThumbOutline{ 0x4C000000u };

    float enabledAlpha (const juce::Component& c)
    {
        return c.isEnabled() ? 1.0f : 0.5f;
    }

    bool isBarStyle (juce::Slider::SliderStyle style)
    {
        return style == juce::Slider::LinearBar || style == juce::Slider::LinearBarVertical;
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
