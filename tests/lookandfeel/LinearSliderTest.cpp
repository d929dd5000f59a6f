#include "lookandfeel/LookTestSupport.h"
#include "lookandfeel/VKBipolarLook.h"
#include "lookandfeel/VelkColours.h"

using namespace tavelin::test;

class LinearSliders : public ::testing::Test
{
protected:
    LinearSliders()
    {
        slider.setRange (0.0, 1.0);
        slider.setColour (juce::Slider::backgroundColourId, background);
        slider.setColour (juce::Slider::thumbColourId, thumb);
        slider.setColour (juce::Slider::trackColourId, track);
    }

    /** Draws a slider of the given style in `area`, inside an image with a 5-pixel margin. */
    juce::Image draw (juce::LookAndFeel& sliderLook, juce::Slider::SliderStyle style, juce::Rectangle<int> area,
                      float sliderPos)
    {
        return render (area.getRight() + 5, area.getBottom() + 5, [&] (juce::Graphics& g)
                       { sliderLook.drawLinearSlider (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                                                      sliderPos, 0.0f, 0.0f, style, slider); });
    }

    /** The trough or value colour under the sheen, a proportion t of the way along the sheen. */
    static juce::Colour sheened (juce::Colour base, float t)
    {
        return base.overlaidWith (juce::Colours::white.withAlpha (t * 0x19 / 255.0f));
    }

    juce::Colour trough() const
    {
        return track.withBrightness (0.1f);
    }

    const juce::Colour background{ 0xFF102030u };
    const juce::Colour thumb = velk::VelkColours::teal;
    const juce::Colour track = velk::VelkColours::purple;

    // A 100 x 20 horizontal area with a 5-pixel margin: row 15 is 0.525 of the way down the sheen.
    const juce::Rectangle<int> horizontal{ 5, 5, 100, 20 };
    static constexpr float middleRow = 0.525f;

    juce::Slider slider;
    velk::VKLook look;
    velk::VKBipolarLook bipolarLook;
};

TEST_F (LinearSliders, HorizontalFillsFromTwoPixelsInsideTheLeftToTwoShortOfTheValue)
{
    const auto image = draw (look, juce::Slider::LinearHorizontal, horizontal, 60.0f);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 1), background));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (107, 15), background));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (7, 15), sheened (thumb, middleRow)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (57, 15), sheened (thumb, middleRow)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (58, 15), sheened (trough(), middleRow)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (80, 8), sheened (trough(), 0.175f)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (80, 22), sheened (trough(), 0.875f)));
}

TEST_F (LinearSliders, HorizontalHasATwoPixelGreyFrameAndNoThumb)
{
    const auto image = draw (look, juce::Slider::LinearHorizontal, horizontal, 60.0f);

    for (const auto& [x, y] : { std::pair{ 5, 15 }, { 6, 15 }, { 103, 15 }, { 104, 15 }, { 50, 5 }, { 50, 6 }, { 50, 24 } })
        EXPECT_TRUE (coloursMatch (image.getPixelAt (x, y), velk::VelkColours::grey)) << x << ", " << y;

    // No glass thumb at the value position: only the trough shows there.
    EXPECT_TRUE (coloursMatch (image.getPixelAt (60, 15), sheened (trough(), middleRow)));
}

TEST_F (LinearSliders, HorizontalAtItsMinimumShowsNoValueFill)
{
    const auto image = draw (look, juce::Slider::LinearHorizontal, horizontal, 5.0f);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (7, 15), sheened (trough(), middleRow)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (5, 15), velk::VelkColours::grey));
}

TEST_F (LinearSliders, VerticalFillsFromTheBottomUpToTwoShortOfTheValueWithASheenAcross)
{
    const auto image = draw (look, juce::Slider::LinearVertical, { 5, 5, 20, 100 }, 40.0f);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (15, 41), sheened (trough(), middleRow)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (15, 42), sheened (thumb, middleRow)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (15, 102), sheened (thumb, middleRow)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 70), sheened (thumb, 0.175f)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (15, 103), velk::VelkColours::grey));
}

