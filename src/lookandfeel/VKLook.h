#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace velk
{

/** The look of the whole user interface: one embedded typeface for every font, palette colour
    defaults, image-based rotary knobs and flat, square-cornered controls.

    The editor makes one shared instance the default look-and-feel. Before that it must call
    juce::Typeface::clearTypefaceCache(), or fonts already resolved keep the system face.
*/
class VKLook : public juce::LookAndFeel_V2
{
public:
    VKLook();
    ~VKLook() override;

    //==============================================================================
    /** The text box of a slider: swallows the mouse wheel and paints on a very dark ground. */
    class SliderLabelComp : public juce::Label
    {
    public:
        SliderLabelComp();

        void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
        void paint (juce::Graphics&) override;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SliderLabelComp)
    };

    //==============================================================================
    void drawScrollbar (juce::Graphics&, juce::ScrollBar&, int x, int y, int width, int height,
                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                        bool isMouseOver, bool isMouseDown) override;
    int getDefaultScrollbarWidth() override;
    int getScrollbarButtonSize (juce::ScrollBar&) override;

    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawButtonText (juce::Graphics&, juce::TextButton&,
                         bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    void drawTreeviewPlusMinusBox (juce::Graphics&, const juce::Rectangle<float>& area,
                                   juce::Colour backgroundColour, bool isOpen, bool isMouseOver) override;

    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    juce::Font getPopupMenuFont() override;
    void drawPopupMenuUpDownArrow (juce::Graphics&, int width, int height, bool isScrollUpArrow) override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    juce::Font getComboBoxFont (juce::ComboBox&) override;

    void drawLabel (juce::Graphics&, juce::Label&) override;

    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;
    void drawLinearSliderBackground (juce::Graphics&, int x, int y, int width, int height,
                                     float sliderPos, float minSliderPos, float maxSliderPos,
                                     juce::Slider::SliderStyle, juce::Slider&) override;
    void drawLinearSliderThumb (juce::Graphics&, int x, int y, int width, int height,
                                float sliderPos, float minSliderPos, float maxSliderPos,
                                juce::Slider::SliderStyle, juce::Slider&) override;
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                           juce::Slider&) override;
    juce::Label* createSliderTextBox (juce::Slider&) override;

    void drawTabButton (juce::TabBarButton&, juce::Graphics&, bool isMouseOver, bool isMouseDown) override;
    void drawTabButtonText (juce::TabBarButton&, juce::Graphics&, bool isMouseOver, bool isMouseDown) override;
    void drawTabbedButtonBarBackground (juce::TabbedButtonBar&, juce::Graphics&) override;
    void drawTabAreaBehindFrontButton (juce::TabbedButtonBar&, juce::Graphics&, int w, int h) override;
    void createTabButtonShape (juce::TabBarButton&, juce::Path&, bool isMouseOver, bool isMouseDown) override;
    void fillTabButtonShape (juce::TabBarButton&, juce::Graphics&, const juce::Path&,
                             bool isMouseOver, bool isMouseDown) override;

protected:
    //==============================================================================
    /** What distinguishes the knobs of the derived looks: where the value wedge runs and where
        the pointer starts, as a (negative) factor of the radius.
    */
    struct KnobMarks
    {
        float wedgeFrom;
        float wedgeTo;
        float pointerInner;
    };

    static constexpr float standardPointerInner = -0.2f;

    /** Draws a knob centred in the given area, pointing at the given angle. */
    void drawKnob (juce::Graphics&, juce::Rectangle<int> area, float angle, KnobMarks, juce::Slider&) const;

    /** The flat dark trough of the horizontal and vertical sliders. */
    static void fillTrough (juce::Graphics&, juce::Rectangle<int> area, juce::Slider&);

    /** The faint top-to-bottom (or left-to-right) sheen and the 2-pixel frame over a trough. */
    static void drawSheenAndFrame (juce::Graphics&, juce::Rectangle<int> area, bool isVertical);

private:
    //==============================================================================
    void setPaletteColours();

    juce::Typeface::Ptr typeface;
    std::unique_ptr<juce::Drawable> knobBack;
    std::unique_ptr<juce::Drawable> knobFront;
    float fontScale = 1.0f;
    float* fontScalePtr = &fontScale;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VKLook)
};

} // namespace velk
