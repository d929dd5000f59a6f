#include "lookandfeel/LookTestSupport.h"
#include "lookandfeel/VKLook.h"
#include "lookandfeel/VelkColours.h"

using namespace tavelin::test;

class Labels : public ::testing::Test
{
protected:
    Labels()
    {
        label.setLookAndFeel (&look);
        label.setBounds (0, 0, 100, 20);
        label.setText ("LFO 1", juce::dontSendNotification);
        label.setColour (juce::Label::textColourId, juce::Colours::yellow);
        label.setColour (juce::Label::outlineColourId, juce::Colours::red);
    }

    ~Labels() override
    {
        label.setLookAndFeel (nullptr);
    }

    juce::Label label;
    velk::VKLook look;
};

TEST_F (Labels, FillTheirBackgroundDrawTheTextAndAOnePixelOutline)
{
    label.setColour (juce::Label::backgroundColourId, velk::VelkColours::dark_grey);
    const auto image = renderComponent (label);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 0), juce::Colours::red));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (99, 10), juce::Colours::red));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 1), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (98, 18), velk::VelkColours::dark_grey));
    EXPECT_GT (countPixelsNear (image, juce::Colours::yellow, 40), 5);
}

TEST_F (Labels, DisabledDrawTextAndOutlineAtHalfAlpha)
{
    label.setEnabled (false);
    const auto image = renderComponent (label);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 10), juce::Colours::red.withMultipliedAlpha (0.5f)));
    EXPECT_EQ (countPixels (image, [] (juce::Colour c)
                            { return c.getAlpha() > 140; }),
               0);
    EXPECT_GT (countPixels (image, [] (juce::Colour c)
                            { return c.getAlpha() >= 110
                                     && coloursMatch (c.withAlpha ((juce::uint8) 0xFF), juce::Colours::yellow, 40); }),
               3);
}

TEST_F (Labels, BeingEditedDrawOnlyTheFullOutline)
{
    label.showEditor();
    ASSERT_TRUE (label.isBeingEdited());

    const auto image = render (100, 20, [this] (juce::Graphics& g)
                               { look.drawLabel (g, label); });

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 10), juce::Colours::red));
    EXPECT_EQ (countPixelsNear (image, juce::Colours::yellow, 60), 0);
}

TEST_F (Labels, KeepTheirJustificationAndBorder)
{
    label.setJustificationType (juce::Justification::centredRight);
    label.setBorderSize ({ 0, 0, 0, 30 });
    const auto image = renderComponent (label);

    const auto inRightBorder = countPixelsNear (image.getClippedImage ({ 70, 1, 29, 18 }), juce::Colours::yellow, 60);
    const auto inLeftHalf = countPixelsNear (image.getClippedImage ({ 1, 1, 24, 18 }), juce::Colours::yellow, 60);
    EXPECT_EQ (inRightBorder, 0);
    EXPECT_EQ (inLeftHalf, 0);
    EXPECT_GT (countPixelsNear (image, juce::Colours::yellow, 60), 5);
}

//==============================================================================
class PopupMenus : public ::testing::Test
{
protected:
    juce::Image drawItem (bool isHighlighted)
    {
        juce::PopupMenu::Item item ("REVERSE");
        item.itemID = 1;

        return render (140, 20, [&] (juce::Graphics& g)
                       { look.drawPopupMenuItemWithOptions (g, { 0, 0, 140, 20 }, isHighlighted, item, options); });
    }

    juce::Image drawArrow (bool isScrollUpArrow)
    {
        return render (100, 20, [&] (juce::Graphics& g)
                       { look.drawPopupMenuUpDownArrowWithOptions (g, 100, 20, isScrollUpArrow, options); });
    }

    const juce::PopupMenu::Options options;
    velk::VKLook look;
};

