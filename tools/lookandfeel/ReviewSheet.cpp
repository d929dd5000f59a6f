#include "ReviewSheet.h"

#include "lookandfeel/VelkColours.h"

using velk::VelkColours;

namespace
{
constexpr int sheetWidth = 1280;
constexpr int sheetHeight = 1180;
constexpr int margin = 16;
constexpr int captionHeight = 14;
constexpr float startAngle = juce::MathConstants<float>::pi * 1.2f;
constexpr float endAngle = juce::MathConstants<float>::pi * 2.8f;

void prepareRotary (juce::Slider& slider, double value, juce::Colour fill)
{
    slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setRotaryParameters (startAngle, endAngle, true);
    slider.setRange (0.0, 1.0);
    slider.setValue (value, juce::dontSendNotification);
    slider.setColour (juce::Slider::rotarySliderFillColourId, fill);
}

void prepareLinear (juce::Slider& slider, juce::Slider::SliderStyle style, double value)
{
    slider.setSliderStyle (style);
    slider.setRange (0.0, 1.0);
    slider.setValue (value, juce::dontSendNotification);
    slider.setColour (juce::Slider::thumbColourId, VelkColours::teal);
    slider.setColour (juce::Slider::trackColourId, VelkColours::teal);
    slider.setColour (juce::Slider::backgroundColourId, VelkColours::dark_grey);
}
} // namespace

//==============================================================================
ReviewSheet::ReviewSheet()
{
    juce::LookAndFeel::setDefaultLookAndFeel (&look);
    juce::Typeface::clearTypefaceCache();
}

ReviewSheet::~ReviewSheet()
{
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
}

juce::Image ReviewSheet::render()
{
    sheet = juce::Image (juce::Image::ARGB, sheetWidth, sheetHeight, true, juce::SoftwareImageType());
    graphics = std::make_unique<juce::Graphics> (sheet);
    graphics->fillAll (VelkColours::dark_grey.darker (0.4f));
    cursor = { margin, 0 };
    rowHeight = 0;

    knobs();
    linearSliders();
    buttons();
    comboBoxesAndLabels();
    popupMenu();
    scrollbarsAndTreeBoxes();
    tabsTooltipAndText();

    graphics.reset();
    return sheet;
}

//==============================================================================
void ReviewSheet::cell (int width, int height, const juce::String& caption, const Painter& paint)
{
    if (cursor.x + width > sheetWidth - margin)
        newRow ({});

    auto& g = *graphics;
    g.setColour (VelkColours::light_grey.withAlpha (0.7f));
    g.setFont (juce::Font (11.0f));
    g.drawText (caption, cursor.x, cursor.y, juce::jmax (width, 60), captionHeight, juce::Justification::centredLeft);

    const juce::Rectangle<int> area (cursor.x, cursor.y + captionHeight, width, height);
    {
        const juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (area);
        g.setOrigin (area.getPosition());
        paint (g, area.withZeroOrigin());
    }

    cursor.x += juce::jmax (width, 60) + margin;
    rowHeight = juce::jmax (rowHeight, captionHeight + height);
}

void ReviewSheet::component (juce::Component& c, const juce::String& caption)
{
    cell (c.getWidth(), c.getHeight(), caption, [&c] (juce::Graphics& g, juce::Rectangle<int>)
          { c.paintEntireComponent (g, false); });
}

void ReviewSheet::newRow (const juce::String& title)
{
    cursor = { margin, cursor.y + rowHeight + margin };
    rowHeight = 0;

    if (title.isEmpty())
        return;

    auto& g = *graphics;
    g.setColour (VelkColours::yellow);
    g.setFont (juce::Font (14.0f));
    g.drawText (title, cursor.x, cursor.y, sheetWidth, 18, juce::Justification::centredLeft);
    cursor.y += 22;
}