TEST_F (LinearSliders, BarIsAFlatRectangleInTheDesaturatedThumbColour)
{
    const auto bar = thumb.withMultipliedSaturation (1.0f).withMultipliedSaturation (0.9f);

    const auto horizontalBar = draw (look, juce::Slider::LinearBar, horizontal, 60.0f);
    EXPECT_TRUE (coloursMatch (horizontalBar.getPixelAt (5, 5), bar));
    EXPECT_TRUE (coloursMatch (horizontalBar.getPixelAt (59, 24), bar));
    EXPECT_TRUE (coloursMatch (horizontalBar.getPixelAt (60, 15), background));

    const auto verticalBar = draw (look, juce::Slider::LinearBarVertical, { 5, 0, 20, 100 }, 40.0f);
    EXPECT_TRUE (coloursMatch (verticalBar.getPixelAt (15, 39), background));
    EXPECT_TRUE (coloursMatch (verticalBar.getPixelAt (15, 40), bar));
    EXPECT_TRUE (coloursMatch (verticalBar.getPixelAt (15, 99), bar));
}

TEST_F (LinearSliders, DisabledBarHalvesItsSaturation)
{
    slider.setEnabled (false);
    const auto image = draw (look, juce::Slider::LinearBar, horizontal, 60.0f);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (30, 15), thumb.withMultipliedSaturation (0.5f).withMultipliedSaturation (0.9f)));
}

TEST_F (LinearSliders, BarOnePixelWideDrawsOnlyTheBackground)
{
    const auto image = draw (look, juce::Slider::LinearBar, horizontal, 6.0f);
    EXPECT_EQ (countPixels (image, [this] (juce::Colour c)
                            { return c != background; }),
               0);
}

TEST_F (LinearSliders, ThumbsAreDrawnOnlyForTheRangeStyles)
{
    // The inherited thumb radius follows the slider's size: 9 pixels here, 7 once the margin is taken.
    slider.setSize (100, 100);
    for (const auto style : { juce::Slider::LinearHorizontal, juce::Slider::LinearVertical, juce::Slider::LinearBar,
                              juce::Slider::LinearBarVertical, juce::Slider::Rotary })
    {
        const auto image = render (60, 60, [&] (juce::Graphics& g)
                                   { look.drawLinearSliderThumb (g, 5, 5, 50, 50, 30.0f, 10.0f, 40.0f, style, slider); });
        EXPECT_EQ (countPixels (image, [] (juce::Colour c)
                                { return c.getAlpha() != 0; }),
                   0)
            << (int) style;
    }

    const auto range = render (120, 30, [&] (juce::Graphics& g)
                               { look.drawLinearSliderThumb (g, 0, 0, 100, 30, 50.0f, 20.0f, 80.0f,
                                                             juce::Slider::TwoValueHorizontal, slider); });
    EXPECT_TRUE (coloursMatch (range.getPixelAt (0, 0), juce::Colour (0xFFAEAEAEu)));
    EXPECT_TRUE (coloursMatch (range.getPixelAt (50, 15), thumb));

    const auto threeValues = render (40, 100, [&] (juce::Graphics& g)
                                     { look.drawLinearSliderThumb (g, 0, 0, 40, 100, 50.0f, 20.0f, 80.0f,
                                                                   juce::Slider::ThreeValueVertical, slider); });
    EXPECT_GT (threeValues.getPixelAt (20, 50).getAlpha(), 200);
    EXPECT_EQ (threeValues.getPixelAt (20, 5).getAlpha(), 0);
}

TEST_F (LinearSliders, DrawThroughTheSliderComponent)
{
    slider.setSliderStyle (juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    slider.setBounds (0, 0, 120, 24);
    slider.setLookAndFeel (&look);
    slider.setValue (0.5, juce::dontSendNotification);

    const auto area = look.getSliderLayout (slider).sliderBounds;
    const auto image = renderComponent (slider);
    slider.setLookAndFeel (nullptr);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (area.getX(), area.getCentreY()), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (area.getX() + 4, area.getCentreY()).withAlpha (1.0f),
                               thumb, 12));
}

