#include "lookandfeel/LookTestSupport.h"
#include "lookandfeel/MacroLook.h"
#include "lookandfeel/VKBipolarLook.h"
#include "lookandfeel/VKLook.h"
#include "lookandfeel/VelkColours.h"

using namespace tavelin::test;

class LookFonts : public ::testing::Test
{
protected:
    void TearDown() override
    {
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
        juce::Typeface::clearTypefaceCache();
    }

    // Installs the look as the editor does: fonts resolved before must be looked up again.
    void installAsDefault()
    {
        juce::LookAndFeel::setDefaultLookAndFeel (&look);
        juce::Typeface::clearTypefaceCache();
    }

    static juce::Image renderText (const juce::Font& font)
    {
        return render (320, 40, [&font] (juce::Graphics& g)
                       {
                           g.setColour (juce::Colours::white);
                           g.setFont (font);
                           g.drawText ("Tavelin 0123 Qgy%", 4, 4, 312, 32, juce::Justification::centredLeft, false); });
    }

    juce::Image renderWithEmbeddedFace (float height, int styleFlags)
    {
        return renderText (juce::Font (look.getTypefaceForFont (juce::Font (height)))
                               .withHeight (height)
                               .withStyle (styleFlags));
    }

    velk::VKLook look;
};

TEST_F (LookFonts, EveryFontGetsTheOneEmbeddedTypeface)
{
    const auto face = look.getTypefaceForFont (juce::Font (12.0f));

    ASSERT_NE (face, nullptr);
    EXPECT_EQ (look.getTypefaceForFont (juce::Font ("Serif", 30.0f, juce::Font::bold)), face);
    EXPECT_EQ (look.getTypefaceForFont (juce::Font (juce::Font::getDefaultMonospacedFontName(), 9.0f,
                                                    juce::Font::italic)),
               face);
    EXPECT_EQ (look.getTypefaceForFont (juce::Font ("No Such Family", 14.0f, juce::Font::plain)), face);
}

TEST_F (LookFonts, AnyFamilyOrStyleRendersWithTheEmbeddedGlyphs)
{
    installAsDefault();

    const auto expected = renderWithEmbeddedFace (20.0f, juce::Font::plain);
    EXPECT_GT (countPixels (expected, [] (juce::Colour c)
                            { return c.getAlpha() > 128; }),
               100);

    EXPECT_TRUE (imagesEqual (renderText (juce::Font (20.0f)), expected));
    EXPECT_TRUE (imagesEqual (renderText (juce::Font (juce::Font::getDefaultSansSerifFontName(), 20.0f, 0)), expected));
    EXPECT_TRUE (imagesEqual (renderText (juce::Font ("DejaVu Sans", 20.0f, juce::Font::plain)), expected));
    EXPECT_TRUE (imagesEqual (renderText (juce::Font ("Serif", 20.0f, juce::Font::bold)),
                              renderWithEmbeddedFace (20.0f, juce::Font::bold)));
    EXPECT_TRUE (imagesEqual (renderText (juce::Font ("DejaVu Sans Mono", 20.0f, juce::Font::italic)),
                              renderWithEmbeddedFace (20.0f, juce::Font::italic)));
}

TEST_F (LookFonts, WithoutTheLookInstalledASystemFamilyDrawsDifferently)
{
    // Guards the comparison above: the system's sans-serif must not already look like the embedded face.
    const auto embedded = renderWithEmbeddedFace (20.0f, juce::Font::plain);
    EXPECT_FALSE (imagesEqual (renderText (juce::Font ("DejaVu Sans", 20.0f, juce::Font::plain)), embedded));
}

TEST_F (LookFonts, ComboBoxFontIsSevenTenthsOfTheBoxHeightAndNeverBelowTheMinimum)
{
    juce::ComboBox box;

    box.setSize (100, 20);
    EXPECT_FLOAT_EQ (look.getComboBoxFont (box).getHeight(), 20.0f * 0.7f);
    EXPECT_FALSE (look.getComboBoxFont (box).isBold());

    box.setSize (100, 0);
    EXPECT_FLOAT_EQ (look.getComboBoxFont (box).getHeight(), 0.1f);
}