//==============================================================================
void ReviewSheet::knobs()
{
    newRow ("Knobs: standard, bipolar and macro; enabled and disabled; several sizes");

    juce::Slider slider;
    const auto drawKnob = [this, &slider] (juce::LookAndFeel& knobLook, double value, juce::Colour fill, int size,
                                           const juce::String& caption, bool enabled)
    {
        prepareRotary (slider, value, fill);
        slider.setEnabled (enabled);
        cell (size, size, caption, [&] (juce::Graphics& g, juce::Rectangle<int> area)
              { knobLook.drawRotarySlider (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(), (float) value,
                                           startAngle, endAngle, slider); });
    };

    for (const auto value : { 0.0, 0.25, 0.5, 1.0 })
        drawKnob (look, value, VelkColours::blue, 80, "std " + juce::String (value), true);

    drawKnob (look, 0.5, VelkColours::blue, 80, "std off", false);

    for (const auto value : { 0.0, 0.25, 0.49, 0.5, 0.75, 1.0 })
        drawKnob (bipolarLook, value, VelkColours::orange, 80, "bipolar " + juce::String (value), true);

    newRow ({});
    drawKnob (bipolarLook, 0.3, VelkColours::orange, 80, "bipolar off", false);

    for (const auto value : { 0.3, 0.7 })
        drawKnob (macroLook, value, VelkColours::purple, 80, "macro " + juce::String (value), true);

    drawKnob (macroLook, 0.7, VelkColours::purple, 80, "macro off", false);
    drawKnob (look, 0.6, VelkColours::green, 160, "std 160 px", true);
    drawKnob (look, 0.6, VelkColours::lime, 40, "40 px", true);
    drawKnob (look, 0.6, VelkColours::yellow, 24, "24 px", true);

    juce::Slider withTextBox;
    prepareRotary (withTextBox, 0.42, VelkColours::teal);
    withTextBox.setTextBoxStyle (juce::Slider::TextBoxBelow, false, 56, 14);
    withTextBox.setColour (juce::Slider::textBoxTextColourId, VelkColours::light_grey);
    withTextBox.setColour (juce::Slider::textBoxBackgroundColourId, juce::Colours::transparentBlack);
    withTextBox.setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::transparentBlack);
    withTextBox.setSize (80, 100);
    component (withTextBox, "with text box");
}

void ReviewSheet::linearSliders()
{
    newRow ("Linear sliders: horizontal, bipolar, vertical, bars, range styles");

    juce::Slider slider;
    const auto drawLinear = [this, &slider] (juce::LookAndFeel& sliderLook, juce::Slider::SliderStyle style,
                                             double value, int width, int height, const juce::String& caption,
                                             bool enabled)
    {
        prepareLinear (slider, style, value);
        slider.setEnabled (enabled);
        slider.setSize (width, height);
        cell (width, height, caption, [&] (juce::Graphics& g, juce::Rectangle<int> area)
              {
                  const auto vertical = style == juce::Slider::LinearVertical || style == juce::Slider::LinearBarVertical
                                        || style == juce::Slider::TwoValueVertical
                                        || style == juce::Slider::ThreeValueVertical;
                  const auto length = (float) (vertical ? area.getHeight() : area.getWidth());
                  const auto position = vertical ? length * (float) (1.0 - value) : length * (float) value;
                  sliderLook.drawLinearSlider (g, 0, 0, area.getWidth(), area.getHeight(), position, length * 0.2f,
                                               length * 0.8f, style, slider); });
    };

    for (const auto value : { 0.0, 0.4, 1.0 })
        drawLinear (look, juce::Slider::LinearHorizontal, value, 120, 16, "horizontal " + juce::String (value), true);

    for (const auto value : { 0.0, 0.3, 0.5, 0.8, 1.0 })
        drawLinear (bipolarLook, juce::Slider::LinearHorizontal, value, 120, 16, "bipolar " + juce::String (value),
                    true);

    newRow ({});
    drawLinear (look, juce::Slider::LinearVertical, 0.6, 20, 100, "vertical", true);
    drawLinear (look, juce::Slider::LinearBar, 0.6, 120, 20, "bar", true);
    drawLinear (look, juce::Slider::LinearBar, 0.6, 120, 20, "bar off", false);
    drawLinear (look, juce::Slider::LinearBarVertical, 0.6, 20, 100, "bar vertical", true);
    drawLinear (look, juce::Slider::TwoValueHorizontal, 0.5, 140, 24, "two values", true);
    drawLinear (look, juce::Slider::ThreeValueHorizontal, 0.5, 140, 24, "three values", true);
    drawLinear (look, juce::Slider::TwoValueVertical, 0.5, 24, 100, "two vert.", true);
    drawLinear (look, juce::Slider::ThreeValueVertical, 0.5, 24, 100, "three vert.", true);
}