//==============================================================================
TEST_F (LinearSliders, BipolarBarGrowsFromTheCentreMarkTowardsTheValue)
{
    struct Case
    {
        double value;
        int firstFilled;
        int lastFilled;
    };

    // A 100-pixel slider: the centre mark covers pixels 49 and 50.
    for (const auto& [value, first, last] : { Case{ 0.0, 2, 47 }, Case{ 0.25, 27, 47 }, Case{ 0.75, 52, 72 },
                                              Case{ 1.0, 52, 97 } })
    {
        SCOPED_TRACE (value);
        slider.setValue (value, juce::dontSendNotification);

        // The value comes from the slider itself, not from the position argument.
        const auto image = draw (bipolarLook, juce::Slider::LinearHorizontal, { 0, 0, 100, 20 }, 33.0f);
        const auto barRow = 10;
        const auto t = 10.5f / 20.0f;

        EXPECT_TRUE (coloursMatch (image.getPixelAt (first, barRow), sheened (thumb, t)));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (last, barRow), sheened (thumb, t)));

        if (first > 2)
        {
            EXPECT_TRUE (coloursMatch (image.getPixelAt (first - 1, barRow), sheened (trough(), t)));
        }

        if (last < 97)
        {
            EXPECT_TRUE (coloursMatch (image.getPixelAt (last + 1, barRow), sheened (trough(), t)));
        }

        EXPECT_TRUE (coloursMatch (image.getPixelAt (49, barRow), sheened (thumb, t)));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (50, barRow), sheened (thumb, t)));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (0, barRow), velk::VelkColours::grey));
    }
}

TEST_F (LinearSliders, BipolarAtTheMiddleShowsOnlyTheCentreMark)
{
    slider.setValue (0.5, juce::dontSendNotification);
    const auto image = draw (bipolarLook, juce::Slider::LinearHorizontal, { 0, 0, 100, 20 }, 50.0f);
    const auto t = 10.5f / 20.0f;

    EXPECT_TRUE (coloursMatch (image.getPixelAt (48, 10), sheened (trough(), t)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (49, 10), sheened (thumb, t)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (50, 10), sheened (thumb, t)));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (51, 10), sheened (trough(), t)));
}

TEST_F (LinearSliders, BipolarBackgroundDrawsNothingForOtherStyles)
{
    for (const auto style : { juce::Slider::LinearVertical, juce::Slider::TwoValueHorizontal })
    {
        const auto image = render (60, 60, [&] (juce::Graphics& g)
                                   { bipolarLook.drawLinearSliderBackground (g, 5, 5, 50, 50, 30.0f, 10.0f, 40.0f,
                                                                             style, slider); });
        EXPECT_EQ (countPixels (image, [] (juce::Colour c)
                                { return c.getAlpha() != 0; }),
                   0)
            << (int) style;
    }
}

//==============================================================================
class SliderTextBox : public ::testing::Test
{
protected:
    SliderTextBox()
    {
        slider.setColour (juce::Slider::textBoxTextColourId, velk::VelkColours::light_grey);
        slider.setColour (juce::Slider::textBoxBackgroundColourId, juce::Colour (0x80102030u));
        slider.setColour (juce::Slider::textBoxOutlineColourId, velk::VelkColours::grey);
        slider.setColour (juce::Slider::textBoxHighlightColourId, velk::VelkColours::blue);
    }

    std::unique_ptr<juce::Label> create()
    {
        return std::unique_ptr<juce::Label> (look.createSliderTextBox (slider));
    }

    juce::Slider slider;
    velk::VKLook look;
};

TEST_F (SliderTextBox, IsACentredLabelWithATenPixelFont)
{
    const auto label = create();

    EXPECT_NE (dynamic_cast<velk::VKLook::SliderLabelComp*> (label.get()), nullptr);
    EXPECT_EQ (label->getJustificationType(), juce::Justification (juce::Justification::centred));
    EXPECT_FLOAT_EQ (label->getFont().getHeight(), 10.0f);
    EXPECT_EQ (label->getFont().getStyleFlags(), (int) juce::Font::plain);
    EXPECT_TRUE (label->getText().isEmpty());
}