TEST_F (PopupMenus, BackgroundIsDarkGreyInATwoPixelGreyFrameWhateverTheMenuColour)
{
    look.setColour (juce::PopupMenu::backgroundColourId, juce::Colours::red);
    const auto image = render (100, 60, [this] (juce::Graphics& g)
                               { look.drawPopupMenuBackgroundWithOptions (g, 100, 60, options); });

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 0), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 30), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (98, 58), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (2, 30), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (50, 30), velk::VelkColours::dark_grey));
}

TEST_F (PopupMenus, HighlightedItemShowsDarkTextOnLightGrey)
{
    const auto image = drawItem (true);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 1), velk::VelkColours::light_grey));
    EXPECT_GT (countPixelsNear (image, velk::VelkColours::dark_grey, 30), 5);
}

TEST_F (PopupMenus, PlainItemShowsLightGreyTextOnTheMenuBackground)
{
    const auto image = drawItem (false);

    EXPECT_EQ (image.getPixelAt (1, 1).getAlpha(), 0);
    EXPECT_GT (countPixelsNear (image, velk::VelkColours::light_grey, 30), 5);
    EXPECT_EQ (countPixelsNear (image, velk::VelkColours::dark_grey, 30), 0);
}

TEST_F (PopupMenus, ScrollArrowsAreLightGreyTrianglesOnAFadingGround)
{
    const auto up = drawArrow (true);
    const auto down = drawArrow (false);

    // Up: base at 0.6 of the height, tip at 0.3; down the other way round.
    EXPECT_TRUE (coloursMatch (up.getPixelAt (46, 11), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (down.getPixelAt (46, 6), velk::VelkColours::light_grey));
    EXPECT_FALSE (coloursMatch (down.getPixelAt (46, 11), velk::VelkColours::light_grey, 60));
    EXPECT_FALSE (coloursMatch (up.getPixelAt (46, 6), velk::VelkColours::light_grey, 60));

    // The ground fades out from the middle towards the edge away from the list: 0.15 alpha at 0.85.
    EXPECT_NEAR ((int) up.getPixelAt (5, 18).getAlpha(), 38, 10);
    EXPECT_EQ (down.getPixelAt (5, 18).getAlpha(), 255);
    EXPECT_NEAR ((int) down.getPixelAt (5, 1).getAlpha(), 38, 10);
    EXPECT_TRUE (coloursMatch (up.getPixelAt (5, 9), velk::VelkColours::dark_grey, 16));
}

TEST_F (PopupMenus, ItemWithoutStandardHeightIsEighteenHighAndItsTextPlusThirtySixWide)
{
    int width = 0, height = 0;
    look.getIdealPopupMenuItemSizeWithOptions ("GO TO CRASH LOG", false, 0, width, height, options);

    EXPECT_EQ (height, 18);
    EXPECT_EQ (width, (int) std::ceil (juce::Font (14.0f).getStringWidthFloat ("GO TO CRASH LOG")) + 36);
}

TEST_F (PopupMenus, ItemWithAStandardHeightTakesItAndShrinksItsFont)
{
    int width = 0, height = 0;
    look.getIdealPopupMenuItemSizeWithOptions ("CLEAR", false, 13, width, height, options);

    EXPECT_EQ (height, 13);
    EXPECT_EQ (width, (int) std::ceil (juce::Font (10.0f).getStringWidthFloat ("CLEAR")) + 26);

    look.getIdealPopupMenuItemSizeWithOptions ("CLEAR", false, 40, width, height, options);
    EXPECT_EQ (height, 40);
    EXPECT_EQ (width, (int) std::ceil (juce::Font (14.0f).getStringWidthFloat ("CLEAR")) + 80);
}

TEST_F (PopupMenus, SeparatorIsFiftyWideAndHalfTheStandardHeight)
{
    int width = 0, height = 0;

    look.getIdealPopupMenuItemSizeWithOptions ({}, true, 0, width, height, options);
    EXPECT_EQ (width, 50);
    EXPECT_EQ (height, 10);

    look.getIdealPopupMenuItemSizeWithOptions ({}, true, 25, width, height, options);
    EXPECT_EQ (width, 50);
    EXPECT_EQ (height, 12);
}