void ReviewSheet::buttons()
{
    newRow ("Text buttons: off, hover, pressed, on, on + hover, disabled, 1 x 1");

    juce::TextButton button ("SAVE");
    button.setColour (juce::TextButton::buttonColourId, VelkColours::grey);
    button.setColour (juce::TextButton::buttonOnColourId, VelkColours::blue);
    button.setColour (juce::TextButton::textColourOffId, VelkColours::light_grey);
    button.setColour (juce::TextButton::textColourOnId, juce::Colours::white);
    button.setSize (90, 26);

    struct State
    {
        const char* caption;
        bool on, over, down, enabled;
    };

    for (const auto& state : { State{ "off", false, false, false, true }, State{ "hover", false, true, false, true },
                               State{ "pressed", false, true, true, true }, State{ "on", true, false, false, true },
                               State{ "on + hover", true, true, false, true },
                               State{ "disabled", false, false, false, false } })
    {
        button.setToggleState (state.on, juce::dontSendNotification);
        button.setEnabled (state.enabled);
        cell (90, 26, state.caption, [&] (juce::Graphics& g, juce::Rectangle<int>)
              {
                  const auto colour = button.findColour (state.on ? juce::TextButton::buttonOnColourId
                                                                  : juce::TextButton::buttonColourId);
                  look.drawButtonBackground (g, button, colour, state.over, state.down);
                  look.drawButtonText (g, button, state.over, state.down); });
    }

    juce::TextButton tiny;
    tiny.setSize (1, 1);
    cell (1, 1, "1 x 1", [&] (juce::Graphics& g, juce::Rectangle<int>)
          { look.drawButtonBackground (g, tiny, VelkColours::blue, false, false); });
}

void ReviewSheet::comboBoxesAndLabels()
{
    newRow ("Combo boxes (enabled, disabled, nothing selected) and labels (normal, disabled)");

    juce::ComboBox boxes[3];

    for (auto& box : boxes)
    {
        box.addItem ("BAND-PASS", 1);
        box.setSize (140, 22);
    }

    boxes[0].setSelectedId (1, juce::dontSendNotification);
    boxes[1].setSelectedId (1, juce::dontSendNotification);
    boxes[1].setEnabled (false);
    boxes[2].setTextWhenNothingSelected ("choose...");

    component (boxes[0], "combo");
    component (boxes[1], "combo off");
    component (boxes[2], "combo empty");

    juce::Label label ({}, "LFO 1 RATE");
    label.setColour (juce::Label::textColourId, VelkColours::light_grey);
    label.setColour (juce::Label::backgroundColourId, VelkColours::grey);
    label.setColour (juce::Label::outlineColourId, juce::Colours::black);
    label.setJustificationType (juce::Justification::centred);
    label.setSize (120, 22);
    component (label, "label");

    label.setEnabled (false);
    component (label, "label off");
}