TEST_F (SliderTextBox, TakesItsColoursFromTheSlider)
{
    slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    const auto label = create();

    EXPECT_EQ (label->findColour (juce::Label::textColourId), velk::VelkColours::light_grey);
    EXPECT_EQ (label->findColour (juce::Label::backgroundColourId), juce::Colour (0x80102030u));
    EXPECT_EQ (label->findColour (juce::Label::outlineColourId), velk::VelkColours::grey);
    EXPECT_EQ (label->findColour (juce::TextEditor::textColourId), velk::VelkColours::light_grey);
    EXPECT_EQ (label->findColour (juce::TextEditor::backgroundColourId), juce::Colour (0xFF102030u));
    EXPECT_EQ (label->findColour (juce::TextEditor::outlineColourId), velk::VelkColours::grey);
    EXPECT_EQ (label->findColour (juce::TextEditor::highlightColourId), velk::VelkColours::blue);
}

TEST_F (SliderTextBox, OfABarSliderIsTransparentAndEditsOnAPartlyOpaqueGround)
{
    for (const auto style : { juce::Slider::LinearBar, juce::Slider::LinearBarVertical })
    {
        slider.setSliderStyle (style);
        const auto label = create();

        EXPECT_EQ (label->findColour (juce::Label::backgroundColourId), juce::Colours::transparentBlack);
        EXPECT_EQ (label->findColour (juce::TextEditor::backgroundColourId), juce::Colour (0xB3102030u));
    }
}

TEST_F (SliderTextBox, EditsWithTheDecimalKeyboard)
{
    const auto label = create();
    label->setSize (40, 12);
    label->showEditor();

    ASSERT_NE (label->getCurrentTextEditor(), nullptr);
    EXPECT_EQ (label->getCurrentTextEditor()->getKeyboardType(), juce::TextInputTarget::decimalKeyboard);
}

TEST_F (SliderTextBox, PaintsOnAVeryDarkGroundUnderTheLabel)
{
    slider.setColour (juce::Slider::textBoxBackgroundColourId, juce::Colours::transparentBlack);
    slider.setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::transparentBlack);
    const auto label = create();
    label->setLookAndFeel (&look);
    label->setBounds (0, 0, 50, 14);
    label->setText ("0.50", juce::dontSendNotification);

    const auto image = renderComponent (*label);
    label->setLookAndFeel (nullptr);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 1), velk::VelkColours::dark_grey.withMultipliedBrightness (0.3f)));
    EXPECT_GT (countPixelsNear (image, velk::VelkColours::light_grey, 40), 3);
}

TEST_F (SliderTextBox, SwallowsTheMouseWheel)
{
    slider.setSliderStyle (juce::Slider::LinearHorizontal);
    slider.setRange (0.0, 1.0);
    slider.setValue (0.5, juce::dontSendNotification);
    slider.setTextBoxStyle (juce::Slider::TextBoxBelow, false, 60, 14);
    slider.setLookAndFeel (&look);
    slider.setBounds (0, 0, 80, 40);

    juce::Label* valueBox = nullptr;

    for (auto* child : slider.getChildren())
        if (auto* box = dynamic_cast<velk::VKLook::SliderLabelComp*> (child))
            valueBox = box;

    ASSERT_NE (valueBox, nullptr);

    juce::MouseWheelDetails wheel{};
    wheel.deltaY = 1.0f;
    const juce::MouseEvent event (juce::Desktop::getInstance().getMainMouseSource(), { 10.0f, 5.0f },
                                  juce::ModifierKeys(), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, valueBox, valueBox,
                                  juce::Time::getCurrentTime(), { 10.0f, 5.0f }, juce::Time::getCurrentTime(), 1, false);

    valueBox->mouseWheelMove (event, wheel);
    EXPECT_DOUBLE_EQ (slider.getValue(), 0.5);

    // The same turn over the slider itself does move it: the event is one a slider reacts to.
    slider.mouseWheelMove (event.getEventRelativeTo (&slider), wheel);
    EXPECT_NE (slider.getValue(), 0.5);

    slider.setLookAndFeel (nullptr);
}
