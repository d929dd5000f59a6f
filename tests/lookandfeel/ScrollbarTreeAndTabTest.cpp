#include "lookandfeel/LookTestSupport.h"
#include "lookandfeel/VKLook.h"
#include "lookandfeel/VelkColours.h"

using namespace tavelin::test;

class Scrollbars : public ::testing::Test
{
protected:
    juce::Image drawVertical (int thickness, int thumbSize, bool isOver = false, bool isDown = false)
    {
        return render (thickness, 100, [&] (juce::Graphics& g)
                       { look.drawScrollbar (g, bar, 0, 0, thickness, 100, true, 20, thumbSize, isOver, isDown); });
    }

    juce::ScrollBar bar{ true };
    velk::VKLook look;
};

TEST_F (Scrollbars, HaveNoArrowButtonsAndAreEightPixelsThick)
{
    EXPECT_EQ (look.getDefaultScrollbarWidth(), 8);
    EXPECT_EQ (look.getScrollbarButtonSize (bar), 0);
}

TEST_F (Scrollbars, SixteenThickIndentTheTrackByOneAndTheThumbByTwo)
{
    // Thumb from 22 to 48 and 2 to 14 across, in a track from 1 to 15.
    const auto image = drawVertical (16, 30);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 50), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (15, 50), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 70), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 70), velk::VelkColours::light_grey));
    // The thumb's faint 0.4-pixel outline reaches a fifth of a pixel beyond it.
    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 35), velk::VelkColours::light_grey, 16));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 35), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 20), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 49), velk::VelkColours::light_grey));
    // Both ends are rounded by half the thickness.
    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 1), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 2), velk::VelkColours::light_grey));
}

TEST_F (Scrollbars, FifteenThickHaveNoTrackIndentAndAOnePixelThumbIndent)
{
    const auto image = drawVertical (15, 30);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 50), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 35), velk::VelkColours::light_grey, 16));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (1, 35), velk::VelkColours::dark_grey, 16));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (7, 35), velk::VelkColours::dark_grey));
}

TEST_F (Scrollbars, WithContentThatFitsShowOnlyTheTrack)
{
    const auto image = drawVertical (16, 0);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 35), velk::VelkColours::light_grey));
    EXPECT_EQ (countPixelsNear (image.getClippedImage ({ 2, 8, 12, 84 }), velk::VelkColours::dark_grey, 4), 0);
}

TEST_F (Scrollbars, LookTheSameUnderTheMouseAndWhileDragged)
{
    const auto normal = drawVertical (8, 30);
    EXPECT_TRUE (imagesEqual (drawVertical (8, 30, true, false), normal));
    EXPECT_TRUE (imagesEqual (drawVertical (8, 30, true, true), normal));
}

TEST_F (Scrollbars, HorizontalRunsAlongTheWidth)
{
    const auto image = render (100, 16, [this] (juce::Graphics& g)
                               { look.drawScrollbar (g, bar, 0, 0, 100, 16, false, 20, 30, false, false); });

    EXPECT_TRUE (coloursMatch (image.getPixelAt (50, 0), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (70, 8), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (35, 8), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (35, 1), velk::VelkColours::light_grey, 16));
}

TEST_F (Scrollbars, PaintThroughTheScrollBarComponent)
{
    bar.setLookAndFeel (&look);
    bar.setAutoHide (false);
    bar.setBounds (0, 0, 8, 100);
    bar.setRangeLimits (0.0, 100.0);
    bar.setCurrentRange (0.0, 50.0);

    const auto image = renderComponent (bar);
    bar.setLookAndFeel (nullptr);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (4, 20), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (4, 80), velk::VelkColours::light_grey));
}

//==============================================================================
class TreeBoxes : public ::testing::Test
{
protected:
    juce::Image draw (juce::Rectangle<float> area, bool isOpen)
    {
        return render (24, 24, [&] (juce::Graphics& g)
                       { look.drawTreeviewPlusMinusBox (g, area, juce::Colours::red, isOpen, true); });
    }

    velk::VKLook look;
};

TEST_F (TreeBoxes, ClosedItemShowsAnElevenPixelPlusCentredInATwentyPixelArea)
{
    // Box from 4 to 14; bars through row and column 9, from 6.5 to 12.5.
    const auto image = draw ({ 0.0f, 0.0f, 20.0f, 20.0f }, false);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (4, 4), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (14, 9), velk::VelkColours::dark_grey));
    EXPECT_EQ (image.getPixelAt (3, 9).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (15, 9).getAlpha(), 0);
    EXPECT_TRUE (coloursMatch (image.getPixelAt (5, 5), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (7, 9), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (11, 9), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (9, 7), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (9, 11), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (7, 7), velk::VelkColours::light_grey));
}