void ReviewSheet::popupMenu()
{
    newRow ("Popup menu: background, items (plain, highlighted, ticked, disabled, sub-menu, separator), scroll arrows");

    const juce::PopupMenu::Options options;
    const auto itemHeight = 22;

    juce::PopupMenu::Item plain ("UNDO"), highlighted ("REDO"), ticked ("SCOPE ENABLED"), disabled ("PASTE"),
        submenu ("MIDI MAP"), separator;
    plain.itemID = 1;
    highlighted.itemID = 2;
    ticked.itemID = 3;
    ticked.isTicked = true;
    disabled.itemID = 4;
    disabled.isEnabled = false;
    submenu.subMenu = std::make_unique<juce::PopupMenu>();
    submenu.subMenu->addItem (5, "CLEAR");
    separator.isSeparator = true;

    const std::pair<const juce::PopupMenu::Item*, bool> rows[] = {
        { &plain, false },
        { &highlighted, true },
        { &ticked, false },
        { &disabled, false },
        { &separator, false },
        { &submenu, false }
    };

    cell (200, itemHeight * 6 + 8, "menu", [&] (juce::Graphics& g, juce::Rectangle<int> area)
          {
              look.drawPopupMenuBackgroundWithOptions (g, area.getWidth(), area.getHeight(), options);

              auto y = 4;

              for (const auto& [item, isHighlighted] : rows)
              {
                  look.drawPopupMenuItemWithOptions (g, { 2, y, area.getWidth() - 4, itemHeight }, isHighlighted, *item,
                                                     options);
                  y += itemHeight;
              } });

    for (const auto isUp : { true, false })
        cell (120, 20, isUp ? "scroll up" : "scroll down", [&] (juce::Graphics& g, juce::Rectangle<int> area)
              {
                  look.drawPopupMenuBackgroundWithOptions (g, area.getWidth(), area.getHeight(), options);
                  look.drawPopupMenuUpDownArrowWithOptions (g, area.getWidth(), area.getHeight(), isUp, options); });
}

void ReviewSheet::scrollbarsAndTreeBoxes()
{
    newRow ("Scrollbars (8 and 16 thick, with and without thumb) and tree boxes (closed, open; 20 and 8 px)");

    juce::ScrollBar bar (true);

    for (const auto& [thickness, thumb] : { std::pair{ 8, 40 }, { 16, 40 }, { 8, 0 } })
        cell (thickness, 120, juce::String (thickness) + (thumb > 0 ? "" : " full"),
              [&] (juce::Graphics& g, juce::Rectangle<int> area)
              {
            look.drawScrollbar (g, bar, 0, 0, area.getWidth(), area.getHeight(), true, 30, thumb, false, false);
        });

    cell (160, 10, "horizontal 10", [&] (juce::Graphics& g, juce::Rectangle<int> area)
          { look.drawScrollbar (g, bar, 0, 0, area.getWidth(), area.getHeight(), false, 50, 60, false, false); });

    for (const auto& [size, isOpen] : { std::pair{ 20, false }, { 20, true }, { 8, false }, { 8, true } })
        cell (size, size, isOpen ? "open" : "closed", [isOpen = isOpen, this] (juce::Graphics& g, juce::Rectangle<int> area)
              {
                  g.fillAll (VelkColours::dark_grey);
                  look.drawTreeviewPlusMinusBox (g, area.toFloat(), VelkColours::dark_grey, isOpen, false); });
}

void ReviewSheet::tabsTooltipAndText()
{
    newRow ("Tabs, tooltip, and text in several requested families (all should be Roboto Medium)");

    juce::TabbedButtonBar tabs (juce::TabbedButtonBar::TabsAtTop);
    tabs.setSize (300, 30);
    tabs.addTab ("CHAIN 1", VelkColours::blue, -1);
    tabs.addTab ("CHAIN 2", VelkColours::blue, -1);
    tabs.addTab ("CHAIN 3", VelkColours::blue, -1);
    tabs.setCurrentTabIndex (1, false);
    component (tabs, "tabs");

    cell (160, 24, "tooltip", [this] (juce::Graphics& g, juce::Rectangle<int> area)
          { look.drawTooltip (g, "Delay time", area.getWidth(), area.getHeight()); });

    cell (420, 100, "fonts", [] (juce::Graphics& g, juce::Rectangle<int> area)
          {
              auto y = 0;

              for (const auto& font : { juce::Font (16.0f), juce::Font ("Serif", 16.0f, juce::Font::bold),
                                        juce::Font ("DejaVu Sans Mono", 16.0f, juce::Font::italic),
                                        juce::Font (10.0f) })
              {
                  g.setColour (VelkColours::light_grey);
                  g.setFont (font);
                  g.drawText (font.getTypefaceName() + " " + juce::String (font.getHeight()) + ": Tavelin 0123 %",
                              0, y, area.getWidth(), 24, juce::Justification::centredLeft);
                  y += 24;
              } });
}
