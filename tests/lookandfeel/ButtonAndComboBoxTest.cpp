#include "lookandfeel/LookTestSupport.h"
#include "lookandfeel/VKLook.h"
#include "lookandfeel/VelkColours.h"

using namespace tavelin::test;

class TextButtons : public ::testing::Test
{
protected:
    TextButtons()
    {
        button.setBounds (0, 0, 80, 24);
        button.setColour (juce::TextButton::buttonColourId, offColour);
        button.setColour (juce::TextButton::buttonOnColourId, onColour);
        button.setColour (juce::TextButton::textColourOffId, offText);
        button.setColour (juce::TextButton::textColourOnId, onText);
        button.setLookAndFeel (&look);
    }

    ~TextButtons() override
    {
        button.setLookAndFeel (nullptr);
    }

    juce::Image background (juce::Colour colour, bool isOver, bool isDown)
    {
        return render (button.getWidth(), button.getHeight(),
                       [&] (juce::Graphics& g)
                       { look.drawButtonBackground (g, button, colour, isOver, isDown); });
    }

    juce::Image caption (bool isOver)
    {
        return render (button.getWidth(), button.getHeight(),
                       [&] (juce::Graphics& g)
                       { look.drawButtonText (g, button, isOver, false); });
    }

    const juce::Colour offColour = velk::VelkColours::blue;
    const juce::Colour onColour = velk::VelkColours::green;
    const juce::Colour offText = juce::Colours::red;
    const juce::Colour onText = juce::Colours::yellow;

    juce::TextButton button{ "GO" };
    velk::VKLook look;
};

TEST_F (TextButtons, OffShowTheirColourInAOnePixelGreyFrame)
{
    const auto image = background (offColour, false, false);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 0), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (79, 23), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 1), offColour));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (40, 12), offColour));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (78, 22), offColour));
}

TEST_F (TextButtons, OnOrPressedLookSunkenWithTheColourDarkened)
{
    button.setToggleState (true, juce::dontSendNotification);
    const auto toggled = background (onColour, false, false);

    button.setToggleState (false, juce::dontSendNotification);
    const auto pressed = background (offColour, false, true);

    for (const auto& [image, colour] : { std::pair{ toggled, onColour }, { pressed, offColour } })
    {
        EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 0), juce::Colours::black));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (79, 12), juce::Colours::black));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 1), velk::VelkColours::grey));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (78, 22), velk::VelkColours::grey));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (2, 2), colour.withMultipliedBrightness (0.8f)));
        EXPECT_TRUE (coloursMatch (image.getPixelAt (40, 12), colour.withMultipliedBrightness (0.8f)));
    }
}

TEST_F (TextButtons, MouseOverLeavesTheBackgroundAlone)
{
    EXPECT_TRUE (imagesEqual (background (offColour, true, false), background (offColour, false, false)));
    EXPECT_TRUE (imagesEqual (background (offColour, true, true), background (offColour, false, true)));
}

TEST_F (TextButtons, OnePixelButtonDrawsOnlyItsFrame)
{
    button.setSize (1, 1);
    EXPECT_TRUE (coloursMatch (background (offColour, false, false).getPixelAt (0, 0), velk::VelkColours::grey));

    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_TRUE (coloursMatch (background (onColour, false, false).getPixelAt (0, 0), juce::Colours::black));
}

TEST_F (TextButtons, CaptionUsesTheOffColourAndTheOnColourWhenToggledOrHovered)
{
    const auto off = caption (false);
    EXPECT_GT (countPixelsNear (off, offText), 5);
    EXPECT_EQ (countPixelsNear (off, onText), 0);

    const auto hovered = caption (true);
    EXPECT_GT (countPixelsNear (hovered, onText), 5);
    EXPECT_EQ (countPixelsNear (hovered, offText), 0);

    button.setToggleState (true, juce::dontSendNotification);
    const auto on = caption (false);
    EXPECT_GT (countPixelsNear (on, onText), 5);
    EXPECT_EQ (countPixelsNear (on, offText), 0);
}

TEST_F (TextButtons, DisabledCaptionIsHalfTransparent)
{
    button.setEnabled (false);
    const auto image = caption (false);

    EXPECT_EQ (countPixels (image, [] (juce::Colour c)
                            { return c.getAlpha() > 140; }),
               0);
    EXPECT_GT (countPixels (image, [] (juce::Colour c)
                            { return c.getAlpha() >= 120; }),
               5);
}