TEST_F (TreeBoxes, OpenItemShowsAMinus)
{
    const auto image = draw ({ 0.0f, 0.0f, 20.0f, 20.0f }, true);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (7, 9), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (7, 10), velk::VelkColours::light_grey)); // one pixel thick
    EXPECT_TRUE (coloursMatch (image.getPixelAt (9, 7), velk::VelkColours::light_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (9, 11), velk::VelkColours::light_grey));
}

TEST_F (TreeBoxes, EightPixelAreaGivesASevenPixelBox)
{
    const auto image = draw ({ 2.0f, 3.0f, 8.0f, 8.0f }, true);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (2, 3), velk::VelkColours::dark_grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (8, 9), velk::VelkColours::dark_grey));
    EXPECT_EQ (image.getPixelAt (9, 6).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (5, 10).getAlpha(), 0);
    EXPECT_TRUE (coloursMatch (image.getPixelAt (4, 4), velk::VelkColours::light_grey));
}

TEST_F (TreeBoxes, IgnoreTheBackgroundColourAndTheMouse)
{
    const auto area = juce::Rectangle<float> (0.0f, 0.0f, 20.0f, 20.0f);
    const auto image = render (24, 24, [&] (juce::Graphics& g)
                               { look.drawTreeviewPlusMinusBox (g, area, juce::Colours::blue, false, false); });

    EXPECT_TRUE (imagesEqual (image, draw (area, false)));
}

//==============================================================================
class Tabs : public ::testing::Test
{
protected:
    Tabs()
    {
        bar.setLookAndFeel (&look);
        bar.setBounds (0, 0, 240, 30);
        bar.addTab ("ONE", velk::VelkColours::blue, -1);
        bar.addTab ("TWO", velk::VelkColours::blue, -1);
        bar.setCurrentTabIndex (0, false);
    }

    ~Tabs() override
    {
        bar.setLookAndFeel (nullptr);
    }

    // A point inside a tab, above its caption.
    juce::Point<int> insideTab (int index)
    {
        auto* tab = bar.getTabButton (index);
        const auto active = tab->getActiveArea();
        return tab->getPosition() + juce::Point<int> (active.getCentreX(), active.getY() + 3);
    }

    juce::TabbedButtonBar bar{ juce::TabbedButtonBar::TabsAtTop };
    velk::VKLook look;
};

TEST_F (Tabs, AreSquareRectanglesFillingTheirActiveArea)
{
    auto* tab = bar.getTabButton (0);
    juce::Path shape;
    look.createTabButtonShape (*tab, shape, false, false);

    EXPECT_EQ (shape.getBounds(), tab->getActiveArea().withZeroOrigin().toFloat());
    EXPECT_TRUE (shape.contains (0.5f, 0.5f));
}

TEST_F (Tabs, FrontTabShowsItsColourAndTheOthersADarkerShade)
{
    const auto image = renderComponent (bar);
    const auto front = insideTab (0);
    const auto behind = insideTab (1);

    EXPECT_TRUE (coloursMatch (image.getPixelAt (front.x, front.y), velk::VelkColours::blue));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (behind.x, behind.y), velk::VelkColours::blue.withMultipliedBrightness (0.7f)));
    EXPECT_GT (countPixelsNear (image, velk::VelkColours::light_grey, 40), 5);
}

TEST_F (Tabs, BarBackgroundDrawsNothing)
{
    const auto image = render (240, 30, [this] (juce::Graphics& g)
                               { look.drawTabbedButtonBarBackground (bar, g); });
    EXPECT_EQ (countPixels (image, [] (juce::Colour c)
                            { return c.getAlpha() != 0; }),
               0);
}

TEST_F (Tabs, AreaBehindTheFrontTabIsAGreyLineOnTheContentSide)
{
    const auto image = render (240, 30, [this] (juce::Graphics& g)
                               { look.drawTabAreaBehindFrontButton (bar, g, 240, 30); });

    EXPECT_TRUE (coloursMatch (image.getPixelAt (10, 29), velk::VelkColours::grey));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (230, 29), velk::VelkColours::grey));
    EXPECT_EQ (image.getPixelAt (10, 28).getAlpha(), 0);
}
