#include "lookandfeel/LookTestSupport.h"
#include "lookandfeel/VelkColours.h"

#include <LookAndFeelAssets.h>

using namespace tavelin::test;

TEST (Palette, HoldsTheTenOpaqueColours)
{
    EXPECT_EQ (velk::VelkColours::blue.getARGB(), 0xFF1C91ABu);
    EXPECT_EQ (velk::VelkColours::green.getARGB(), 0xFF199143u);
    EXPECT_EQ (velk::VelkColours::yellow.getARGB(), 0xFFCCB51Fu);
    EXPECT_EQ (velk::VelkColours::orange.getARGB(), 0xFFC67624u);
    EXPECT_EQ (velk::VelkColours::lime.getARGB(), 0xFF96CA30u);
    EXPECT_EQ (velk::VelkColours::teal.getARGB(), 0xFF4BC89Au);
    EXPECT_EQ (velk::VelkColours::purple.getARGB(), 0xFF9731C2u);
    EXPECT_EQ (velk::VelkColours::grey.getARGB(), 0xFF303030u);
    EXPECT_EQ (velk::VelkColours::dark_grey.getARGB(), 0xFF272727u);
    EXPECT_EQ (velk::VelkColours::light_grey.getARGB(), 0xFFBDBDBDu);
}

//==============================================================================
class KnobImages : public ::testing::Test
{
protected:
    static juce::Image renderInto (const char* data, int size, int square)
    {
        const auto drawable = juce::Drawable::createFromImageData (data, static_cast<size_t> (size));
        EXPECT_NE (drawable, nullptr);

        return render (square, square, [&] (juce::Graphics& g)
                       {
                           if (drawable != nullptr)
                               drawable->drawWithin (g, { (float) square, (float) square },
                                                     juce::RectanglePlacement::fillDestination, 1.0f); });
    }

    static juce::Image back (int square)
    {
        return renderInto (LookAndFeelAssets::knob_back_svg, LookAndFeelAssets::knob_back_svgSize, square);
    }

    static juce::Image front (int square)
    {
        return renderInto (LookAndFeelAssets::knob_front_svg, LookAndFeelAssets::knob_front_svgSize, square);
    }

    struct Ring
    {
        float proportionOfHalfWidth;
        float angle;
        juce::Colour colour;
    };

    // Checks each ring at its proportion of the half-width out from the centre of every size.
    static void expectRings (juce::Image (*draw) (int), std::initializer_list<int> squares,
                             std::initializer_list<Ring> rings)
    {
        for (const auto square : squares)
        {
            SCOPED_TRACE (square);
            const auto image = draw (square);
            const auto half = (float) square * 0.5f;

            for (const auto& ring : rings)
            {
                const auto p = polar ({ half, half }, ring.proportionOfHalfWidth * half, ring.angle);
                EXPECT_TRUE (coloursMatch (pixelAt (image, p.x, p.y), ring.colour)) << ring.proportionOfHalfWidth;
            }

            EXPECT_EQ (image.getPixelAt (1, 1).getAlpha(), 0);
        }
    }

    static constexpr float upperLeft = -juce::MathConstants<float>::pi * 0.25f;
    static constexpr float lowerRight = juce::MathConstants<float>::pi * 0.75f;
};

TEST_F (KnobImages, AreSvgDocumentsWithADoctype)
{
    const juce::String backText (LookAndFeelAssets::knob_back_svg, (size_t) LookAndFeelAssets::knob_back_svgSize);
    const juce::String frontText (LookAndFeelAssets::knob_front_svg, (size_t) LookAndFeelAssets::knob_front_svgSize);

    for (const auto& text : { backText, frontText })
    {
        EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
        EXPECT_TRUE (text.contains ("<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\""));
    }

    EXPECT_TRUE (backText.contains ("id=\"knob_back\""));
    EXPECT_TRUE (frontText.contains ("id=\"knob_front\""));
}

TEST_F (KnobImages, BackIsANearBlackFaceInsideABlackRimOfAnEighthOfTheRadius)
{
    const juce::Colour face{ 0xFF1D1D1Du };

    expectRings (back, { 300, 120 },
                 { { 0.0f, 0.0f, face },
                   { 0.84f, upperLeft, face },
                   { 0.84f, lowerRight, face },
                   { 0.93f, upperLeft, juce::Colours::black },
                   { 0.93f, 0.0f, juce::Colours::black } });
}

TEST_F (KnobImages, FrontIsABlackRimAShadedRingAndAFlatCap)
{
    const juce::Colour cap{ 0xFF333333u };

    expectRings (front, { 420, 150 },
                 { { 0.0f, 0.0f, cap },
                   { 0.68f, upperLeft, cap },
                   { 0.81f, upperLeft, juce::Colour (0xFF2E2E2Eu) },
                   { 0.95f, upperLeft, juce::Colours::black },
                   { 0.95f, lowerRight, juce::Colours::black } });
}

TEST_F (KnobImages, FrontRingDarkensTowardsItsLowerRight)
{
    // JUCE's SVG reader replaces the 0.595 stop by the one it adds at 0 and ignores the group's
    // translation for the gradient, so the ring darkens gradually rather than only at its edge.
    for (const auto square : { 420, 150 })
    {
        const auto image = front (square);
        const auto half = (float) square * 0.5f;
        const auto p = polar ({ half, half }, 0.81f * half, lowerRight);
        const auto shaded = pixelAt (image, p.x, p.y);

        EXPECT_GE (shaded.getRed(), 0x24) << square;
        EXPECT_LE (shaded.getRed(), 0x29) << square;
        EXPECT_EQ (shaded.getRed(), shaded.getBlue()) << square;
    }
}

TEST (EmbeddedTypeface, IsRobotoMediumFromTheCompiledInFontData)
{
    const auto typeface = juce::Typeface::createSystemTypefaceFor (
        LookAndFeelAssets::RobotoMedium_ttf, static_cast<size_t> (LookAndFeelAssets::RobotoMedium_ttfSize));

    ASSERT_NE (typeface, nullptr);
    EXPECT_TRUE (typeface->getName().startsWith ("Roboto")) << typeface->getName();
    EXPECT_TRUE ((typeface->getName() + " " + typeface->getStyle()).contains ("Medium"))
        << typeface->getName() << " / " << typeface->getStyle();
}