TEST_F (TextButtons, CaptionIsCentredInTheButton)
{
    const auto image = caption (false);
    const auto columnsWithText = [&image] (int from, int to)
    {
        return countPixels (image.getClippedImage ({ from, 0, to - from, image.getHeight() }),
                            [] (juce::Colour c)
                            { return c.getAlpha() > 128; });
    };

    const auto left = columnsWithText (0, 40);
    const auto right = columnsWithText (40, 80);
    EXPECT_GT (left, 5);
    EXPECT_NEAR ((float) left, (float) right, 0.35f * (float) (left + right));
}

TEST_F (TextButtons, PaintThroughTheButtonComponent)
{
    const auto image = renderComponent (button);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 0), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (3, 12), offColour));
    EXPECT_GT (countPixelsNear (image, offText), 5);
}

//==============================================================================
class ComboBoxes : public ::testing::Test
{
protected:
    ComboBoxes()
    {
        box.setLookAndFeel (&look);
        box.setBounds (0, 0, 120, 20);
        box.addItem ("DELAY", 1);
        box.setSelectedId (1, juce::dontSendNotification);
    }

    ~ComboBoxes() override
    {
        box.setLookAndFeel (nullptr);
    }

    juce::Image drawBody (bool isButtonDown)
    {
        box.setSize (100, 30);
        return render (100, 30, [&] (juce::Graphics& g)
                       { look.drawComboBox (g, 100, 30, isButtonDown, 70, 0, 30, 30, box); });
    }

    juce::ComboBox box;
    velk::VKLook look;
};

TEST_F (ComboBoxes, WithoutOwnColoursDrawLightTextOnDarkGreyInABlackAndGreyFrame)
{
    const auto image = renderComponent (box);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 0), juce::Colours::black));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (119, 10), juce::Colours::black));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (60, 18), juce::Colours::black));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (60, 19), juce::Colours::black));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (2, 10), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (60, 2), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (95, 6), velk::VelkColours::dark_grey, 1));
    EXPECT_GT (countPixelsNear (image, velk::VelkColours::light_grey, 30), 5);
}

TEST_F (ComboBoxes, EnabledShowsALightGreyDownwardArrowAndDisabledNone)
{
    // The label takes 103 pixels, leaving the arrow button at x 104, 16 pixels wide.
    const auto enabled = renderComponent (box);
    EXPECT_TRUE (coloursMatch (enabled.getPixelAt (112, 9), velk::VelkColours::light_grey));

    box.setEnabled (false);
    const auto disabled = renderComponent (box);
    EXPECT_TRUE (coloursMatch (disabled.getPixelAt (112, 9), velk::VelkColours::dark_grey, 1));
}

TEST_F (ComboBoxes, ArrowPointsDownFromFourTenthsToSevenTenthsOfTheButton)
{
    const auto image = drawBody (false);

    // Tip at (85, 21), upper corners at (79, 12) and (91, 12).
    EXPECT_TRUE (coloursMatch (image.getPixelAt (85, 13), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (80, 12), velk::VelkColours::light_grey, 40));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (85, 19), velk::VelkColours::light_grey, 40));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (85, 10), velk::VelkColours::dark_grey, 1));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (85, 23), velk::VelkColours::dark_grey, 1));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (80, 18), velk::VelkColours::dark_grey, 1));
}

TEST_F (ComboBoxes, PressedLooksTheSame)
{
    EXPECT_TRUE (imagesEqual (drawBody (true), drawBody (false)));
}

TEST_F (ComboBoxes, UseTheirOwnColoursWhenSet)
{
    box.setColour (juce::ComboBox::backgroundColourId, velk::VelkColours::purple);
    box.setColour (juce::ComboBox::outlineColourId, velk::VelkColours::yellow);
    box.setColour (juce::ComboBox::arrowColourId, velk::VelkColours::lime);
    const auto image = drawBody (false);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (50, 6), velk::VelkColours::purple, 1));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (2, 10), velk::VelkColours::yellow));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (85, 13), velk::VelkColours::lime));
}