TEST_F (LookFonts, PopupMenusUseAFourteenPixelPlainFont)
{
    const auto font = look.getPopupMenuFont();
    EXPECT_FLOAT_EQ (font.getHeight(), 14.0f);
    EXPECT_EQ (font.getStyleFlags(), (int) juce::Font::plain);
}

//==============================================================================
class LookColours : public ::testing::Test
{
protected:
    velk::VKLook look;
};

TEST_F (LookColours, PresetsTheSeventeenComponentColoursFromThePalette)
{
    using velk::VelkColours;

    const std::pair<int, juce::Colour> expected[] = {
        { juce::PopupMenu::textColourId, VelkColours::light_grey },
        { juce::PopupMenu::highlightedBackgroundColourId, VelkColours::light_grey },
        { juce::PopupMenu::highlightedTextColourId, VelkColours::dark_grey },
        { juce::TooltipWindow::backgroundColourId, VelkColours::light_grey },
        { juce::TooltipWindow::textColourId, VelkColours::dark_grey },
        { juce::TooltipWindow::outlineColourId, juce::Colours::black },
        { juce::ComboBox::backgroundColourId, VelkColours::dark_grey },
        { juce::ComboBox::textColourId, VelkColours::light_grey },
        { juce::ComboBox::outlineColourId, VelkColours::grey },
        { juce::ComboBox::arrowColourId, VelkColours::light_grey },
        { juce::ListBox::backgroundColourId, VelkColours::dark_grey },
        { juce::DirectoryContentsDisplayComponent::textColourId, VelkColours::light_grey },
        { juce::DirectoryContentsDisplayComponent::highlightColourId, VelkColours::blue },
        { juce::TreeView::backgroundColourId, VelkColours::dark_grey },
        { juce::TreeView::linesColourId, VelkColours::light_grey },
        { juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentWhite },
        { juce::DrawableButton::backgroundColourId, juce::Colours::transparentWhite },
    };

    for (const auto& [id, colour] : expected)
        EXPECT_EQ (look.findColour (id), colour) << juce::String::toHexString (id);
}

TEST_F (LookColours, LeavesEveryOtherColourAtTheFrameworkDefault)
{
    const juce::LookAndFeel_V2 framework;

    for (const auto id : { (int) juce::Slider::thumbColourId, (int) juce::Slider::rotarySliderFillColourId,
                           (int) juce::TextButton::buttonColourId, (int) juce::Label::textColourId,
                           (int) juce::PopupMenu::backgroundColourId, (int) juce::ScrollBar::thumbColourId })
        EXPECT_EQ (look.findColour (id), framework.findColour (id)) << juce::String::toHexString (id);
}

TEST_F (LookColours, TooltipShowsDarkTextOnLightGreyInABlackFrame)
{
    const auto image = render (120, 24, [this] (juce::Graphics& g)
                               { look.drawTooltip (g, "Tip", 120, 24); });

    EXPECT_TRUE (coloursMatch (image.getPixelAt (0, 12), juce::Colours::black));
    EXPECT_TRUE (coloursMatch (image.getPixelAt (60, 2), velk::VelkColours::light_grey));
    EXPECT_GT (countPixelsNear (image, velk::VelkColours::dark_grey), 10);
}

//==============================================================================
TEST (SharedLooks, EachClassHasOneInstanceWhileAnEditorHoldsIt)
{
    const juce::SharedResourcePointer<velk::VKLook> mainLook, secondMainLook;
    const juce::SharedResourcePointer<velk::VKBipolarLook> bipolarLook;
    const juce::SharedResourcePointer<MacroLook> macroLook;

    EXPECT_EQ (&mainLook.get(), &secondMainLook.get());
    EXPECT_NE (static_cast<velk::VKLook*> (&bipolarLook.get()), &mainLook.get());
    EXPECT_FLOAT_EQ (bipolarLook->centreAngle, 6.2831855f);
    EXPECT_EQ (macroLook->findColour (juce::ComboBox::backgroundColourId), velk::VelkColours::dark_grey);
    EXPECT_EQ (bipolarLook->findColour (juce::ComboBox::backgroundColourId), velk::VelkColours::dark_grey);
}
